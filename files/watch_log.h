#pragma once

// watch's CSV log: one file for the whole run, held open, one row per car,
// appended and put on the disk as the car is done, so a run that ends any
// way keeps every row before it. A row that cannot reach that file (the
// disk is full, the USB stick that held it was pulled, the name now names
// another file) is counted and its reason given back at once; the run goes
// on. A stick put back with the file as this run left it takes the next
// rows again.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "files/append_file.h"
#include "files/car_record.h"

namespace kx14::cli {

class WatchLog {
 public:
  // Opens the file for appending before anything is sent and, when it
  // holds text already, checks that its header is this one: CliFailure
  // (usage status) otherwise.
  explicit WatchLog(const std::string& path);
  // As above, and says each row lost on `err` as well (LostRowMessage).
  WatchLog(const std::string& path, std::ostream& err);

  // Safe from several threads at once. Nothing when the row is written; why
  // not when it is lost.
  std::optional<std::string> Append(const CarRecord& car);
  int RowsLost() const;
  const std::string& Path() const { return path_; }

  static const char* Header();

 private:
  bool Reachable(std::string& why);
  std::optional<std::string> Lost(const CarRecord& car, const std::string& why);

  std::string path_;
  std::filesystem::path file_;
  std::ostream* err_ = nullptr;
  mutable std::mutex mutex_;
  std::unique_ptr<AppendFile> open_;
  std::uint64_t written_ = 0;  // the file's size after this run's last row
  int lost_ = 0;
};

// "the log row of COM3 YOURID 17 MYID 2 could not be written to <path>
// (<why>); watching goes on": what is said of a row lost.
std::string LostRowMessage(const CarRecord& car, const std::string& path, const std::string& why);

// The log's row of one car, with its line break.
std::string LogRow(const CarRecord& car);

// A field as CSV writes it: quoted, with quotes doubled, when it holds a
// comma, a quote or a line break.
std::string CsvField(const std::string& text);

// A text field that came from outside (a roster's name, a port): as
// CsvField, and led by an apostrophe when a spreadsheet would take it for a
// formula (it starts with = + - @, a tab or a carriage return).
std::string CsvTextField(const std::string& text);

// The first line of a log's text (at most a few hundred bytes of it),
// without its line break.
std::string LogFirstLine(std::string_view text);

}  // namespace kx14::cli
