#include "files/csv_lines.h"

namespace kx14::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool Blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::string_view Trimmed(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return field.substr(first, field.find_last_not_of(" \t") - first + 1);
}

std::string Unquoted(std::string_view field) {
  if (field.size() < 2 || field.front() != '"' || field.back() != '"') return std::string(field);
  std::string text;
  for (std::size_t i = 1; i + 1 < field.size(); ++i) {
    text += field[i];
    if (field[i] == '"' && field[i + 1] == '"' && i + 2 < field.size()) ++i;
  }
  return text;
}

// Where the field that starts at `begin` ends: at the next comma outside
// quotes, or at the end of the line.
std::size_t FieldEnd(std::string_view line, std::size_t begin, int number) {
  bool quoted = false;
  for (std::size_t i = begin; i < line.size(); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else if (line[i] == ',' && !quoted) {
      return i;
    }
  }
  if (quoted) throw CsvQuoteNotClosed(number);
  return line.size();
}

std::vector<std::string> Fields(std::string_view line, int number) {
  std::vector<std::string> fields;
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = FieldEnd(line, begin, number);
    fields.push_back(Unquoted(Trimmed(line.substr(begin, end - begin))));
    if (end == line.size()) return fields;
    begin = end + 1;
  }
}

}  // namespace

std::vector<CsvLine> ReadCsvLines(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::vector<CsvLine> lines;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!Blank(line)) lines.push_back({number, Fields(line, number)});
  }
  return lines;
}

}  // namespace kx14::cli
