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
  c.masterF = FieldValue(block, Field(kMasterF)) != 0;
  c.overtake = FieldValue(block, Field(kOvertake)) != 0;
  c.lastCh = Position(block, kLastCh);
  c.mode = Position(block, kMode);
  c.lowCh = Position(block, kLowCh);
  c.highCh = Position(block, kHighCh);
  c.stAdj = Position(block, kStAdj);
  c.otMax = Position(block, kOtMax);
  c.otTime = Position(block, kOtTime);
  c.maxPwr = Position(block, kMaxPwr);
  return c;
}

BlockBytes EncodeBlock(const BlockControls& c) {
  using enum BlockFieldId;
  BlockBytes block{};
  Store(block, kBup, c.bup5Ah ? kBupMarker : 0x00);
  Store(block, kYourId, c.yourId);
  Store(block, kMyId, c.myId);
  Store(block, kMasterF, c.masterF ? 1 : 0);
  Store(block, kOvertake, c.overtake ? 1 : 0);
  Store(block, kLastCh, c.lastCh);
  Store(block, kMode, c.mode);
  Store(block, kLowCh, c.lowCh);
  Store(block, kHighCh, c.highCh);
  Store(block, kStAdj, c.stAdj);
  Store(block, kOtMax, c.otMax);
  Store(block, kOtTime, c.otTime);
  Store(block, kMaxPwr, c.maxPwr);
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
