#include "history/history_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kx14::history {
namespace {

namespace fs = std::filesystem;

// An entry is some 1.5 KB; anything far larger is not one.
constexpr std::uintmax_t kMaxEntrySize = 64 * 1024;

}  // namespace

std::optional<HistoryEntry> ReadEntryFile(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error || size > kMaxEntrySize) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in && !in.eof()) return std::nullopt;
  std::optional<HistoryEntry> entry = ParseEntryDocument(text);
  if (entry) entry->id = path.stem().string();
  return entry;
}

std::vector<HistoryEntry> ReadHistory(const fs::path& folder) {
  std::vector<HistoryEntry> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || !name.ends_with(".json")) continue;
    if (std::optional<HistoryEntry> entry = ReadEntryFile(it->path())) {
      entries.push_back(std::move(*entry));
    }
  }
  // Names begin with the time to the millisecond; the time itself, then the
  // name, orders entries of the same millisecond from several processes.
  std::sort(entries.begin(), entries.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
    return a.time != b.time ? a.time > b.time : a.id > b.id;
  });
  return entries;
}

const HistoryEntry* LatestStoreTo(const std::vector<HistoryEntry>& entries, int yourId, int myId) {
  for (const HistoryEntry& entry : entries) {
    if (entry.result != TStoreResult::Refused && entry.YourId() == yourId && entry.MyId() == myId) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace kx14::history
