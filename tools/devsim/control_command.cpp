#include "tools/devsim/control_command.h"

#include <climits>
#include <stdexcept>
#include <string>

#include "tools/devsim/option_values.h"

namespace kx14::devsim {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Splits off the first word; `rest` keeps the trimmed remainder.
std::string_view FirstWord(std::string_view text, std::string_view& rest) {
  const std::size_t blank = text.find_first_of(" \t");
  const std::string_view word = text.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view{} : Trim(text.substr(blank));
  return word;
}

void ExpectNoMore(std::string_view rest, std::string_view command) {
  if (!rest.empty()) {
    throw std::invalid_argument(std::string(command) + ": unexpected '" + std::string(rest) + "'");
  }
}

SetFailRate ParseFailRate(std::string_view args) {
  std::string_view seedText;
  const std::string_view rateText = FirstWord(args, seedText);
  SetFailRate command{ParseRate(rateText), std::nullopt};
  if (!seedText.empty()) {
    command.seed = static_cast<std::uint32_t>(ParseInteger(seedText, 0, UINT32_MAX, "seed"));
  }
  return command;
}

}  // namespace

ControlCommand ParseControlCommand(std::string_view line) {
  std::string_view args;
  const std::string_view name = FirstWord(Trim(line), args);
  if (name == "mode") return SetFaults{ParseFaultList(args)};
  if (name == "delay") {
    return SetDelay{std::chrono::milliseconds(ParseInteger(args, 0, kMaxDelayMs, "delay"))};
  }
  if (name == "pace") {
    if (args == "off") return SetPace{0};
    return SetPace{static_cast<long>(ParseInteger(args, kMinBaud, kMaxBaud, "pace"))};
  }
  if (name == "fail-rate") return ParseFailRate(args);
  if (name == "block") return SetBlock{ParseBlock(args)};
  if (name == "quit") {
    ExpectNoMore(args, name);
    return Quit{};
  }
  if (name == "unregister") {
    ExpectNoMore(args, name);
    return Unregister{};
  }
  if (name == "register") {
    ExpectNoMore(args, name);
    return Register{};
  }
  throw std::invalid_argument("unknown command '" + std::string(name) + "'");
}

}  // namespace kx14::devsim
