#include "protocol/block_fields.h"

#include <algorithm>
#include <array>

namespace kx14 {
namespace {

using namespace block_offset;
using enum TFieldKind;

constexpr std::array<BlockField, 13> kFields = {{
    {"BUP", kBup, 1, Number, 0, 255, 0},
    {"YOURID", kYourId, 3, Number, 0, kMaxIdentifier, 0},
    {"MYID", kMyId, 3, Number, 0, kMaxIdentifier, 0},
    {"MASTERF", kFlags, 1, Flag, 0, 1, kMasterFlagBit},
    {"OVERTAKE", kFlags, 1, Flag, 0, 1, kOvertakeBit},
    {"LASTCH", kLastCh, 1, Number, kChannelBarMin, kChannelBarMax, 0},
    {"MODE", kMode, 1, Number, kChannelBarMin, kChannelBarMax, 0},
    {"LOW_CH", kLowCh, 1, Number, kChannelBarMin, kChannelBarMax, 0},
    {"HIGH_CH", kHighCh, 1, Number, kChannelBarMin, kChannelBarMax, 0},
    {"ST_ADJ", kStAdj, 1, Number, kChannelBarMin, kChannelBarMax, 0},
    {"OT_MAX", kOtMax, 1, Number, kOtBarMin, kOtBarMax, 0},
    {"OT_TIME", kOtTime, 1, Number, kOtBarMin, kOtBarMax, 0},
    {"MAXPWR", kMaxPwr, 1, Percent, kMaxPwrBarMin, kMaxPwrBarMax, 0},
}};

int PercentOfByte(std::uint8_t byte) {
  return std::clamp(236 - 2 * byte, kMaxPwrBarMin, kMaxPwrBarMax);
}

// Integer division truncates: an odd percent is sent as the even one below
// it, since the device counts in steps of 2 percent.
std::uint8_t ByteOfPercent(int percent) { return static_cast<std::uint8_t>(118 - percent / 2); }

}  // namespace

std::span<const BlockField> BlockFields() { return kFields; }

const BlockField& Field(BlockFieldId id) { return kFields[static_cast<std::size_t>(id)]; }

const BlockField* FindBlockField(std::string_view name) {
  const auto it = std::find_if(kFields.begin(), kFields.end(),
                               [name](const BlockField& f) { return f.name == name; });
  return it == kFields.end() ? nullptr : &*it;
}

int FieldValue(const BlockBytes& block, const BlockField& field) {
  switch (field.kind) {
    case Flag:
      return (block[field.offset] & field.flagBit) != 0 ? 1 : 0;
    case Percent:
      return PercentOfByte(block[field.offset]);
    case Number:
      break;
  }
  int value = 0;
  for (std::size_t i = 0; i < field.width; ++i) value = value << 8 | block[field.offset + i];
  return value;
}

void SetFieldValue(BlockBytes& block, const BlockField& field, int value) {
  std::uint8_t& first = block[field.offset];
  switch (field.kind) {
    case Flag:
      first =
          static_cast<std::uint8_t>(value != 0 ? first | field.flagBit : first & ~field.flagBit);
      return;
    case Percent:
      first = ByteOfPercent(value);
      return;
    case Number:
      break;
  }
  for (std::size_t i = field.width; i-- > 0; value >>= 8) {
    block[field.offset + i] = static_cast<std::uint8_t>(value);
  }
}

}  // namespace kx14
