#include "fuzz/properties/typed_number_properties.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "fuzz/properties/fuzz_input.h"
#include "fuzz/properties/reference_integers.h"
#include "ui/typed_number.h"

namespace kx14::fuzz {
namespace {

// Two fallbacks that differ, so that "the fallback came back" cannot be
// confused with a valid text whose value happens to equal one of them.
constexpr std::int32_t kFallbackLow = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kFallbackHigh = std::numeric_limits<std::int32_t>::max();

std::string Show(const std::optional<std::int32_t>& value) {
  return value ? std::to_string(*value) : std::string("invalid");
}

std::string HexSpelling(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "$%X", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
  return text;
}

void CheckFallback(std::string_view text, const std::optional<std::int32_t>& parsed,
                   PropertyReport& report) {
  const std::int32_t low = ReadTypedNumber(text, kFallbackLow);
  const std::int32_t high = ReadTypedNumber(text, kFallbackHigh);
  const bool fellBack = low == kFallbackLow && high == kFallbackHigh;
  const auto detail = [&] {
    return Printable(text) + " gives " + std::to_string(low) + " and " + std::to_string(high) +
           ", parsed " + Show(parsed);
  };
  report.Expect(fellBack == !parsed.has_value(),
                "the fallback comes back exactly when the text is invalid", detail);
  if (parsed) {
    report.Expect(low == *parsed && high == *parsed,
                  "a valid text gives its value whatever the fallback", detail);
  }
}

// The reader must stop at the end of its view even when the buffer goes on
// with a digit that would change the value.
void CheckStaysInView(std::string_view text, const std::optional<std::int32_t>& parsed,
                      PropertyReport& report) {
  const std::string buffer = std::string(text) + "7";
  const auto inView = ParseTypedNumber(std::string_view(buffer).substr(0, text.size()));
  report.Expect(inView == parsed, "the reader reads only its view", [&] {
    return Printable(text) + " gives " + Show(inView) + " inside a longer buffer";
  });
}

void CheckRoundTrips(std::string_view text, std::int32_t value, PropertyReport& report) {
  const std::string decimal = std::to_string(value);
  const auto fromDecimal = ParseTypedNumber(decimal);
  report.Expect(fromDecimal == value, "the decimal spelling of a value reads back as the value",
                [&] { return decimal + " gives " + Show(fromDecimal); });
  const std::string hex = HexSpelling(value);
  const auto fromHex = ParseTypedNumber(hex);
  report.Expect(fromHex == value, "the hexadecimal spelling of a value reads back as the value",
                [&] { return hex + " gives " + Show(fromHex); });
  if (const auto canonical = CanonicalDecimal(text)) {
    report.Expect(decimal == *canonical, "a valid decimal text reads as the number it spells", [&] {
      return Printable(text) + " gives " + decimal + ", spelled " + *canonical;
    });
  }
}

}  // namespace

PropertyReport CheckTypedNumber(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::string_view text = AsText(input);
  const auto parsed = ParseTypedNumber(text);
  const auto expected = ReferenceInteger(text, HexPrefixes::kTypedNumber);
  report.Expect(parsed == expected, "the reader agrees with the reference reader", [&] {
    return Printable(text) + " gives " + Show(parsed) + ", expected " + Show(expected);
  });
  CheckFallback(text, parsed, report);
  CheckStaysInView(text, parsed, report);
  if (parsed) CheckRoundTrips(text, *parsed, report);
  return report;
}

}  // namespace kx14::fuzz
