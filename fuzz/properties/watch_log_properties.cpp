#include "fuzz/properties/watch_log_properties.h"

#include <fstream>
#include <sstream>
#include <string>

#include "files/exit_status.h"
#include "files/watch_log.h"
#include "temp_dir.h"

namespace kx14::fuzz {
namespace {

namespace fs = std::filesystem;

// One folder for the whole run: a fresh one per input would cost more than
// the log itself.
const fs::path& LogFile() {
  static const testing::TempDir dir;
  static const fs::path file = dir.path() / "race.csv";
  return file;
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The header as a person or a spreadsheet may have left it.
bool StartsWithHeader(const std::string& text) {
  const std::string header = cli::WatchLog::Header();
  if (text.compare(0, header.size(), header) != 0) return false;
  const std::string rest = text.substr(header.size());
  return rest.empty() || rest == "\r" || rest[0] == '\n' || rest.compare(0, 2, "\r\n") == 0;
}

const cli::CarRecord kCar{"2026-12-09T10:00:00Z", "COM3", 17, 2, "=name", "S", "0", "S", "ok",
                          cli::TCarOutcome::Programmed};

}  // namespace

PropertyReport CheckWatchLog(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::string text(input.begin(), input.end());
  std::ofstream(LogFile(), std::ios::binary | std::ios::trunc) << text;
  const bool ours = text.empty() || StartsWithHeader(text);
  std::ostringstream err;
  try {
    cli::WatchLog log(LogFile().string(), err);
    report.Expect(ours, "a file whose first line is not the header is refused");
    log.Append(kCar);
    const std::string after = Contents(LogFile());
    report.Expect(after.compare(0, text.size(), text) == 0, "the bytes before the row stay",
                  [&] { return Printable(after); });
    const std::string row = cli::LogRow(kCar);
    report.Expect(after.size() >= row.size() + 1 && after.ends_with("\n" + row),
                  "the row stands on a line of its own at the end", [&] { return Printable(after); });
    report.Expect(log.RowsLost() == 0, "a row is not lost", [&] { return err.str(); });
  } catch (const cli::CliFailure& failure) {
    report.Expect(!ours, "a file with the header is taken", [&] { return failure.what(); });
    report.Expect(failure.Status() == cli::TExitStatus::UsageError, "refused as an input error");
  } catch (const std::exception& error) {
    report.Fail("refuses only with CliFailure", error.what());
  }
  return report;
}

}  // namespace kx14::fuzz
