#include "files/roster.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "files/atomic_file.h"
#include "files/csv_lines.h"
#include "files/exit_status.h"
#include "files/field_text.h"
#include "files/utf8_path.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

// A roster of a few hundred cars is a few kilobytes.
constexpr std::size_t kMaxRosterBytes = 1 << 20;

constexpr const char* kColumns = "MYID or YOURID, level, and optionally name and note";
constexpr std::array<std::string_view, 5> kColumnNames = {"MYID", "YOURID", "level", "name",
                                                          "note"};

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
  explicit RosterReader(const std::string& fileName) : fileName_(fileName) {}

  Roster Read(const std::vector<CsvLine>& lines);

 private:
  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw UsageFailure(fileName_ + " line " + std::to_string(line) + ": " + what);
  }
  void ReadHeader(const CsvLine& header);
  // The row's field of a column; empty when the header lacks the column.
  std::string Field(const CsvLine& row, std::string_view column) const;
  void AddRow(const CsvLine& row);

  std::string fileName_;
  std::vector<std::string> columns_;  // the header's, in its order
  Roster roster_;
  std::unordered_map<int, int> lineOfId_;
};

void RosterReader::ReadHeader(const CsvLine& header) {
  for (const std::string& column : header.fields) {
    if (std::find(kColumnNames.begin(), kColumnNames.end(), column) == kColumnNames.end()) {
      Fail(header.number, "unknown column \"" + column + "\" (columns: " + kColumns + ")");
    }
    if (std::find(columns_.begin(), columns_.end(), column) != columns_.end()) {
      Fail(header.number, "column \"" + column + "\" given twice");
    }
    columns_.push_back(column);
  }
  const auto has = [this](std::string_view name) {
    return std::find(columns_.begin(), columns_.end(), name) != columns_.end();
  };
  if (has("MYID") == has("YOURID")) {
    Fail(header.number, has("MYID") ? "both MYID and YOURID: give the one that names the cars"
                                    : std::string("no identifier column (columns: ") + kColumns + ")");
  }
  if (!has("level")) Fail(header.number, "no level column");
  roster_.idField = has("MYID") ? "MYID" : "YOURID";
}

std::string RosterReader::Field(const CsvLine& row, std::string_view column) const {
  const auto at = std::find(columns_.begin(), columns_.end(), column);
  return at == columns_.end() ? std::string() : row.fields[at - columns_.begin()];
}

void RosterReader::AddRow(const CsvLine& row) {
  const int line = row.number;
  if (row.fields.size() < columns_.size()) Fail(line, "fewer fields than the header has columns");
  if (row.fields.size() > columns_.size()) {
    Fail(line, "more fields than the header has columns (quote a field that holds a comma)");
  }
  // A spreadsheet writes rows it once formatted as bare commas.
  if (std::all_of(row.fields.begin(), row.fields.end(), [](const auto& f) { return f.empty(); })) {
    return;
  }
  const std::string id = Field(row, roster_.idField);
  const std::string level = Field(row, "level");
  std::string name = Field(row, "name");
  std::string note = Field(row, "note");
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

Roster RosterReader::Read(const std::vector<CsvLine>& lines) {
  if (lines.empty()) Fail(1, std::string("no header (columns: ") + kColumns + ")");
  ReadHeader(lines.front());
  for (std::size_t i = 1; i < lines.size(); ++i) AddRow(lines[i]);
  return std::move(roster_);
}

}  // namespace

const RosterCar* Roster::Find(int id) const {
  const auto car =
      std::find_if(cars.begin(), cars.end(), [id](const RosterCar& c) { return c.id == id; });
  return car == cars.end() ? nullptr : &*car;
}

Roster ParseRoster(std::string_view text, const std::string& fileName) {
  // A NUL byte is no text a roster holds (and a spreadsheet never writes).
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    throw UsageFailure(fileName + " line " + std::to_string(LineOf(text, nul)) + ": a NUL byte");
  }
  try {
    return RosterReader(fileName).Read(ReadCsvLines(text));
  } catch (const CsvQuoteNotClosed& error) {
    throw UsageFailure(fileName + " line " + std::to_string(error.Line()) + ": " + error.what());
  }
}

Roster ReadRoster(const std::string& path) {
  return ParseRoster(ReadWholeFile(PathFromUtf8(path), kMaxRosterBytes), path);
}

}  // namespace kx14::cli
