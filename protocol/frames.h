#pragma once

// The four frames that carry the parameter block on the wire. The checksum
// always covers the 16 block bytes alone.
//
// CONTRACT SKETCH: the protocol module owns the implementation and may add
// members, but keeps these signatures.

#include <cstdint>
#include <optional>

#include "comm/byte_string.h"
#include "protocol/parameter_block.h"

namespace kx14 {

inline constexpr std::uint8_t kReadCommandByte = 0xE5;
inline constexpr std::uint8_t kProgramCommandByte = 0xF5;
inline constexpr std::uint8_t kAckByte = 0x06;
inline constexpr int kReadReplyLength = 18;
inline constexpr int kProgramCommandLength = 18;
inline constexpr int kProgramReplyLength = 19;

// Host side.
ByteString ReadCommandFrame();                                // E5
std::optional<BlockBytes> ParseReadReply(const ByteString& reply);  // exactly 18 bytes, checksum ok
ByteString ProgramCommandFrame(const BlockBytes& block);      // F5, block, checksum
bool IsProgramAccepted(const ByteString& reply);              // exactly 19 bytes, last 0x06

// Device side (the simulator).
ByteString ReadReplyFrame(std::uint8_t lead, const BlockBytes& block);  // lead, block, checksum
std::optional<BlockBytes> ParseProgramCommand(const ByteString& command);  // F5 + block + good checksum

}  // namespace kx14
