#include <filesystem>
#include <iostream>
#include <sstream>

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

// --json anywhere on the command line, known before the options are read,
// so that a usage error is a JSON document too.
bool AsksForJson(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--json") return true;
  }
  return false;
}

// The one document of a command that failed: its report, when it printed
// one (verify's differences, watch's totals), with the error and the status
// added; else the error alone.
std::string FailedDocument(const std::string& report, const std::string& error,
                           TExitStatus status) {
  Json document = Json::parse(report, nullptr, false);
  if (!document.is_object()) document = Json::object();
  document["error"] = error;
  document["status"] = static_cast<int>(status);
  return JsonText(document);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool json = AsksForJson(args);
  // With --json the command's document is held until the command ends, so
  // that a failure after the report still makes one document.
  std::ostringstream report;
  const auto fail = [&](const std::string& message, TExitStatus status) {
    err << "kx14ctl: " << message << std::endl;
    if (json) out << FailedDocument(report.str(), message, status);
    return static_cast<int>(status);
  };
  try {
    const CliOptions options = ParseCliOptions(args);
    const std::unique_ptr<TExchangeTrace> trace = OpenTrace(options);
    Dispatch(CommandContext{options, DefaultPortSources(), json ? report : out, err, trace.get()});
    out << report.str();
    return static_cast<int>(TExitStatus::Success);
  } catch (const CliFailure& failure) {
    return fail(failure.what(), failure.Status());
  } catch (const std::filesystem::filesystem_error& error) {
    // A path the system refuses (too long, a link loop): bad input, and
    // nothing was sent.
    return fail(error.what(), TExitStatus::UsageError);
  } catch (const std::exception& error) {
    // Nothing else should be thrown; still a message, never a crash.
    return fail(error.what(), TExitStatus::DeviceFailed);
  }
}

}  // namespace kx14::cli
