#pragma once

// The outcome of checking one input against a set of properties: the list of
// properties it broke, each with the values that broke it. The fuzz targets
// abort on a broken property (so libFuzzer keeps the input); the regression
// tests print the list.

#include <concepts>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx14::fuzz {

class PropertyReport {
 public:
  // Records `property` as broken unless `holds`.
  void Expect(bool holds, std::string_view property) {
    if (!holds) Fail(property, {});
  }
  // The same, with the values that broke it: `detail()` gives their
  // description and runs only for a broken property, so that the millions of
  // inputs that pass cost no formatting.
  template <std::invocable Detail>
  void Expect(bool holds, std::string_view property, Detail&& detail) {
    if (!holds) Fail(property, std::forward<Detail>(detail)());
  }
  void Fail(std::string_view property, std::string_view detail);

  bool Passed() const { return failures_.empty(); }
  const std::vector<std::string>& Failures() const { return failures_; }
  // Every failure on a line of its own; "" when none.
  std::string Summary() const;

 private:
  std::vector<std::string> failures_;
};

// The bytes of `text` as a C-like literal: printable ASCII as it is, the rest
// as \xNN, so a failure message shows exactly which bytes were involved.
std::string Printable(std::string_view text);
// Each of `texts` Printable, in their order: "[a b ]".
std::string PrintableList(const std::vector<std::string>& texts);

// Prints the report's failures to stderr and aborts when it did not pass:
// the fuzz targets' way of turning a broken property into a finding.
void AbortUnlessPassed(const PropertyReport& report);

}  // namespace kx14::fuzz
