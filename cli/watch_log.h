#pragma once

// watch's CSV log: one row per car, appended and flushed as the car is done,
// so a run that ends any way keeps every row before it. Each row opens the
// file afresh, so a USB stick pulled and put back takes rows again. A row
// that cannot be written is said on `err` at once and counted; the run goes
// on and ends with a failure status.

#include <filesystem>
#include <iosfwd>
#include <mutex>
#include <string>

#include "cli/watch_record.h"

namespace kx14::cli {

class WatchLog {
 public:
  // Checks before anything is sent that the file can be opened for
  // appending and, when it holds rows already, that its header is this
  // one: CliFailure (usage status) otherwise.
  WatchLog(const std::string& path, std::ostream& err);

  // Safe from several threads at once.
  void Append(const CarRecord& car);
  int RowsLost() const;
  const std::string& Path() const { return path_; }

  static const char* Header();

 private:
  bool Write(const CarRecord& car);

  std::string path_;
  std::filesystem::path file_;
  std::ostream& err_;
  mutable std::mutex mutex_;
  int lost_ = 0;
};

// A field as CSV writes it: quoted, with quotes doubled, when it holds a
// comma, a quote or a line break.
std::string CsvField(const std::string& text);

}  // namespace kx14::cli
