#include "protocol/parameter_block.h"

#include <algorithm>

namespace kx14 {
namespace {

std::int32_t ReadIdentifier(const BlockBytes& block, std::size_t offset) {
  return block[offset] * 65536 + block[offset + 1] * 256 + block[offset + 2];
}

void WriteIdentifier(BlockBytes& block, std::size_t offset, std::int32_t value) {
  const std::int32_t limited = std::clamp(value, 0, kMaxIdentifier);
  block[offset] = static_cast<std::uint8_t>(limited / 65536);
  block[offset + 1] = static_cast<std::uint8_t>((limited % 65536) / 256);
  block[offset + 2] = static_cast<std::uint8_t>(limited % 256);
}

std::uint8_t BarByte(int position, int low, int high) {
  return static_cast<std::uint8_t>(std::clamp(position, low, high));
}

int MaxPwrPosition(std::uint8_t byte) {
  return std::clamp(236 - 2 * byte, kMaxPwrBarMin, kMaxPwrBarMax);
}

std::uint8_t MaxPwrByte(int position) {
  // Integer division truncates: an odd position is sent as the even one
  // below it, since the device counts in steps of 2 percent.
  return static_cast<std::uint8_t>(118 - std::clamp(position, kMaxPwrBarMin, kMaxPwrBarMax) / 2);
}

}  // namespace

BlockControls DecodeBlock(const BlockBytes& block) {
  using namespace block_offset;
  BlockControls c;
  c.bup5Ah = block[kBup] == kBupMarker;
  c.yourId = ReadIdentifier(block, kYourId);
  c.myId = ReadIdentifier(block, kMyId);
  c.masOn = (block[kFlags] & kMasterFlagBit) != 0;
  c.otOn = (block[kFlags] & kOvertakeBit) != 0;
  c.lastBar = block[kLastCh];
  c.modeBar = block[kMode];
  c.uaBar = block[kLowCh];
  c.lowBar = block[kHighCh];
  c.hichBar = block[kStAdj];
  c.thrBar = std::clamp<int>(block[kOtMax], kOtBarMin, kOtBarMax);
  c.yobi1Bar = std::clamp<int>(block[kOtTime], kOtBarMin, kOtBarMax);
  c.yobi2Bar = MaxPwrPosition(block[kMaxPwr]);
  return c;
}

BlockBytes EncodeBlock(const BlockControls& c) {
  using namespace block_offset;
  BlockBytes block{};
  block[kBup] = c.bup5Ah ? kBupMarker : 0x00;
  WriteIdentifier(block, kYourId, c.yourId);
  WriteIdentifier(block, kMyId, c.myId);
  block[kFlags] =
      static_cast<std::uint8_t>((c.masOn ? kMasterFlagBit : 0) | (c.otOn ? kOvertakeBit : 0));
  block[kLastCh] = BarByte(c.lastBar, kChannelBarMin, kChannelBarMax);
  block[kMode] = BarByte(c.modeBar, kChannelBarMin, kChannelBarMax);
  block[kLowCh] = BarByte(c.uaBar, kChannelBarMin, kChannelBarMax);
  block[kHighCh] = BarByte(c.lowBar, kChannelBarMin, kChannelBarMax);
  block[kStAdj] = BarByte(c.hichBar, kChannelBarMin, kChannelBarMax);
  block[kOtMax] = BarByte(c.thrBar, kOtBarMin, kOtBarMax);
  block[kOtTime] = BarByte(c.yobi1Bar, kOtBarMin, kOtBarMax);
  block[kMaxPwr] = MaxPwrByte(c.yobi2Bar);
  return block;
}

ByteString ToByteString(const BlockBytes& block) {
  return ByteString(reinterpret_cast<const char*>(block.data()), block.size());
}

BlockBytes BlockFromByteString(const ByteString& bytes, std::size_t offset) {
  BlockBytes block{};
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<std::uint8_t>(bytes.at(offset + i));
  return block;
}

}  // namespace kx14
