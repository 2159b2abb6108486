#include "tools/devsim/option_values.h"

#include <stdexcept>
#include <string>

#include "protocol/hex_bytes.h"
#include "base/integer_text.h"

namespace kx14::devsim {
namespace {

[[noreturn]] void Invalid(std::string_view what, std::string_view text) {
  throw std::invalid_argument(std::string(what) + ": '" + std::string(text) + "' is not valid");
}

}  // namespace

std::int64_t ParseInteger(std::string_view text, std::int64_t min, std::int64_t max,
                          std::string_view what) {
  const auto value = ReadDigits(text, 10, static_cast<std::uint64_t>(max));
  if (!value || *value < static_cast<std::uint64_t>(min)) {
    throw std::invalid_argument(std::string(what) + ": '" + std::string(text) +
                                "' is not a whole number from " + std::to_string(min) + " to " +
                                std::to_string(max));
  }
  return static_cast<std::int64_t>(*value);
}

double ParseRate(std::string_view text) {
  // std::stod accepts leading blanks, "nan" and trailing text; check the rest
  // by hand so "0.5x" or "inf" do not pass.
  const std::string copy(text);
  std::size_t used = 0;
  double rate = -1.0;
  try {
    rate = std::stod(copy, &used);
  } catch (const std::exception&) {
    Invalid("fail rate", text);
  }
  if (copy.empty() || copy.front() == ' ' || used != copy.size() || !(rate >= 0.0 && rate <= 1.0)) {
    Invalid("fail rate (0 to 1)", text);
  }
  return rate;
}

BlockBytes ParseBlock(std::string_view text) {
  const auto bytes = ParseHexBytes(text);
  if (!bytes || bytes->size() != BlockBytes{}.size()) Invalid("block (16 hex bytes)", text);
  BlockBytes block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>((*bytes)[i]);
  return block;
}

Faults ParseFaultList(std::string_view text) {
  Faults faults;
  if (text == "normal") return faults;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    if (!SetFaultByName(faults, text.substr(start, comma - start))) Invalid("mode", text);
    start = comma + 1;
  }
  if (faults.shortReply && faults.longReply)
    Invalid("mode (short and long exclude each other)", text);
  return faults;
}

}  // namespace kx14::devsim
