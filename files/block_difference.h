#pragma once

// Field-by-field comparison of two blocks, shared by the storing commands'
// read-back, verify, diff and the history.

#include <string>
#include <vector>

#include "protocol/block_fields.h"
#include "protocol/parameter_block.h"

namespace kx14::cli {

// The names of the fields whose values differ; bytes that differ without a
// field value differing (flag bits the block does not use, MAXPWR bytes
// beyond the percent range) as "byte N".
std::vector<std::string> DifferingFields(const BlockBytes& a, const BlockBytes& b);
std::string JoinNames(const std::vector<std::string>& names);

// One field whose value differs, as people read it ("on", 74).
struct FieldChange {
  const BlockField* field;
  std::string from;
  std::string to;
};
std::vector<FieldChange> FieldChanges(const BlockBytes& from, const BlockBytes& to);
// "OT_MAX 5 -> 8, OVERTAKE off -> on"; the differing bytes when no field
// value differs; "" for equal blocks.
std::string ChangesText(const BlockBytes& from, const BlockBytes& to);

}  // namespace kx14::cli
