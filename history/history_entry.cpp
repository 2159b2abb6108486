#include "history/history_entry.h"

#include <array>
#include <chrono>

#include "files/backup_document.h"
#include "files/exit_status.h"
#include "files/json_text.h"
#include "protocol/block_fields.h"
#include "protocol/hex_bytes.h"

namespace kx14::history {
namespace {

using cli::Json;

struct ResultText {
  TStoreResult result;
  std::string_view name;
};

constexpr std::array<ResultText, 7> kResults = {
    {{TStoreResult::Pending, "pending"},
     {TStoreResult::Acknowledged, "acknowledged"},
     {TStoreResult::ReadBackEqual, "read back equal"},
     {TStoreResult::ReadBackDiffers, "read back differs"},
     {TStoreResult::ReadBackFailed, "read back failed"},
     {TStoreResult::Refused, "refused"},
     {TStoreResult::NoAnswer, "no answer"}}};

int Identifier(const BlockBytes& block, const char* name) {
  return FieldValue(block, *FindBlockField(name));
}

std::optional<BlockBytes> BlockOfHex(const std::string& text) {
  const std::optional<ByteString> bytes = ParseHexBytes(text);
  if (text.size() != 32 || !bytes || bytes->size() != 16) return std::nullopt;
  BlockBytes block{};
  std::copy(bytes->begin(), bytes->end(), block.begin());
  return block;
}

// The text of a string member, or nothing when absent or not a string.
std::optional<std::string> Text(const Json& document, const char* name) {
  const auto value = document.find(name);
  if (value == document.end() || !value->is_string()) return std::nullopt;
  return value->get<std::string>();
}

// The before block: null, or a backup document that passes every check a
// restore makes.
std::optional<std::optional<BlockBytes>> BeforeBlock(const Json& document) {
  const auto before = document.find("before");
  if (before == document.end()) return std::nullopt;
  if (before->is_null()) return std::optional<BlockBytes>();
  try {
    return std::optional<BlockBytes>(cli::ReadBackupDocument(before->dump()));
  } catch (const cli::CliFailure&) {
    return std::nullopt;
  }
}

bool FillHeader(const Json& document, HistoryEntry& entry) {
  const auto version = document.find("version");
  const auto lost = document.find("lost_before");
  if (Text(document, "format") != std::string(kEntryFormat) || version == document.end() ||
      !version->is_number_integer() || *version != kEntryVersion || lost == document.end() ||
      !lost->is_number_integer() || *lost < 0 || *lost > INT32_MAX) {
    return false;
  }
  entry.lostBefore = lost->get<int>();
  for (auto [name, field] : {std::pair{"time", &entry.time},
                             {"program", &entry.program},
                             {"program_version", &entry.programVersion},
                             {"command", &entry.command},
                             {"port", &entry.port},
                             {"detail", &entry.detail}}) {
    const std::optional<std::string> text = Text(document, name);
    if (!text) return false;
    *field = *text;
  }
  return true;
}

}  // namespace

std::string_view ResultName(TStoreResult result) {
  for (const ResultText& r : kResults) {
    if (r.result == result) return r.name;
  }
  return "pending";
}

std::optional<TStoreResult> ResultByName(std::string_view name) {
  for (const ResultText& r : kResults) {
    if (r.name == name) return r.result;
  }
  return std::nullopt;
}

int HistoryEntry::YourId() const { return Identifier(sent, "YOURID"); }
int HistoryEntry::MyId() const { return Identifier(sent, "MYID"); }

std::string EntryDocument(const HistoryEntry& entry) {
  Json before = nullptr;
  if (entry.before) {
    before = Json::parse(cli::BackupDocument(*entry.before, entry.port, entry.time));
  }
  return cli::JsonText({{"format", kEntryFormat},
                        {"version", kEntryVersion},
                        {"time", entry.time},
                        {"program", entry.program},
                        {"program_version", entry.programVersion},
                        {"command", entry.command},
                        {"port", entry.port},
                        {"YOURID", entry.YourId()},
                        {"MYID", entry.MyId()},
                        {"result", ResultName(entry.result)},
                        {"detail", entry.detail},
                        {"sent", cli::BlockHex(entry.sent)},
                        {"lost_before", entry.lostBefore},
                        {"before", std::move(before)}});
}

std::optional<HistoryEntry> ParseEntryDocument(std::string_view text) {
  const Json document = Json::parse(text, nullptr, false);
  if (!document.is_object()) return std::nullopt;
  HistoryEntry entry;
  if (!FillHeader(document, entry)) return std::nullopt;
  const std::optional<std::string> result = Text(document, "result");
  const std::optional<std::string> sent = Text(document, "sent");
  const std::optional<TStoreResult> parsedResult = result ? ResultByName(*result) : std::nullopt;
  const std::optional<BlockBytes> sentBlock = sent ? BlockOfHex(*sent) : std::nullopt;
  const auto before = BeforeBlock(document);
  if (!parsedResult || !sentBlock || !before) return std::nullopt;
  entry.result = *parsedResult;
  entry.sent = *sentBlock;
  entry.before = *before;
  return entry;
}

std::string UtcMillisecondTime() {
  return cli::UtcTimeText(
      std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()), true);
}

}  // namespace kx14::history
