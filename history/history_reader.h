#pragma once

// Reading the history folder back.

#include <filesystem>
#include <vector>

#include "history/history_entry.h"

namespace kx14::history {

// Every whole entry in `folder`, newest first. Temporary files, files that
// are not entries and entries that fail their checks (a write torn by a power
// cut) are skipped; a folder that does not exist holds none.
std::vector<HistoryEntry> ReadHistory(const std::filesystem::path& folder);

// The entry of one file; nothing when it is not a whole, valid entry.
std::optional<HistoryEntry> ReadEntryFile(const std::filesystem::path& path);

}  // namespace kx14::history
