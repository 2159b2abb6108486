// Linux hands programs their arguments as bytes in the locale's encoding,
// UTF-8 on every current system, and terminals show UTF-8.
#include "cli/program_arguments.h"

namespace kx14::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace kx14::cli
