#pragma once

// The parameter block's fields by their names in the block layout, with the
// ranges and encodings a user types and reads: identifiers and channel bytes
// as numbers, MASTERF and OVERTAKE as on/off, MAXPWR in percent. Reading and
// changing a field touches only that field's bytes of the raw block.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "protocol/parameter_block.h"

namespace kx14::cli {

enum class TFieldKind { Number, Flag, Percent };

struct BlockField {
  std::string_view name;  // "BUP", "YOURID", ... "MAXPWR"
  TFieldKind kind;
  int min;
  int max;
};

// The thirteen fields in block order.
std::span<const BlockField> BlockFields();
const BlockField* FindBlockField(std::string_view name);  // exact, upper case

// The field's value as the user reads it (MAXPWR: the window's percent,
// limited to 0..100; flags 0 or 1).
int FieldValue(const BlockBytes& block, const BlockField& field);
// The text of that value: "on"/"off" for flags, decimal otherwise.
std::string FieldText(const BlockBytes& block, const BlockField& field);

// Parses a typed value for the field: decimal (or 0x hex) within the field's
// range, on/off (or 1/0) for flags. Nothing when the text is not a value in
// range.
std::optional<int> ParseFieldValue(const BlockField& field, std::string_view text);

// Writes the value into the field's bytes; every other byte stays as it is.
// Precondition: value within the field's range.
void SetFieldValue(BlockBytes& block, const BlockField& field, int value);

}  // namespace kx14::cli
