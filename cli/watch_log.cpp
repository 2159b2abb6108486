#include "cli/watch_log.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <system_error>

#include "cli/exit_status.h"
#include "cli/utf8_path.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

// A file that holds rows already: not a device such as /dev/null.
bool HasRows(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && fs::file_size(file, error) > 0 && !error;
}

// A new or empty file: the first row brings the header.
bool NeedsHeader(const fs::path& file) {
  std::error_code error;
  if (!fs::exists(file, error)) return true;
  return fs::is_regular_file(file, error) && fs::file_size(file, error) == 0 && !error;
}

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string line(256, '\0');
  in.getline(line.data(), static_cast<std::streamsize>(line.size()));
  line.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount() - 1, 0)));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

const char* WatchLog::Header() {
  return "time,port,yourid,myid,name,roster_level,old_level,new_level,result";
}

WatchLog::WatchLog(const std::string& path, std::ostream& err)
    : path_(path), file_(PathFromUtf8(path)), err_(err) {
  if (!std::ofstream(file_, std::ios::app)) {
    throw UsageFailure("cannot open the log " + path + " for appending: " + std::strerror(errno));
  }
  if (HasRows(file_) && FirstLine(file_) != Header()) {
    throw UsageFailure("the log " + path + " has other columns; give a new file");
  }
}

bool WatchLog::Write(const CarRecord& car) {
  const bool fresh = NeedsHeader(file_);
  std::ofstream csv(file_, std::ios::app);
  if (fresh) csv << Header() << "\n";
  csv << CsvField(car.time) << "," << CsvField(car.port) << "," << car.yourId << "," << car.myId
      << "," << CsvField(car.name) << "," << car.rosterLevel << "," << car.oldLevel << ","
      << car.newLevel << "," << CsvField(car.result) << "\n";
  csv.flush();
  csv.close();
  return !csv.fail();
}

void WatchLog::Append(const CarRecord& car) {
  const std::lock_guard lock(mutex_);
  errno = 0;
  if (Write(car)) return;
  const int error = errno;
  ++lost_;
  err_ << "kx14ctl: the log row of " << car.port << " YOURID " << car.yourId << " MYID " << car.myId
       << " could not be written to " << path_
       << (error != 0 ? std::string(" (") + std::strerror(error) + ")" : std::string())
       << "; watching goes on" << std::endl;
}

int WatchLog::RowsLost() const {
  const std::lock_guard lock(mutex_);
  return lost_;
}

}  // namespace kx14::cli
