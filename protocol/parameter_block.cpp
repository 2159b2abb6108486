#include "protocol/parameter_block.h"

#include <algorithm>

#include "protocol/block_fields.h"

namespace kx14 {
namespace {

// The field's value limited to its range: the position of the control that
// holds it.
int Position(const BlockBytes& block, BlockFieldId id) {
  const BlockField& field = Field(id);
  return std::clamp(FieldValue(block, field), field.min, field.max);
}

// Writes the value, limited to the field's range first, so that no field
// spills into its neighbour.
void Store(BlockBytes& block, BlockFieldId id, int value) {
  const BlockField& field = Field(id);
  SetFieldValue(block, field, std::clamp(value, field.min, field.max));
}

}  // namespace

BlockControls DecodeBlock(const BlockBytes& block) {
  using enum BlockFieldId;
  BlockControls c;
  c.bup5Ah = FieldValue(block, Field(kBup)) == kBupMarker;
  c.yourId = Position(block, kYourId);
  c.myId = Position(block, kMyId);
  c.masOn = FieldValue(block, Field(kMasterF)) != 0;
  c.otOn = FieldValue(block, Field(kOvertake)) != 0;
  c.lastBar = Position(block, kLastCh);
  c.modeBar = Position(block, kMode);
  c.uaBar = Position(block, kLowCh);
  c.lowBar = Position(block, kHighCh);
  c.hichBar = Position(block, kStAdj);
  c.thrBar = Position(block, kOtMax);
  c.yobi1Bar = Position(block, kOtTime);
  c.yobi2Bar = Position(block, kMaxPwr);
  return c;
}

BlockBytes EncodeBlock(const BlockControls& c) {
  using enum BlockFieldId;
  BlockBytes block{};
  Store(block, kBup, c.bup5Ah ? kBupMarker : 0x00);
  Store(block, kYourId, c.yourId);
  Store(block, kMyId, c.myId);
  Store(block, kMasterF, c.masOn ? 1 : 0);
  Store(block, kOvertake, c.otOn ? 1 : 0);
  Store(block, kLastCh, c.lastBar);
  Store(block, kMode, c.modeBar);
  Store(block, kLowCh, c.uaBar);
  Store(block, kHighCh, c.lowBar);
  Store(block, kStAdj, c.hichBar);
  Store(block, kOtMax, c.thrBar);
  Store(block, kOtTime, c.yobi1Bar);
  Store(block, kMaxPwr, c.yobi2Bar);
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
