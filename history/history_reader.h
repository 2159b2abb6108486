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

// The latest store (of `entries`, newest first) that may have reached the car
// known by these identifiers: the newest entry whose sent block carries
// them, unless the device refused it. Nothing when there is none. Its
// `before` is empty when the read before that store failed.
const HistoryEntry* LatestStoreTo(const std::vector<HistoryEntry>& entries, int yourId, int myId);

// The entry of one file; nothing when it is not a whole, valid entry.
std::optional<HistoryEntry> ReadEntryFile(const std::filesystem::path& path);

}  // namespace kx14::history
