#include <cstdio>

#include "cli/json_value.h"

namespace kx14::cli {

std::string JsonQuoted(std::string_view value) {
  std::string out = "\"";
  for (const char c : value) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void JsonWriter::Separate() {
  if (hasItems_.empty()) return;
  if (hasItems_.back()) out_ += ",";
  hasItems_.back() = true;
  out_ += "\n" + std::string(2 * hasItems_.size(), ' ');
}

void JsonWriter::Key(std::string_view name) {
  Separate();
  out_ += JsonQuoted(name) + ": ";
}

void JsonWriter::Open(char bracket) {
  out_ += bracket;
  hasItems_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  const bool hadItems = hasItems_.back();
  hasItems_.pop_back();
  if (hadItems) out_ += "\n" + std::string(2 * hasItems_.size(), ' ');
  out_ += bracket;
}

JsonWriter& JsonWriter::BeginObject() { return Open('{'), *this; }
JsonWriter& JsonWriter::EndObject() { return Close('}'), *this; }
JsonWriter& JsonWriter::BeginArray(std::string_view name) { return Key(name), Open('['), *this; }
JsonWriter& JsonWriter::BeginArrayItem() { return Separate(), Open('{'), *this; }
JsonWriter& JsonWriter::EndArray() { return Close(']'), *this; }
JsonWriter& JsonWriter::BeginMember(std::string_view name) { return Key(name), Open('{'), *this; }

JsonWriter& JsonWriter::String(std::string_view name, std::string_view value) {
  Key(name);
  out_ += JsonQuoted(value);
  return *this;
}

JsonWriter& JsonWriter::Number(std::string_view name, long long value) {
  Key(name);
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(std::string_view name, bool value) {
  Key(name);
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null(std::string_view name) {
  Key(name);
  out_ += "null";
  return *this;
}

}  // namespace kx14::cli
