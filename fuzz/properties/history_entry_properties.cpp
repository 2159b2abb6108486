#include "fuzz/properties/history_entry_properties.h"

#include <algorithm>
#include <optional>
#include <string>

#include "history/history_entry.h"

namespace kx14::fuzz {
namespace {

using history::HistoryEntry;

std::optional<HistoryEntry> Parse(std::string_view text, PropertyReport& report) {
  try {
    return history::ParseEntryDocument(text);
  } catch (const std::exception& error) {
    report.Fail("the reader never throws", error.what());
  }
  return std::nullopt;
}

bool SameEntry(const HistoryEntry& a, const HistoryEntry& b) {
  return a.time == b.time && a.program == b.program && a.programVersion == b.programVersion &&
         a.command == b.command && a.port == b.port && a.before == b.before && a.sent == b.sent &&
         a.result == b.result && a.detail == b.detail && a.lostBefore == b.lostBefore;
}

// Every cut of the written entry short of its final newline is refused.
void CheckTornParts(const std::string& written, std::size_t cut, PropertyReport& report) {
  const std::size_t size = cut % (written.size() - 1);
  report.Expect(!Parse(written.substr(0, size), report), "a torn entry is never an entry",
                [&] { return std::to_string(size) + " bytes of " + Printable(written); });
}

}  // namespace

PropertyReport CheckHistoryEntry(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::string text(input.begin(), input.end());
  if (const std::optional<HistoryEntry> entry = Parse(text, report)) {
    const std::string rewritten = history::EntryDocument(*entry);
    const std::optional<HistoryEntry> again = Parse(rewritten, report);
    report.Expect(again && SameEntry(*again, *entry), "an accepted entry survives a rewrite",
                  [&] { return Printable(rewritten); });
    CheckTornParts(rewritten, input.size(), report);
  }
  HistoryEntry made;
  made.time = "2026-12-09T10:00:00.000Z";
  std::copy_n(input.begin(), std::min<std::size_t>(input.size(), 16), made.sent.begin());
  if (input.size() > 16) made.before = made.sent;
  made.detail = text.substr(0, std::min<std::size_t>(text.size(), 32));
  const std::string written = history::EntryDocument(made);
  const std::optional<HistoryEntry> read = Parse(written, report);
  report.Expect(read && read->sent == made.sent && read->before == made.before,
                "any 16 bytes recorded read back unchanged", [&] { return Printable(written); });
  CheckTornParts(written, input.size() * 7, report);
  return report;
}

}  // namespace kx14::fuzz
