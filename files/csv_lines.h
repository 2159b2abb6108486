#pragma once

// The lines of a small CSV file split into fields: a comma separates fields
// outside quotes; a quoted run may hold commas and doubled quotes but not a
// line break; spaces and tabs around a field are trimmed; a field quoted
// whole loses its quotes. A leading UTF-8 byte order mark, a carriage
// return before each line break and lines that hold only spaces and tabs
// are passed over.
//
// Written here rather than taken from a CSV library: the one Debian packages
// header-only (so that mingw builds it too) takes a 48 MiB buffer for every
// file, which made a roster of a few lines cost milliseconds and starved its
// fuzzing.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kx14::cli {

struct CsvLine {
  int number = 0;  // in the file, from 1
  std::vector<std::string> fields;
};

// A quoted run that is not closed on its line.
class CsvQuoteNotClosed : public std::runtime_error {
 public:
  explicit CsvQuoteNotClosed(int line)
      : std::runtime_error("a quoted field is not closed on its line"), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

std::vector<CsvLine> ReadCsvLines(std::string_view text);

}  // namespace kx14::cli
