#include "fuzz/properties/property_report.h"

#include <cstdio>
#include <cstdlib>

namespace kx14::fuzz {

void PropertyReport::Fail(std::string_view property, std::string_view detail) {
  std::string failure(property);
  if (!detail.empty()) failure.append(": ").append(detail);
  failures_.push_back(std::move(failure));
}

std::string PropertyReport::Summary() const {
  std::string summary;
  for (const std::string& failure : failures_) summary.append(failure).append("\n");
  return summary;
}

std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      out.push_back(c);
    } else {
      out.append("\\x").push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0F]);
    }
  }
  out.push_back('"');
  return out;
}

std::string PrintableList(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (const std::string& text : texts) out.append(Printable(text)).append(" ");
  return out.append("]");
}

void AbortUnlessPassed(const PropertyReport& report) {
  if (report.Passed()) return;
  std::fprintf(stderr, "broken property:\n%s", report.Summary().c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace kx14::fuzz
