#include "files/watch_log.h"

#include <fstream>
#include <ostream>
#include <system_error>

#include "files/exit_status.h"
#include "files/utf8_path.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

// A header is one short line; a longer first line is not ours anyway.
constexpr std::size_t kFirstLineLimit = 256;

std::string FirstLineOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string start(kFirstLineLimit, '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(in.gcount()));
  return LogFirstLine(start);
}

}  // namespace

std::string LogFirstLine(std::string_view text) {
  std::string_view line = text.substr(0, std::min(text.find('\n'), kFirstLineLimit));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return std::string(line);
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string CsvTextField(const std::string& text) {
  const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
  return CsvField(formula ? "'" + text : text);
}

std::string LogRow(const CarRecord& car) {
  return CsvField(car.time) + "," + CsvTextField(car.port) + "," + std::to_string(car.yourId) +
         "," + std::to_string(car.myId) + "," + CsvTextField(car.name) + "," + car.rosterLevel +
         "," + car.oldLevel + "," + car.newLevel + "," + CsvField(car.result) + "\n";
}

const char* WatchLog::Header() {
  return "time,port,yourid,myid,name,roster_level,old_level,new_level,result";
}

std::string LostRowMessage(const CarRecord& car, const std::string& path, const std::string& why) {
  return "the log row of " + car.port + " YOURID " + std::to_string(car.yourId) + " MYID " +
         std::to_string(car.myId) + " could not be written to " + path + " (" + why +
         "); watching goes on";
}

WatchLog::WatchLog(const std::string& path, std::ostream& err) : WatchLog(path) { err_ = &err; }

WatchLog::WatchLog(const std::string& path) : path_(path), file_(PathFromUtf8(path)) {
  std::string why;
  open_ = AppendFile::Open(file_, why);
  if (!open_) throw UsageFailure("cannot open the log " + path + " for appending: " + why);
  if (open_->Size() > 0 && FirstLineOf(file_) != Header()) {
    throw UsageFailure("the log " + path + " has other columns; give a new file");
  }
  written_ = open_->Size();
}

// The open file is still the one the name shows, or the name shows again a
// file exactly as this run left it (a stick pulled and put back): then that
// file is opened afresh. Never a file made afresh under the name.
bool WatchLog::Reachable(std::string& why) {
  if (open_ && open_->IsNamedBy(file_)) return true;
  std::error_code error;
  const bool asLeft = fs::is_regular_file(file_, error) && fs::file_size(file_, error) == written_ &&
                      !error && (written_ == 0 || FirstLineOf(file_) == Header());
  if (asLeft) {
    if (auto reopened = AppendFile::Open(file_, why); reopened && reopened->IsNamedBy(file_)) {
      open_ = std::move(reopened);
      return true;
    }
  }
  why = "the file is no longer there (was its drive removed?)";
  return false;
}

std::optional<std::string> WatchLog::Append(const CarRecord& car) {
  const std::lock_guard lock(mutex_);
  std::string why;
  if (!Reachable(why)) return Lost(car, why);
  const std::string lead = open_->Size() == 0 ? std::string(Header()) + "\n"
                           : open_->EndsMidLine() ? "\n"
                                                  : "";
  if (!open_->Append(lead + LogRow(car), why)) return Lost(car, why);
  written_ = open_->Size();
  return std::nullopt;
}

std::optional<std::string> WatchLog::Lost(const CarRecord& car, const std::string& why) {
  ++lost_;
  if (err_ != nullptr) *err_ << "kx14ctl: " << LostRowMessage(car, path_, why) << std::endl;
  return why;
}

int WatchLog::RowsLost() const {
  const std::lock_guard lock(mutex_);
  return lost_;
}

}  // namespace kx14::cli
