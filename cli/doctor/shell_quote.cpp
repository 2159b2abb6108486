#include "cli/doctor/shell_quote.h"

#include <algorithm>
#include <cctype>

namespace kx14::cli {

std::string ShellQuote(const std::string& word) {
  const bool safe = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           std::string_view("_-./:+@%=,").find(c) != std::string_view::npos;
  });
  if (safe) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace kx14::cli
