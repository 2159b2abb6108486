// kx14ctl: the device from the command line. See kx14ctl --help.

#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/program_arguments.h"

int main(int argc, char** argv) {
  return kx14::cli::RunCli(kx14::cli::ProgramArguments(argc, argv), std::cout, std::cerr);
}
