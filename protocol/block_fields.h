#pragma once

// The parameter block's thirteen fields by their names in the block layout:
// where each lies, how wide it is, what its values mean and their range. The
// block codec, kx14ctl's field commands and the backup document all read and
// write the block through this one table. Reading and changing a field
// touches only that field's bytes (or its bit of FLAGS).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/parameter_block.h"

namespace kx14 {

enum class TFieldKind {
  Number,   // the field's bytes as an unsigned number, high byte first
  Flag,     // one bit of FLAGS: 0 or 1
  Percent,  // MAXPWR as the window's percent: 236 - 2 * byte, limited to 0..100
};

struct BlockField {
  std::string_view name;  // "BUP", "YOURID", ... "MAXPWR"
  std::size_t offset;
  std::size_t width;  // bytes: 3 for the identifiers, else 1
  TFieldKind kind;
  int min;  // the range a user or a control may set
  int max;
  std::uint8_t flagBit;  // Flag only: the field's bit of FLAGS
};

// The fields in block order, indexes into BlockFields().
enum class BlockFieldId {
  kBup,
  kYourId,
  kMyId,
  kMasterF,
  kOvertake,
  kLastCh,
  kMode,
  kLowCh,
  kHighCh,
  kStAdj,
  kOtMax,
  kOtTime,
  kMaxPwr,
};

std::span<const BlockField> BlockFields();
const BlockField& Field(BlockFieldId id);
const BlockField* FindBlockField(std::string_view name);  // exact, upper case

// The field's value as it stands in the block: a Number field's bytes even
// outside its range (OT_MAX 0 reads 0), a flag as 0 or 1, MAXPWR in percent.
int FieldValue(const BlockBytes& block, const BlockField& field);

// Writes the value into the field's bytes; every other byte, and every other
// bit of FLAGS, stays as it is. MAXPWR is stored as 118 - percent / 2 (an odd
// percent as the even one below it). Precondition: value within the field's
// range.
void SetFieldValue(BlockBytes& block, const BlockField& field, int value);

}  // namespace kx14
