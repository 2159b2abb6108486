#pragma once

// The four frames that carry the parameter block on the wire. The checksum
// always covers the 16 block bytes alone, never the command byte ahead of
// them nor the leading byte of a reply.

#include <cstdint>
#include <optional>

#include "base/byte_string.h"
#include "protocol/parameter_block.h"

namespace kx14 {

inline constexpr std::uint8_t kReadCommandByte = 0xE5;
inline constexpr std::uint8_t kProgramCommandByte = 0xF5;
inline constexpr std::uint8_t kAckByte = 0x06;
inline constexpr int kReadReplyLength = 18;
inline constexpr int kProgramCommandLength = 18;
inline constexpr int kProgramReplyLength = 19;

// Host side.
ByteString ReadCommandFrame();  // E5
// The block of a read reply: only for exactly 18 bytes whose last byte is the
// checksum of bytes 1..16. The first byte is not examined. Empty otherwise.
std::optional<BlockBytes> ParseReadReply(const ByteString& reply);
ByteString ProgramCommandFrame(const BlockBytes& block);  // F5, block, checksum: 18 bytes
// True only for exactly 19 bytes whose last byte is the acknowledgement
// 0x06; the 18 bytes ahead of it are not examined.
bool IsProgramAccepted(const ByteString& reply);

// Device side (the simulator).
ByteString ReadReplyFrame(std::uint8_t lead, const BlockBytes& block);  // lead, block, checksum
// The block of a program command: only for exactly 18 bytes, F5 first and a
// checksum that matches. Empty otherwise.
std::optional<BlockBytes> ParseProgramCommand(const ByteString& command);

}  // namespace kx14
