#pragma once

// The history folder, as one program writes to it. Several processes may
// write the same folder at once: each entry is a file of its own, under a
// name no other process makes (time, process id, counter), written whole to
// a temporary name and then renamed into place, so entries never interleave
// or tear and a reader never sees half of one.
//
// What the store waits for is only the write into the system's file cache
// (Write): a program killed right after still leaves the whole entry. Putting
// it on the disk (against a power cut) and dropping the oldest entries beyond
// the bound happen on a worker thread of this object, off the store's path.
//
// A write that fails never throws: it is counted, said at once through the
// writer's report (on whichever thread wrote) and kept for TakeFailures, and
// the next entry records how many were lost. Thread-safe.

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "history/history_entry.h"

namespace kx14::history {

// How many entries the folder keeps; the oldest go first. At about 1.5 KB an
// entry, some 9 MB.
inline constexpr std::size_t kHistoryBound = 6000;

// The folder the history lives in: KX14_HISTORY_DIR when set (tests), else
// kx14-manager/history in the user's data folder. Nothing when
// KX14_HISTORY=off or when the platform names no data folder.
std::optional<std::filesystem::path> HistoryFolder();
// Whether KX14_HISTORY=off turns the history off.
bool HistoryTurnedOff();

class THistoryWriter {
 public:
  // Says one failure, as "history not recorded (...): reason".
  using Report = std::function<void(const std::string&)>;
  explicit THistoryWriter(std::filesystem::path folder, Report report = {},
                          std::size_t bound = kHistoryBound);
  // Waits for the worker's queue (flushes, pruning) to be done.
  ~THistoryWriter();
  THistoryWriter(const THistoryWriter&) = delete;
  THistoryWriter& operator=(const THistoryWriter&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

  // Gives `entry` a new id (its file name) and writes it at once, with the
  // count of entries lost before it. False when it could not be written (the
  // failure is counted and kept).
  bool Write(HistoryEntry& entry);
  // Writes the entry again under its id, replacing the earlier version, in
  // one step; done by the worker. A pending entry becomes its result.
  void Update(const HistoryEntry& entry);
  // Waits until every queued update, flush and pruning is done.
  void Drain();

  // The reasons of the writes that failed since the last call.
  std::vector<std::string> TakeFailures();

 private:
  std::string NewId();
  bool WriteNow(const HistoryEntry& entry);
  void Queue(std::function<void()> job);
  void Work();
  void Prune();

  std::filesystem::path folder_;
  Report report_;
  std::size_t bound_;
  bool folderMade_ = false;  // guarded by mutex_

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::function<void()>> jobs_;
  bool busy_ = false;
  bool stopping_ = false;
  unsigned long counter_ = 0;
  int lost_ = 0;  // since the last entry written
  std::vector<std::string> failures_;
  std::thread worker_;  // last: starts when everything above is ready
};

}  // namespace kx14::history
