#include "cli/backup_document.h"

#include <chrono>
#include <cstdio>
#include <optional>

#include "cli/block_fields.h"
#include "cli/exit_status.h"
#include "cli/json_value.h"
#include "protocol/checksum.h"

namespace kx14::cli {
namespace {

std::string HexByte(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

// Exactly 2 * N hex digits.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> ParseHex(std::string_view text) {
  if (text.size() != 2 * N) return std::nullopt;
  std::array<std::uint8_t, N> bytes{};
  for (std::size_t i = 0; i < N; ++i) {
    const auto high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
    if (!high || !low) return std::nullopt;
    bytes[i] = static_cast<std::uint8_t>(*high << 4 | *low);
  }
  return bytes;
}

[[noreturn]] void Refuse(const std::string& why) { throw UsageFailure("bad backup file: " + why); }

const JsonValue& Member(const JsonValue& document, std::string_view name, JsonValue::Type type) {
  const JsonValue* value = document.Find(name);
  if (value == nullptr || value->type != type) {
    Refuse("\"" + std::string(name) + "\" is missing or of the wrong type");
  }
  return *value;
}

// Whether the document's value of a field is the block's.
bool FieldAgrees(const JsonValue& value, const BlockBytes& block, const BlockField& field) {
  if (field.kind == TFieldKind::Flag) {
    return value.type == JsonValue::Type::String && value.text == FieldText(block, field);
  }
  return value.Integer() == std::optional<std::int64_t>(FieldValue(block, field));
}

void CheckFields(const JsonValue& fields, const BlockBytes& block) {
  for (const BlockField& field : BlockFields()) {
    const JsonValue* value = fields.Find(field.name);
    if (value == nullptr || !FieldAgrees(*value, block, field)) {
      Refuse("field " + std::string(field.name) + " disagrees with the block");
    }
  }
  for (const auto& [name, value] : fields.members) {
    if (FindBlockField(name) == nullptr) Refuse("unknown field \"" + name + "\"");
  }
}

}  // namespace

std::string BlockHex(const BlockBytes& block) {
  std::string hex;
  for (const std::uint8_t byte : block) hex += HexByte(byte);
  return hex;
}

std::string UtcTimestamp() {
  // The calendar of <chrono>, not std::gmtime: its one static result would
  // be shared by watch's threads, one per port.
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto today = floor<days>(now);
  const year_month_day date(today);
  const hh_mm_ss time(now - today);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string BackupDocument(const BlockBytes& block, std::string_view port, std::string_view time) {
  JsonWriter json;
  json.BeginObject()
      .String("format", kBackupFormat)
      .Number("version", kBackupVersion)
      .String("port", port)
      .String("time", time)
      .String("block", BlockHex(block))
      .String("checksum", HexByte(CheckSum(block)))
      .BeginMember("fields");
  for (const BlockField& field : BlockFields()) {
    if (field.kind == TFieldKind::Flag) {
      json.String(field.name, FieldText(block, field));
    } else {
      json.Number(field.name, FieldValue(block, field));
    }
  }
  return json.EndObject().EndObject().Text();
}

BlockBytes ReadBackupDocument(std::string_view text) {
  JsonValue document;
  try {
    document = ParseJson(text);
  } catch (const JsonError& error) {
    Refuse(std::string("not valid JSON (") + error.what() + ")");
  }
  if (document.type != JsonValue::Type::Object) Refuse("not a JSON object");
  if (Member(document, "format", JsonValue::Type::String).text != kBackupFormat) {
    Refuse("not a kx14-parameter-block document");
  }
  if (Member(document, "version", JsonValue::Type::Number).Integer() != kBackupVersion) {
    Refuse("unsupported version");
  }
  const auto block = ParseHex<16>(Member(document, "block", JsonValue::Type::String).text);
  if (!block) Refuse("\"block\" is not 16 bytes in hex");
  const auto checksum = ParseHex<1>(Member(document, "checksum", JsonValue::Type::String).text);
  if (!checksum || (*checksum)[0] != CheckSum(*block))
    Refuse("the checksum does not match the block");
  CheckFields(Member(document, "fields", JsonValue::Type::Object), *block);
  return *block;
}

}  // namespace kx14::cli
