#pragma once

// Where diff, restore and undo take a block from: a backup document, a
// history entry's file, an entry of the history by its place (@N), or the
// device on a port.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_entry.h"
#include "protocol/parameter_block.h"

namespace kx14::cli {

// The block of a backup document, or the block before the store of a
// history entry's file. CliFailure (usage status) for anything else, and
// for an entry whose store had no block before it (its read failed).
BlockBytes ReadBlockDocument(std::string_view text);

// The history as `kx14ctl history` numbers it: @1 is the newest entry.
// CliFailure (usage status) when the history is off or has no such entry.
std::vector<history::HistoryEntry> RecordedHistory();
const history::HistoryEntry& EntryByPlace(const std::vector<history::HistoryEntry>& entries,
                                          std::string_view place);

}  // namespace kx14::cli
