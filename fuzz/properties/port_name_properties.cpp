#include "fuzz/properties/port_name_properties.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/properties/fuzz_input.h"
#include "fuzz/properties/reference_integers.h"
#include "ports/port_name_order.h"

namespace kx14::fuzz {
namespace {

// Comparing every pair is quadratic, and most pairs throw; the first names
// are enough to find an asymmetry, while the sort still sees the whole list.
constexpr std::size_t kMaxComparedNames = 8;

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    names.emplace_back(text.substr(start, end - start));
  }
  names.emplace_back(text.substr(start));
  return names;
}

// The name without its first three characters, a character being a byte
// that is not a UTF-8 continuation byte together with the continuation bytes
// that follow it (a stray continuation byte at the start counts as one).
std::string_view ReferenceRemainder(std::string_view name) {
  int starts = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80;
    if (i == 0 || !continuation) {
      if (starts == 3) return name.substr(i);
      ++starts;
    }
  }
  return {};
}

std::optional<std::int32_t> ReferenceNumber(std::string_view name) {
  return ReferenceInteger(ReferenceRemainder(name), HexPrefixes::kRtlStrToInt);
}

// The conversion error's message as what() can carry it: a C string, so a
// name with a NUL byte (which no directory entry can hold) shows its message
// only up to that byte.
std::string ConversionMessage(std::string_view name) {
  const std::string message =
      "'" + std::string(ReferenceRemainder(name)) + "' は整数ではありません";
  return message.substr(0, message.find('\0'));
}

std::string ShowNumber(const std::optional<std::int32_t>& value) {
  return value ? std::to_string(*value) : std::string("none");
}


// The result of a call that may throw the conversion error.
struct Outcome {
  std::optional<int> value;
  std::optional<std::string> conversionError;
  bool otherException = false;
};

template <typename Call>
Outcome Run(Call call) {
  Outcome outcome;
  try {
    outcome.value = call();
  } catch (const EConvertError& error) {
    outcome.conversionError = error.what();
  } catch (...) {
    outcome.otherException = true;
  }
  return outcome;
}

void CheckName(const std::string& name, PropertyReport& report) {
  const auto shown = [&] { return Printable(name); };
  const std::string_view remainder = PortNameRemainder(name);
  report.Expect(remainder == ReferenceRemainder(name),
                "the remainder is the name after its first three characters",
                [&] { return shown() + " gives " + Printable(remainder); });
  const auto expected = ReferenceNumber(name);
  const auto number = TryPortNameNumber(name);
  report.Expect(number == expected, "the number is the remainder read as an integer", [&] {
    return shown() + " gives " + ShowNumber(number) + ", expected " + ShowNumber(expected);
  });
  const Outcome thrown = Run([&] { return PortNameNumber(name); });
  report.Expect(!thrown.otherException, "only the conversion error is thrown", shown);
  if (expected) {
    report.Expect(thrown.value == *expected, "a name that converts gives its number", shown);
  } else {
    report.Expect(
        thrown.conversionError == ConversionMessage(name),
        "a name that does not convert raises \"'<remainder>' は整数ではありません\"", [&] {
          return shown() + " raised " + Printable(thrown.conversionError.value_or("nothing"));
        });
  }
}

void CheckComparison(const std::string& a, const std::string& b, PropertyReport& report) {
  const auto shown = [&] { return Printable(a) + " and " + Printable(b); };
  const auto numberA = ReferenceNumber(a);
  const auto numberB = ReferenceNumber(b);
  const Outcome forward = Run([&] { return ComparePortNames(a, b); });
  const Outcome backward = Run([&] { return ComparePortNames(b, a); });
  report.Expect(!forward.otherException && !backward.otherException,
                "comparing names throws only the conversion error", shown);
  if (!numberA || !numberB) {
    // The first name is converted first, so its error is the one raised.
    report.Expect(forward.conversionError == ConversionMessage(numberA ? b : a) &&
                      backward.conversionError == ConversionMessage(numberB ? a : b),
                  "comparing a name that does not convert raises its conversion error", shown);
    return;
  }
  const int expected = *numberA > *numberB ? 1 : (*numberA < *numberB ? -1 : 0);
  report.Expect(forward.value == expected, "names compare by their numbers", [&] {
    return shown() + " compare " + ShowNumber(forward.value) + ", expected " + std::to_string(expected);
  });
  report.Expect(forward.value && backward.value && *forward.value == -*backward.value,
                "the comparison is antisymmetric", shown);
}

void CheckSort(const std::vector<std::string>& names, PropertyReport& report) {
  std::vector<std::string> sorted = names;
  const Outcome outcome = Run([&] {
    SortPortNames(sorted);
    return 0;
  });
  report.Expect(!outcome.otherException, "sorting throws only the conversion error",
                [&] { return PrintableList(names); });
  const auto firstBad = std::find_if(names.begin(), names.end(), [](const std::string& name) {
    return !ReferenceNumber(name).has_value();
  });
  if (names.size() > 1 && firstBad != names.end()) {
    report.Expect(outcome.conversionError == ConversionMessage(*firstBad),
                  "sorting raises the conversion error of the first bad name", [&] {
                    return PrintableList(names) + " raised " +
                           Printable(outcome.conversionError.value_or("nothing"));
                  });
    report.Expect(sorted == names, "a sort that raises leaves the list as it was",
                  [&] { return PrintableList(sorted); });
    return;
  }
  report.Expect(outcome.value.has_value(), "a list of names that convert sorts",
                [&] { return PrintableList(names); });
  std::vector<std::string> expected = names;
  if (names.size() > 1) {
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& x, const std::string& y) {
                       return *ReferenceNumber(x) < *ReferenceNumber(y);
                     });
  }
  std::vector<std::string> sameNames = sorted, givenNames = names;
  std::sort(sameNames.begin(), sameNames.end());
  std::sort(givenNames.begin(), givenNames.end());
  report.Expect(sameNames == givenNames, "sorting keeps every name", [&] { return PrintableList(sorted); });
  report.Expect(sorted == expected,
                "names sort by number, names of equal number in their given order",
                [&] { return PrintableList(sorted) + ", expected " + PrintableList(expected); });
}

}  // namespace

PropertyReport CheckPortNames(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::vector<std::string> names = SplitLines(AsText(input));
  for (const std::string& name : names) CheckName(name, report);
  const std::size_t compared = std::min(names.size(), kMaxComparedNames);
  for (std::size_t i = 0; i < compared; ++i) {
    for (std::size_t j = i; j < compared; ++j) CheckComparison(names[i], names[j], report);
  }
  CheckSort(names, report);
  return report;
}

}  // namespace kx14::fuzz
