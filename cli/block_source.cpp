#include "cli/block_source.h"

#include "files/backup_document.h"
#include "files/exit_status.h"
#include "files/json_text.h"
#include "history/history_reader.h"
#include "history/history_writer.h"
#include "base/integer_text.h"

namespace kx14::cli {

BlockBytes ReadBlockDocument(std::string_view text) {
  const Json document = Json::parse(text, nullptr, false);
  const auto format = document.is_object() ? document.find("format") : document.end();
  if (!document.is_object() || format == document.end() || *format != history::kEntryFormat) {
    return ReadBackupDocument(text);
  }
  const std::optional<history::HistoryEntry> entry = history::ParseEntryDocument(text);
  if (!entry) throw UsageFailure("bad history entry: it fails its checks (torn or edited)");
  if (!entry->before) {
    throw UsageFailure("this history entry holds no block before its store (that read failed)");
  }
  return *entry->before;
}

std::vector<history::HistoryEntry> RecordedHistory() {
  const std::optional<std::filesystem::path> folder = history::HistoryFolder();
  if (!folder) throw UsageFailure("the history is off (KX14_HISTORY=off) or has no folder");
  return history::ReadHistory(*folder);
}

const history::HistoryEntry& EntryByPlace(const std::vector<history::HistoryEntry>& entries,
                                          std::string_view place) {
  const std::string number(place.substr(place.starts_with('@') ? 1 : 0));
  const std::optional<std::uint64_t> n = ReadDigits(number, 10, 1'000'000);
  if (!n || *n < 1 || *n > entries.size()) {
    throw UsageFailure("no history entry " + std::string(place) + " (the history holds " +
                       std::to_string(entries.size()) + "; see kx14ctl history)");
  }
  return entries[*n - 1];
}

}  // namespace kx14::cli
