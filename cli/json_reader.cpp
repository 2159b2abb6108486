#include <charconv>
#include <utility>

#include "cli/json_value.h"

namespace kx14::cli {
namespace {

constexpr int kMaxDepth = 64;

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    SkipBlanks();
    if (pos_ != text_.size()) Fail("text after the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw JsonError(what + " at offset " + std::to_string(pos_));
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++pos_;
  }

  bool TakeWord(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > kMaxDepth) Fail("nested too deep");
    SkipBlanks();
    JsonValue value;
    const char c = Peek();
    if (c == '{') return Object(depth);
    if (c == '[') return Array(depth);
    if (c == '"') {
      value.type = JsonValue::Type::String;
      value.text = StringLiteral();
    } else if (TakeWord("true")) {
      value.type = JsonValue::Type::Bool;
      value.boolean = true;
    } else if (TakeWord("false")) {
      value.type = JsonValue::Type::Bool;
    } else if (TakeWord("null")) {
      value.type = JsonValue::Type::Null;
    } else {
      value.type = JsonValue::Type::Number;
      value.text = NumberLiteral();
    }
    return value;
  }

  JsonValue Object(int depth) {
    JsonValue value;
    value.type = JsonValue::Type::Object;
    Expect('{');
    SkipBlanks();
    if (Peek() == '}') return ++pos_, value;
    for (;;) {
      SkipBlanks();
      std::string name = StringLiteral();
      SkipBlanks();
      Expect(':');
      value.members.push_back(JsonMember{std::move(name), Value(depth + 1)});
      SkipBlanks();
      if (Peek() == '}') return ++pos_, value;
      Expect(',');
    }
  }

  JsonValue Array(int depth) {
    JsonValue value;
    value.type = JsonValue::Type::Array;
    Expect('[');
    SkipBlanks();
    if (Peek() == ']') return ++pos_, value;
    for (;;) {
      value.items.push_back(Value(depth + 1));
      SkipBlanks();
      if (Peek() == ']') return ++pos_, value;
      Expect(',');
    }
  }

  std::string NumberLiteral() {
    const std::size_t start = pos_;
    auto digits = [this] {
      const std::size_t from = pos_;
      while (Peek() >= '0' && Peek() <= '9') ++pos_;
      return pos_ > from;
    };
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (!digits()) {
      Fail("expected a value");
    }
    if (Peek() == '.' && (++pos_, !digits())) Fail("bad number");
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!digits()) Fail("bad number");
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  unsigned Hex4() {
    if (text_.size() - pos_ < 4) Fail("bad \\u escape");
    unsigned code = 0;
    const auto [end, error] =
        std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
    if (error != std::errc() || end != text_.data() + pos_ + 4) Fail("bad \\u escape");
    pos_ += 4;
    return code;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | code >> 12);
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | code >> 18);
      out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  unsigned EscapedCode() {
    unsigned code = Hex4();
    if (code >= 0xD800 && code < 0xDC00) {  // a surrogate pair's first half
      if (!TakeWord("\\u")) Fail("lone surrogate");
      const unsigned low = Hex4();
      if (low < 0xDC00 || low > 0xDFFF) Fail("lone surrogate");
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      Fail("lone surrogate");
    }
    return code;
  }

  void Escape(std::string& out) {
    const char c = Peek();
    ++pos_;
    switch (c) {
      case '"':
      case '\\':
      case '/':
        out += c;
        return;
      case 'b':
        out += '\b';
        return;
      case 'f':
        out += '\f';
        return;
      case 'n':
        out += '\n';
        return;
      case 'r':
        out += '\r';
        return;
      case 't':
        out += '\t';
        return;
      case 'u':
        AppendUtf8(out, EscapedCode());
        return;
      default:
        Fail("bad escape");
    }
  }

  std::string StringLiteral() {
    Expect('"');
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) Fail("unterminated string");
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in string");
      if (c == '\\') {
        Escape(out);
      } else {
        out += c;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

JsonValue::JsonValue() = default;
JsonValue::~JsonValue() = default;
JsonValue::JsonValue(const JsonValue&) = default;
JsonValue::JsonValue(JsonValue&&) noexcept = default;
JsonValue& JsonValue::operator=(const JsonValue&) = default;
JsonValue& JsonValue::operator=(JsonValue&&) noexcept = default;

const JsonValue* JsonValue::Find(std::string_view name) const {
  for (const auto& [key, value] : members) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::optional<std::int64_t> JsonValue::Integer() const {
  if (type != Type::Number) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

JsonValue ParseJson(std::string_view text) { return Reader(text).Document(); }

}  // namespace kx14::cli
