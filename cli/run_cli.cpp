#include <iostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/json_text.h"
#include "kx14_version.h"

namespace kx14::cli {
namespace {

void Dispatch(const CommandContext& context) {
  switch (context.options.command) {
    case TCommand::Help:
      context.out << HelpText();
      return;
    case TCommand::Version:
      context.out << "kx14ctl " << kVersion << "\n";
      return;
    case TCommand::Ports:
      return RunPorts(context);
    case TCommand::Read:
      return RunRead(context);
    case TCommand::Program:
      return RunProgram(context);
    case TCommand::Set:
      return RunSet(context);
    case TCommand::Backup:
      return RunBackup(context);
    case TCommand::Restore:
      return RunRestore(context);
    case TCommand::Verify:
      return RunVerify(context);
    case TCommand::Watch:
      return RunWatch(context);
    case TCommand::Roster:
      return RunRosterCheck(context);
    case TCommand::Doctor:
      return RunDoctorCommand(context);
  }
}

std::unique_ptr<TExchangeTrace> OpenTrace(const CliOptions& options) {
  if (!options.trace) return nullptr;
  auto trace = TExchangeTrace::Open(*options.trace);
  if (!trace) throw UsageFailure("cannot write the trace file " + *options.trace);
  return trace;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool json = false;
  try {
    const CliOptions options = ParseCliOptions(args);
    json = options.json;
    const std::unique_ptr<TExchangeTrace> trace = OpenTrace(options);
    Dispatch(CommandContext{options, DefaultPortSources(), out, err, trace.get()});
    return static_cast<int>(TExitStatus::Success);
  } catch (const CliFailure& failure) {
    err << "kx14ctl: " << failure.what() << std::endl;
    if (json) {
      out << JsonText({{"error", failure.what()}, {"status", static_cast<int>(failure.Status())}});
    }
    return static_cast<int>(failure.Status());
  } catch (const std::exception& error) {
    // Nothing here should throw anything else; still one line, never a crash.
    err << "kx14ctl: " << error.what() << std::endl;
    return static_cast<int>(TExitStatus::DeviceFailed);
  }
}

}  // namespace kx14::cli
