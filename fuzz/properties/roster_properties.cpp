#include "fuzz/properties/roster_properties.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "files/exit_status.h"
#include "files/roster.h"
#include "protocol/handicap_captions.h"

namespace kx14::fuzz {
namespace {

const std::string kFile = "r.csv";

std::optional<cli::Roster> Read(const std::string& text, PropertyReport& report) {
  try {
    return cli::ParseRoster(text, kFile);
  } catch (const cli::CliFailure& failure) {
    const std::string message = failure.what();
    report.Expect(failure.Status() == cli::TExitStatus::UsageError, "refused as an input error",
                  [&] { return message; });
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    int line = 0;
    const bool named = std::sscanf(message.c_str(), "r.csv line %d:", &line) == 1;
    report.Expect(named && line >= 1 && line <= lines, "a refusal names a line of the input",
                  [&] { return message; });
  } catch (const std::exception& error) {
    report.Fail("refuses only with CliFailure", error.what());
  }
  return std::nullopt;
}

// UTF-8 as RFC 3629 has it (no overlong forms, no surrogates, at most
// U+10FFFF), written apart from the reader's own check.
bool IsUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t n = 0;
    if (c < 0x80)
      n = 1;
    else if ((c & 0xE0) == 0xC0)
      n = 2;
    else if ((c & 0xF0) == 0xE0)
      n = 3;
    else if ((c & 0xF8) == 0xF0)
      n = 4;
    else
      return false;
    if (i + n > text.size()) return false;
    char32_t code = n == 1 ? c : c & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < n; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The roster as CSV, every text field quoted.
std::string Written(const cli::Roster& roster) {
  std::string text = roster.idField + ",level,name,note\n";
  for (const cli::RosterCar& car : roster.cars) {
    text += std::to_string(car.id) + "," + std::string(HandicapShortName(car.level)) + "," +
            Quoted(car.name) + "," + Quoted(car.note) + "\n";
  }
  return text;
}

bool SameCars(const cli::Roster& a, const cli::Roster& b) {
  return a.idField == b.idField &&
         std::equal(a.cars.begin(), a.cars.end(), b.cars.begin(), b.cars.end(),
                    [](const cli::RosterCar& x, const cli::RosterCar& y) {
                      return x.id == y.id && x.level == y.level && x.name == y.name &&
                             x.note == y.note;
                    });
}

void CheckAccepted(const cli::Roster& roster, const std::string& text, PropertyReport& report) {
  report.Expect(roster.idField == "MYID" || roster.idField == "YOURID", "the identifier column",
                [&] { return roster.idField; });
  std::set<int> ids;
  int lastLine = 1;
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  for (const cli::RosterCar& car : roster.cars) {
    report.Expect(ids.insert(car.id).second, "identifiers are unique",
                  [&] { return std::to_string(car.id); });
    report.Expect(car.id >= 0 && car.id <= 0xFFFFFF, "identifiers are 24-bit",
                  [&] { return std::to_string(car.id); });
    report.Expect(std::find(kHandicapPresets.begin(), kHandicapPresets.end(), car.level) !=
                      kHandicapPresets.end(),
                  "levels exist", [&] { return std::to_string(static_cast<int>(car.level)); });
    report.Expect(IsUtf8(car.name) && IsUtf8(car.note), "names and notes are UTF-8",
                  [&] { return Printable(car.name) + " / " + Printable(car.note); });
    report.Expect(car.line > lastLine && car.line <= lines, "rows in file order, after the header",
                  [&] { return std::to_string(car.line); });
    lastLine = car.line;
    report.Expect(roster.Find(car.id) == &car, "Find gives the car",
                  [&] { return std::to_string(car.id); });
  }
}

}  // namespace

PropertyReport CheckRoster(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::string text(input.begin(), input.end());
  if (const std::optional<cli::Roster> roster = Read(text, report)) {
    CheckAccepted(*roster, text, report);
    const std::string written = Written(*roster);
    const std::optional<cli::Roster> again = Read(written, report);
    report.Expect(again && SameCars(*roster, *again), "a roster written back reads the same",
                  [&] { return Printable(written); });
  }
  return report;
}

}  // namespace kx14::fuzz
