#pragma once

// How kx14ctl shows the difference between two blocks: diff, --dry-run,
// undo.

#include <string>

#include "files/json_text.h"
#include "protocol/parameter_block.h"

namespace kx14::cli {

// One line per differing field, "  OT_MAX      5 -> 8", under a heading that
// names the two sides; "no difference" when the blocks are equal.
std::string ChangesTable(const BlockBytes& from, const BlockBytes& to, const std::string& fromName,
                         const std::string& toName);
// [{"field": "OT_MAX", "from": "5", "to": "8"}, ...]; bytes that differ
// without a field value differing as {"field": "byte 7", ...}.
Json ChangesJson(const BlockBytes& from, const BlockBytes& to);

}  // namespace kx14::cli
