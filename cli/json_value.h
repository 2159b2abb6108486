#pragma once

// A small JSON document model, reader and writer for kx14ctl's backup files
// and --json output. The reader accepts RFC 8259 text (no comments, no
// trailing commas), nests at most 64 deep and never throws anything but
// JsonError on bad input.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kx14::cli {

class JsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct JsonMember;

struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  std::string text;  // a string's value, or a number's literal
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;  // in document order

  // Out of line, where JsonMember is complete.
  JsonValue();
  ~JsonValue();
  JsonValue(const JsonValue&);
  JsonValue(JsonValue&&) noexcept;
  JsonValue& operator=(const JsonValue&);
  JsonValue& operator=(JsonValue&&) noexcept;

  // The member's value; nothing when absent or when this is not an object.
  // With duplicate names, the first.
  const JsonValue* Find(std::string_view name) const;
  // A number that is a whole value within int64, else nothing.
  std::optional<std::int64_t> Integer() const;
};

struct JsonMember {
  std::string name;
  JsonValue value;
};

// Throws JsonError for anything but one JSON value with blanks around it.
JsonValue ParseJson(std::string_view text);

// Writes JSON text: objects on indented lines, two spaces per level.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray(std::string_view name);  // a member holding an array
  JsonWriter& BeginArrayItem();                   // an object inside an array
  JsonWriter& EndArray();
  JsonWriter& BeginMember(std::string_view name);  // a member holding an object
  JsonWriter& String(std::string_view name, std::string_view value);
  JsonWriter& Number(std::string_view name, long long value);
  JsonWriter& Bool(std::string_view name, bool value);
  JsonWriter& Null(std::string_view name);
  // The document, with a final newline.
  std::string Text() const { return out_ + "\n"; }

 private:
  void Key(std::string_view name);
  void Open(char bracket);
  void Close(char bracket);
  void Separate();

  std::string out_;
  std::vector<bool> hasItems_;
};

std::string JsonQuoted(std::string_view value);

}  // namespace kx14::cli
