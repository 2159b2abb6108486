#pragma once

// The command line's arguments as UTF-8, as the rest of kx14ctl reads them
// (level captions, file names), and a console that shows UTF-8 output.

#include <string>
#include <vector>

namespace kx14::cli {

// The arguments after the program name. Call once, at the start of main().
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace kx14::cli
