#pragma once

// kx14ctl's commands. Each prints its result on `out` (a short table, or one
// JSON document with --json) and reports a failure by throwing CliFailure.

#include <iosfwd>
#include <memory>

#include "cli/cli_options.h"
#include "history/history_writer.h"
#include "ports/com_ports.h"
#include "protocol/exchange_trace.h"

namespace kx14::cli {

struct CommandContext {
  const CliOptions& options;
  PortSources sources;
  std::ostream& out;
  std::ostream& err;                   // what goes wrong while a command goes on (watch's log)
  TExchangeTrace* trace = nullptr;  // --trace, or none
  // Where the storing commands record; none with --no-history or
  // KX14_HISTORY=off, and for the commands that store nothing.
  history::THistoryWriter* history = nullptr;
};

void RunPorts(const CommandContext& context);
void RunRead(const CommandContext& context);
void RunBackup(const CommandContext& context);
void RunVerify(const CommandContext& context);
void RunProgram(const CommandContext& context);
void RunSet(const CommandContext& context);
void RunRestore(const CommandContext& context);
void RunWatch(const CommandContext& context);
void RunRosterCheck(const CommandContext& context);
// The port checks where this platform has them (linux/ or win32/doctor_command.cpp).
void RunDoctorCommand(const CommandContext& context);
void RunHistory(const CommandContext& context);
void RunDiff(const CommandContext& context);
void RunUndo(const CommandContext& context);

// The whole program behind main(): parses `args` (without the program name),
// runs the command, prints a failure as one line on `err` (and with --json
// as a JSON document on `out`), and gives the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kx14::cli
