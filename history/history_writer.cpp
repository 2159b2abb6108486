#include "history/history_writer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "history/history_platform.h"

namespace kx14::history {
namespace {

namespace fs = std::filesystem;

// Entries are "<time>-<pid>-<counter>.json"; the time first, so the names
// sort oldest first. Temporary files start with a dot.
bool IsEntryName(const std::string& name) {
  return name.size() > 5 && name[0] != '.' && name.ends_with(".json");
}

// A temporary file left by a program killed mid-write: never an entry, and
// gone after an hour (no write takes that long).
bool IsStaleTemporary(const fs::directory_entry& file) {
  const std::string name = file.path().filename().string();
  if (name.empty() || name[0] != '.' || !name.ends_with(".tmp")) return false;
  std::error_code error;
  const auto written = file.last_write_time(error);
  return !error && fs::file_time_type::clock::now() - written > std::chrono::hours(1);
}

std::string CompactTime(const std::string& iso) {
  std::string compact;
  for (const char c : iso) {
    if (c != '-' && c != ':') compact += c;
  }
  return compact;  // 20261209T225501.123Z
}

// Writes the whole text under a temporary name, then renames it into place:
// a reader never sees part of it. Nothing is flushed to the disk here (the
// worker does that, off the store's path); a program killed after the rename
// still leaves the whole file. Returns "" or the reason of a failure, and
// then removes the temporary file.
std::string WriteAndRename(const fs::path& temporary, const fs::path& path,
                           const std::string& text) {
  std::string failure;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(errno);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) failure = std::strerror(errno);
  }
  if (failure.empty()) failure = platform::RenameOver(temporary, path);
  if (!failure.empty()) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
  }
  return failure;
}

}  // namespace

std::optional<fs::path> HistoryFolder() {
  if (HistoryTurnedOff()) return std::nullopt;
  const char* own = std::getenv("KX14_HISTORY_DIR");
  if (own != nullptr && own[0] != '\0') return fs::path(own);
  const std::optional<fs::path> data = platform::UserDataFolder();
  if (!data) return std::nullopt;
  return *data / "kx14-manager" / "history";
}

bool HistoryTurnedOff() {
  const char* setting = std::getenv("KX14_HISTORY");
  return setting != nullptr && std::string_view(setting) == "off";
}

THistoryWriter::THistoryWriter(fs::path folder, Report report, std::size_t bound)
    : folder_(std::move(folder)),
      report_(std::move(report)),
      bound_(bound),
      worker_([this] { Work(); }) {}

THistoryWriter::~THistoryWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

std::string THistoryWriter::NewId() {
  char suffix[48];
  const std::lock_guard lock(mutex_);
  std::snprintf(suffix, sizeof suffix, "-%lu-%08lu", platform::ProcessId(), ++counter_);
  return CompactTime(UtcMillisecondTime()) + suffix;
}

bool THistoryWriter::Write(HistoryEntry& entry) {
  entry.id = NewId();
  {
    const std::lock_guard lock(mutex_);
    entry.lostBefore = lost_;
  }
  if (!WriteNow(entry)) return false;
  const std::lock_guard lock(mutex_);
  lost_ = 0;
  return true;
}

bool THistoryWriter::WriteNow(const HistoryEntry& entry) {
  std::string failure;
  {
    std::error_code error;
    const std::lock_guard lock(mutex_);
    if (!folderMade_) folderMade_ = fs::create_directories(folder_, error) || !error;
    if (!folderMade_) failure = "cannot make " + folder_.string() + ": " + error.message();
  }
  const fs::path path = folder_ / (entry.id + ".json");
  if (failure.empty()) {
    const std::string reason =
        WriteAndRename(folder_ / ("." + entry.id + ".tmp"), path, EntryDocument(entry));
    if (!reason.empty()) failure = "cannot write " + path.string() + ": " + reason;
  }
  if (failure.empty()) {
    Queue([this, path] {
      platform::FlushToDisk(path);
      Prune();
    });
    return true;
  }
  const std::string said = "history not recorded (the store goes ahead): " + failure;
  {
    const std::lock_guard lock(mutex_);
    ++lost_;
    failures_.push_back(said);
  }
  if (report_) report_(said);
  return false;
}

void THistoryWriter::Update(const HistoryEntry& entry) {
  Queue([this, entry] { WriteNow(entry); });
}

void THistoryWriter::Queue(std::function<void()> job) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void THistoryWriter::Work() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;  // stopping, and every job done
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    lock.unlock();
    job();
    lock.lock();
    busy_ = false;
    if (jobs_.empty()) idle_.notify_all();
  }
}

void THistoryWriter::Drain() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

std::vector<std::string> THistoryWriter::TakeFailures() {
  const std::lock_guard lock(mutex_);
  return std::exchange(failures_, {});
}

// Drops the oldest entries beyond the bound. Another process may prune the
// same folder at the same time: an entry already gone is no failure.
void THistoryWriter::Prune() {
  std::error_code error;
  std::vector<std::string> names;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (IsEntryName(name)) names.push_back(std::move(name));
    if (IsStaleTemporary(*it)) fs::remove(it->path(), error);
  }
  if (names.size() <= bound_) return;
  std::sort(names.begin(), names.end());
  for (std::size_t i = 0; i + bound_ < names.size(); ++i) fs::remove(folder_ / names[i], error);
}

}  // namespace kx14::history
