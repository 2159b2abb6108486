#pragma once

// The block's fields as a user types and reads them on the command line:
// identifiers and channel bytes as numbers, MASTERF and OVERTAKE as on/off,
// MAXPWR in even percent.

#include <optional>
#include <string>
#include <string_view>

#include "protocol/block_fields.h"

namespace kx14::cli {

// The text of the field's value: "on"/"off" for flags, decimal otherwise.
std::string FieldText(const BlockBytes& block, const BlockField& field);

// Parses a typed value for the field: decimal (or 0x hex) digits within the
// field's range, on/off (or 1/0) for flags, an even percent for MAXPWR.
// Nothing when the text is not such a value.
std::optional<int> ParseFieldValue(const BlockField& field, std::string_view text);

// "BUP YOURID ... MAXPWR": every field's name, in block order.
std::string FieldNames();

}  // namespace kx14::cli
