#pragma once

// The device's 16-byte parameter block and its encoding to and from the
// fields' values.

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/byte_string.h"

namespace kx14 {

using BlockBytes = std::array<std::uint8_t, 16>;

// The block's fields as values: the marker choice, the identifiers, the two
// flags and the byte fields in the window's ranges (MAXPWR as its percent,
// the position of the window's bar). Which control shows which field is the
// window's business.
struct BlockControls {
  bool bup5Ah = true;       // BUP is 0x5A (else 0x00)
  std::int32_t yourId = 0;  // YOURID 0..16777215
  std::int32_t myId = 0;    // MYID   0..16777215
  bool masterF = false;     // FLAGS bit 0, MASTERF
  bool overtake = false;    // FLAGS bit 3, OVERTAKE
  int lastCh = 0;           // LASTCH  0..255
  int mode = 0;             // MODE    0..255
  int lowCh = 0;            // LOW_CH  0..255
  int highCh = 0;           // HIGH_CH 0..255
  int stAdj = 0;            // ST_ADJ  0..255
  int otMax = 1;            // OT_MAX  1..250
  int otTime = 1;           // OT_TIME 1..250
  int maxPwr = 0;           // MAXPWR percent 0..100 (stored 118 - percent / 2)
  friend bool operator==(const BlockControls&, const BlockControls&) = default;
};

// Offsets of the fields in the block; multi-byte fields are high byte first.
// protocol/block_fields.h puts them in one table with each field's width,
// range and flag bit; the codec below reads and writes through that table.
namespace block_offset {
inline constexpr std::size_t kBup = 0;
inline constexpr std::size_t kYourId = 1;  // 3 bytes
inline constexpr std::size_t kMyId = 4;    // 3 bytes
inline constexpr std::size_t kFlags = 7;
inline constexpr std::size_t kLastCh = 8;
inline constexpr std::size_t kMode = 9;
inline constexpr std::size_t kLowCh = 10;
inline constexpr std::size_t kHighCh = 11;
inline constexpr std::size_t kStAdj = 12;
inline constexpr std::size_t kOtMax = 13;
inline constexpr std::size_t kOtTime = 14;
inline constexpr std::size_t kMaxPwr = 15;
}  // namespace block_offset

inline constexpr std::uint8_t kBupMarker = 0x5A;      // BUP_5Ah ("Z")
inline constexpr std::uint8_t kMasterFlagBit = 0x01;  // FLAGS bit 0: MASTERF
inline constexpr std::uint8_t kOvertakeBit = 0x08;    // FLAGS bit 3: OVERTAKE
inline constexpr std::int32_t kMaxIdentifier = 0xFFFFFF;

// Ranges of the scroll bars that hold the fields.
inline constexpr int kChannelBarMin = 0, kChannelBarMax = 255;  // LAST..HICH
inline constexpr int kOtBarMin = 1, kOtBarMax = 250;            // OT_MAX, OT_TIME
inline constexpr int kMaxPwrBarMin = 0, kMaxPwrBarMax = 100;    // MAXPWR percent

// Block to controls: positions limited to each bar's range, MAXPWR through
// its transform (position = 236 - 2 * byte, limited to 0..100); BUP_5Ah only
// for the byte 0x5A; flag bits other than 0 and 3 are ignored. Total.
BlockControls DecodeBlock(const BlockBytes& block);

// Controls to block: MAXPWR byte = 118 - position / 2; flag bits other than
// 0 and 3 are 0; BUP is 0x00 for BUP_00h, else 0x5A. The window keeps every
// value in its control's range; a value outside it is limited to the range
// first (identifiers to 0..16777215), so no field spills into its neighbour.
BlockBytes EncodeBlock(const BlockControls& controls);

// The block as it travels inside a frame, and back.
ByteString ToByteString(const BlockBytes& block);
// Precondition: bytes.size() - offset >= 16.
BlockBytes BlockFromByteString(const ByteString& bytes, std::size_t offset);

}  // namespace kx14
