#include "cli/block_fields.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kx14::cli {
namespace {

using namespace block_offset;

constexpr std::array<BlockField, 13> kFields = {{
    {"BUP", TFieldKind::Number, 0, 255},
    {"YOURID", TFieldKind::Number, 0, kMaxIdentifier},
    {"MYID", TFieldKind::Number, 0, kMaxIdentifier},
    {"MASTERF", TFieldKind::Flag, 0, 1},
    {"OVERTAKE", TFieldKind::Flag, 0, 1},
    {"LASTCH", TFieldKind::Number, kChannelBarMin, kChannelBarMax},
    {"MODE", TFieldKind::Number, kChannelBarMin, kChannelBarMax},
    {"LOW_CH", TFieldKind::Number, kChannelBarMin, kChannelBarMax},
    {"HIGH_CH", TFieldKind::Number, kChannelBarMin, kChannelBarMax},
    {"ST_ADJ", TFieldKind::Number, kChannelBarMin, kChannelBarMax},
    {"OT_MAX", TFieldKind::Number, kOtBarMin, kOtBarMax},
    {"OT_TIME", TFieldKind::Number, kOtBarMin, kOtBarMax},
    {"MAXPWR", TFieldKind::Percent, kMaxPwrBarMin, kMaxPwrBarMax},
}};

// Byte offset of a one-byte field, by its place in kFields.
constexpr std::array<std::size_t, 13> kOffsets = {kBup,    kYourId, kMyId,  kFlags,  kFlags,
                                                  kLastCh, kMode,   kLowCh, kHighCh, kStAdj,
                                                  kOtMax,  kOtTime, kMaxPwr};

std::size_t IndexOf(const BlockField& field) {
  return static_cast<std::size_t>(&field - kFields.data());
}

int Get24(const BlockBytes& b, std::size_t at) { return b[at] << 16 | b[at + 1] << 8 | b[at + 2]; }

void Set24(BlockBytes& b, std::size_t at, int value) {
  b[at] = static_cast<std::uint8_t>(value >> 16);
  b[at + 1] = static_cast<std::uint8_t>(value >> 8);
  b[at + 2] = static_cast<std::uint8_t>(value);
}

std::uint8_t FlagBit(const BlockField& field) {
  return field.name == "MASTERF" ? kMasterFlagBit : kOvertakeBit;
}

std::optional<int> ParseInteger(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::span<const BlockField> BlockFields() { return kFields; }

const BlockField* FindBlockField(std::string_view name) {
  const auto it = std::find_if(kFields.begin(), kFields.end(),
                               [name](const BlockField& f) { return f.name == name; });
  return it == kFields.end() ? nullptr : &*it;
}

int FieldValue(const BlockBytes& block, const BlockField& field) {
  const std::size_t at = kOffsets[IndexOf(field)];
  switch (field.kind) {
    case TFieldKind::Flag:
      return (block[at] & FlagBit(field)) != 0 ? 1 : 0;
    case TFieldKind::Percent:
      return DecodeBlock(block).yobi2Bar;  // the window's transform and limits
    case TFieldKind::Number:
      break;
  }
  return field.max > 255 ? Get24(block, at) : block[at];
}

std::string FieldText(const BlockBytes& block, const BlockField& field) {
  const int value = FieldValue(block, field);
  if (field.kind == TFieldKind::Flag) return value != 0 ? "on" : "off";
  return std::to_string(value);
}

std::optional<int> ParseFieldValue(const BlockField& field, std::string_view text) {
  if (field.kind == TFieldKind::Flag) {
    if (text == "on" || text == "1") return 1;
    if (text == "off" || text == "0") return 0;
    return std::nullopt;
  }
  const std::optional<int> value = ParseInteger(text);
  if (!value || *value < field.min || *value > field.max) return std::nullopt;
  // The block holds MAXPWR in steps of 2 %: an odd percentage would be stored
  // as the one below it and fail its own read-back.
  if (field.kind == TFieldKind::Percent && *value % 2 != 0) return std::nullopt;
  return value;
}

void SetFieldValue(BlockBytes& block, const BlockField& field, int value) {
  const std::size_t at = kOffsets[IndexOf(field)];
  switch (field.kind) {
    case TFieldKind::Flag:
      block[at] = static_cast<std::uint8_t>(value != 0 ? block[at] | FlagBit(field)
                                                       : block[at] & ~FlagBit(field));
      return;
    case TFieldKind::Percent: {
      BlockControls controls;
      controls.yobi2Bar = value;
      block[at] = EncodeBlock(controls)[at];  // the window's encoding of the percent
      return;
    }
    case TFieldKind::Number:
      break;
  }
  if (field.max > 255) {
    Set24(block, at, value);
  } else {
    block[at] = static_cast<std::uint8_t>(value);
  }
}

}  // namespace kx14::cli
