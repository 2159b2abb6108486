#pragma once

#include <string>

namespace kx14::cli {

// The word as a POSIX shell reads it back unchanged: as it is when it holds
// only safe characters, else in single quotes.
std::string ShellQuote(const std::string& word);

}  // namespace kx14::cli
