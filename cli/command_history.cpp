// The commands over the history of stores: history and diff.

#include <algorithm>
#include <chrono>
#include <optional>

#include "files/atomic_file.h"
#include "files/backup_document.h"
#include "files/block_difference.h"
#include "cli/block_source.h"
#include "cli/change_report.h"
#include "cli/commands.h"
#include "device/device_actions.h"
#include "files/exit_status.h"
#include "files/json_text.h"
#include "files/utf8_path.h"
#include "base/integer_text.h"

namespace kx14::cli {
namespace {

using history::HistoryEntry;

constexpr std::size_t kMaxDocumentSize = 64 * 1024;

// `when` as the entries write it, without the zone letter.
std::string IsoTime(std::chrono::system_clock::time_point when) {
  const std::string text = UtcTimeText(std::chrono::floor<std::chrono::milliseconds>(when), false);
  return text.substr(0, text.size() - 1);
}

// --since: "30m", "2h", "7d" ago, or a UTC time "2026-12-09", "2026-12-09T14:00"
// (any leading part of the form the entries carry), compared as text.
std::string SinceTime(const std::string& text) {
  const char unit = text.empty() ? '\0' : text.back();
  const std::optional<std::uint64_t> count =
      text.size() > 1 ? ReadDigits(std::string_view(text).substr(0, text.size() - 1), 10, 100000)
                      : std::nullopt;
  const int unitMinutes = unit == 'm' ? 1 : unit == 'h' ? 60 : unit == 'd' ? 1440 : 0;
  if (count && unitMinutes != 0) {
    return IsoTime(std::chrono::system_clock::now() -
                   std::chrono::minutes(*count * static_cast<std::uint64_t>(unitMinutes)));
  }
  const bool looksLikeDate = text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
                             ReadDigits(text.substr(0, 4), 10, 9999).has_value();
  if (!looksLikeDate) {
    throw UsageFailure("--since takes 30m, 2h, 7d or a UTC time such as 2026-12-09T14:00, not \"" +
                       text + "\"");
  }
  return text.ends_with('Z') ? text.substr(0, text.size() - 1) : text;
}

bool SamePortName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return std::toupper(x) == std::toupper(y); });
}

bool Wanted(const CliOptions& options, const HistoryEntry& entry, const std::string& since) {
  if (options.car && entry.YourId() != *options.car && entry.MyId() != *options.car) return false;
  if (options.port && !SamePortName(*options.port, entry.port)) return false;
  return since.empty() || entry.time >= since;
}

std::string EntryLines(std::size_t place, const HistoryEntry& e) {
  std::string text = "@" + std::to_string(place) + "  " + e.time + "  " + e.port + "  YOURID " +
                     std::to_string(e.YourId()) + "  MYID " + std::to_string(e.MyId()) + "  " +
                     e.program + " " + e.command + ": " + std::string(ResultName(e.result)) +
                     (e.detail.empty() ? "" : " (" + e.detail + ")") + "\n";
  if (!e.before) {
    text += "    stored " + BlockHex(e.sent) + "; no block before it\n";
  } else {
    const std::string changes = ChangesText(*e.before, e.sent);
    text += "    " + (changes.empty() ? std::string("no field changed") : changes) + "\n";
  }
  if (e.lostBefore > 0) {
    text += "    " + std::to_string(e.lostBefore) + " earlier store(s) of " + e.program +
            " could not be recorded\n";
  }
  return text;
}

Json EntryJson(std::size_t place, const HistoryEntry& e) {
  return {{"place", place},
          {"id", e.id},
          {"time", e.time},
          {"program", e.program},
          {"program_version", e.programVersion},
          {"command", e.command},
          {"port", e.port},
          {"YOURID", e.YourId()},
          {"MYID", e.MyId()},
          {"result", ResultName(e.result)},
          {"detail", e.detail},
          {"before", e.before ? Json(BlockHex(*e.before)) : Json()},
          {"sent", BlockHex(e.sent)},
          {"changes", e.before ? ChangesJson(*e.before, e.sent) : Json()},
          {"lost_before", e.lostBefore}};
}

// One side of a diff: its block and the name it is shown by.
struct DiffSide {
  BlockBytes block{};
  std::string name;
};

DiffSide SideOf(const CommandContext& context, const std::string& operand,
                std::optional<std::vector<HistoryEntry>>& entries) {
  if (operand == "device") {
    DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
    return {ReadOrFail(session), session.Port().name};
  }
  if (operand.starts_with('@')) {
    if (!entries) entries = RecordedHistory();
    const bool sent = operand.ends_with(":sent");
    const HistoryEntry& entry =
        EntryByPlace(*entries, sent ? operand.substr(0, operand.size() - 5) : operand);
    if (sent) return {entry.sent, operand};
    if (!entry.before)
      throw UsageFailure(operand + " holds no block before its store (that read failed)");
    return {*entry.before, operand};
  }
  return {ReadBlockDocument(ReadWholeFile(PathFromUtf8(operand), kMaxDocumentSize)), operand};
}

}  // namespace

void RunHistory(const CommandContext& context) {
  const std::vector<HistoryEntry> entries = RecordedHistory();
  const std::string since = context.options.since ? SinceTime(*context.options.since) : "";
  Json listed = Json::array();
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!Wanted(context.options, entries[i], since)) continue;
    listed.push_back(EntryJson(i + 1, entries[i]));
    text += EntryLines(i + 1, entries[i]);
  }
  if (context.options.json) {
    context.out << JsonText({{"command", "history"}, {"entries", std::move(listed)}});
  } else if (!context.options.quiet) {
    context.out << (text.empty() ? "no stores recorded\n" : text);
  }
}

void RunDiff(const CommandContext& context) {
  std::optional<std::vector<HistoryEntry>> entries;
  const DiffSide a = SideOf(context, context.options.operands[0], entries);
  const DiffSide b = SideOf(context, context.options.operands[1], entries);
  if (context.options.json) {
    context.out << JsonText({{"command", "diff"},
                             {"a", a.name},
                             {"b", b.name},
                             {"same", a.block == b.block},
                             {"changes", ChangesJson(a.block, b.block)}});
  } else if (!context.options.quiet || a.block != b.block) {
    context.out << ChangesTable(a.block, b.block, a.name, b.name);
  }
  if (a.block != b.block) {
    throw CliFailure(TExitStatus::DeviceFailed, a.name + " and " + b.name + " differ in " +
                                                    JoinNames(DifferingFields(a.block, b.block)));
  }
}

}  // namespace kx14::cli
