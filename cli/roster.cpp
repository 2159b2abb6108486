#include "cli/roster.h"

#include <algorithm>
#include <unordered_map>

// Reading a whole small file needs no reader thread.
#define CSV_IO_NO_THREAD
#include <csv.h>

#include "cli/atomic_file.h"
#include "cli/exit_status.h"
#include "cli/field_text.h"
#include "cli/utf8_path.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

// A roster of a few hundred cars is a few kilobytes.
constexpr std::size_t kMaxRosterBytes = 1 << 20;

constexpr const char* kColumns = "MYID or YOURID, level, and optionally name and note";

using CsvReader = io::CSVReader<5, io::trim_chars<' ', '\t'>, io::double_quote_escape<',', '"'>,
                                io::throw_on_overflow, io::empty_line_comment>;

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    unsigned code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

int LineOf(std::string_view text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

class RosterReader {
 public:
  RosterReader(std::string_view text, const std::string& fileName)
      : fileName_(fileName), csv_(fileName, text.data(), text.data() + text.size()) {}

  Roster Read();

 private:
  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw UsageFailure(fileName_ + " line " + std::to_string(line) + ": " + what);
  }
  void ReadHeader();
  void AddRow(const std::string& id, const std::string& level, std::string name, std::string note);
  std::string Describe(const io::error::base& error) const;

  std::string fileName_;
  CsvReader csv_;
  Roster roster_;
  std::unordered_map<int, int> lineOfId_;
};

std::string RosterReader::Describe(const io::error::base& error) const {
  if (dynamic_cast<const io::error::too_few_columns*>(&error)) {
    return "fewer fields than the header has columns";
  }
  if (dynamic_cast<const io::error::too_many_columns*>(&error)) {
    return "more fields than the header has columns (quote a field that holds a comma)";
  }
  if (dynamic_cast<const io::error::escaped_string_not_closed*>(&error)) {
    return "a quoted field is not closed on its line";
  }
  if (const auto* extra = dynamic_cast<const io::error::extra_column_in_header*>(&error)) {
    return std::string("unknown column \"") + extra->column_name + "\" (columns: " + kColumns + ")";
  }
  if (const auto* twice = dynamic_cast<const io::error::duplicated_column_in_header*>(&error)) {
    return std::string("column \"") + twice->column_name + "\" given twice";
  }
  if (dynamic_cast<const io::error::header_missing*>(&error)) {
    return std::string("no header (columns: ") + kColumns + ")";
  }
  if (dynamic_cast<const io::error::line_length_limit_exceeded*>(&error)) return "line too long";
  return "malformed row";
}

void RosterReader::ReadHeader() {
  csv_.read_header(io::ignore_missing_column, "MYID", "YOURID", "level", "name", "note");
  const bool myId = csv_.has_column("MYID");
  const bool yourId = csv_.has_column("YOURID");
  if (myId == yourId) {
    Fail(1, myId ? "both MYID and YOURID: give the one that names the cars"
                 : std::string("no identifier column (columns: ") + kColumns + ")");
  }
  if (!csv_.has_column("level")) Fail(1, "no level column");
  roster_.idField = myId ? "MYID" : "YOURID";
}

void RosterReader::AddRow(const std::string& id, const std::string& level, std::string name,
                          std::string note) {
  const int line = static_cast<int>(csv_.get_file_line());
  if (!IsUtf8(name) || !IsUtf8(note) || !IsUtf8(level)) Fail(line, "text that is not UTF-8");
  const std::optional<int> value = ParseFieldValue(*FindBlockField(roster_.idField), id);
  if (!value) {
    Fail(line, roster_.idField + " \"" + id + "\" is not 0..16777215 (decimal or 0x hex)");
  }
  const std::optional<THandicapPreset> preset = HandicapByName(level);
  if (!preset) {
    Fail(line, "unknown level \"" + level + "\": use one of S M 0 1 2 3 4 5 6 MAX or a caption");
  }
  if (const auto [at, fresh] = lineOfId_.emplace(*value, line); !fresh) {
    Fail(line, roster_.idField + " " + std::to_string(*value) + " is already on line " +
                   std::to_string(at->second));
  }
  roster_.cars.push_back({line, *value, *preset, std::move(name), std::move(note)});
}

Roster RosterReader::Read() {
  try {
    ReadHeader();
    std::string myId, yourId, level, name, note;
    while (true) {
      myId.clear(), yourId.clear(), level.clear(), name.clear(), note.clear();
      if (!csv_.read_row(myId, yourId, level, name, note)) break;
      // A spreadsheet writes rows it once formatted as bare commas.
      if ((myId + yourId + level + name + note).empty()) continue;
      AddRow(roster_.idField == "MYID" ? myId : yourId, level, std::move(name), std::move(note));
    }
  } catch (const io::error::base& error) {
    const auto* located = dynamic_cast<const io::error::with_file_line*>(&error);
    Fail(located != nullptr && located->file_line > 0 ? located->file_line : 1, Describe(error));
  }
  return std::move(roster_);
}

}  // namespace

const RosterCar* Roster::Find(int id) const {
  const auto car =
      std::find_if(cars.begin(), cars.end(), [id](const RosterCar& c) { return c.id == id; });
  return car == cars.end() ? nullptr : &*car;
}

Roster ParseRoster(std::string_view text, const std::string& fileName) {
  // The CSV reader works on C strings: a NUL byte would end a line early.
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    throw UsageFailure(fileName + " line " + std::to_string(LineOf(text, nul)) + ": a NUL byte");
  }
  return RosterReader(text, fileName).Read();
}

Roster ReadRoster(const std::string& path) {
  return ParseRoster(ReadWholeFile(PathFromUtf8(path), kMaxRosterBytes), path);
}

}  // namespace kx14::cli
