#include "files/backup_document.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

#include "files/exit_status.h"
#include "files/field_text.h"
#include "files/json_text.h"
#include "protocol/checksum.h"
#include "protocol/hex_bytes.h"

namespace kx14::cli {
namespace {

std::string HexByte(std::uint8_t byte) { return HexBytes(std::string(1, static_cast<char>(byte))); }

// Exactly 2 * N hex digits, nothing between them.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> ParseHex(std::string_view text) {
  const std::optional<ByteString> parsed = ParseHexBytes(text);
  if (text.size() != 2 * N || !parsed || parsed->size() != N) return std::nullopt;
  std::array<std::uint8_t, N> bytes{};
  std::copy(parsed->begin(), parsed->end(), bytes.begin());
  return bytes;
}

[[noreturn]] void Refuse(const std::string& why) { throw UsageFailure("bad backup file: " + why); }

const Json& Member(const Json& document, const char* name, Json::value_t type) {
  const auto value = document.find(name);
  if (value == document.end() || value->type() != type) {
    Refuse("\"" + std::string(name) + "\" is missing or of the wrong type");
  }
  return *value;
}

const std::string& StringMember(const Json& document, const char* name) {
  return Member(document, name, Json::value_t::string).get_ref<const std::string&>();
}

// A number written as a whole number within int64 (not 5.0, not 1e1).
std::optional<std::int64_t> WholeNumber(const Json& value) {
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
    return static_cast<std::int64_t>(number);
  }
  if (value.is_number_integer()) return value.get<std::int64_t>();
  return std::nullopt;
}

// Whether the document's value of a field is the block's.
bool FieldAgrees(const Json& value, const BlockBytes& block, const BlockField& field) {
  if (field.kind == TFieldKind::Flag) {
    return value.is_string() && value.get_ref<const std::string&>() == FieldText(block, field);
  }
  return WholeNumber(value) == std::optional<std::int64_t>(FieldValue(block, field));
}

void CheckFields(const Json& fields, const BlockBytes& block) {
  for (const BlockField& field : BlockFields()) {
    const auto value = fields.find(field.name);
    if (value == fields.end() || !FieldAgrees(*value, block, field)) {
      Refuse("field " + std::string(field.name) + " disagrees with the block");
    }
  }
  for (const auto& [name, value] : fields.items()) {
    if (FindBlockField(name) == nullptr) Refuse("unknown field \"" + name + "\"");
  }
}

}  // namespace

std::string BlockHex(const BlockBytes& block) {
  return HexBytes(std::string(block.begin(), block.end()), "");
}

std::string UtcTimestamp() {
  return UtcTimeText(
      std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()), false);
}

std::string UtcTimeText(std::chrono::sys_time<std::chrono::milliseconds> when, bool milliseconds) {
  // The calendar of <chrono>, not std::gmtime: its one static result would
  // be shared by watch's threads, one per port.
  using namespace std::chrono;
  const auto today = floor<days>(when);
  const year_month_day date(today);
  const hh_mm_ss time(when - today);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  std::string result = text;
  if (milliseconds) {
    std::snprintf(text, sizeof text, ".%03d", static_cast<int>(time.subseconds().count()));
    result += text;
  }
  return result + "Z";
}

std::string BackupDocument(const BlockBytes& block, std::string_view port, std::string_view time) {
  Json fields = Json::object();
  for (const BlockField& field : BlockFields()) {
    if (field.kind == TFieldKind::Flag) {
      fields[field.name] = FieldText(block, field);
    } else {
      fields[field.name] = FieldValue(block, field);
    }
  }
  return JsonText({{"format", kBackupFormat},
                   {"version", kBackupVersion},
                   {"port", port},
                   {"time", time},
                   {"block", BlockHex(block)},
                   {"checksum", HexByte(CheckSum(block))},
                   {"fields", std::move(fields)}});
}

BlockBytes ReadBackupDocument(std::string_view text) {
  Json document;
  try {
    document = Json::parse(text);
  } catch (const Json::exception& error) {
    // A syntax error, and also a number too large for any C++ type (which
    // the library reports as out of range, not as a parse error).
    Refuse(std::string("not valid JSON (") + error.what() + ")");
  }
  if (!document.is_object()) Refuse("not a JSON object");
  if (StringMember(document, "format") != kBackupFormat) {
    Refuse("not a kx14-parameter-block document");
  }
  const auto version = document.find("version");
  if (version == document.end() || !version->is_number()) {
    Refuse("\"version\" is missing or of the wrong type");
  }
  if (WholeNumber(*version) != kBackupVersion) Refuse("unsupported version");
  const auto block = ParseHex<16>(StringMember(document, "block"));
  if (!block) Refuse("\"block\" is not 16 bytes in hex");
  const auto checksum = ParseHex<1>(StringMember(document, "checksum"));
  if (!checksum || (*checksum)[0] != CheckSum(*block))
    Refuse("the checksum does not match the block");
  CheckFields(Member(document, "fields", Json::value_t::object), *block);
  return *block;
}

}  // namespace kx14::cli
