#include <filesystem>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "files/exit_status.h"
#include "files/json_text.h"
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
    case TCommand::History:
      return RunHistory(context);
    case TCommand::Diff:
      return RunDiff(context);
    case TCommand::Undo:
      return RunUndo(context);
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

bool Stores(const CliOptions& options) {
  using enum TCommand;
  return !options.dryRun &&
         (options.command == Program || options.command == Set || options.command == Restore ||
          options.command == Watch || options.command == Undo);
}

// The history of the commands that store, unless turned off. Each failure
// to record is said on stderr at once; RecordFailures adds them to the JSON.
std::unique_ptr<history::THistoryWriter> OpenHistory(const CliOptions& options, std::ostream& err) {
  if (!Stores(options) || options.noHistory) return nullptr;
  const std::optional<std::filesystem::path> folder = history::HistoryFolder();
  if (!folder) {
    if (!history::HistoryTurnedOff())
      err << "kx14ctl: history not recorded: no data folder (neither XDG_DATA_HOME nor HOME, or "
             "LOCALAPPDATA)\n";
    return nullptr;
  }
  return std::make_unique<history::THistoryWriter>(
      *folder, [&err](const std::string& failure) { err << "kx14ctl: " + failure + "\n"; });
}

// The report with "history_errors" added when some store was not recorded.
std::string WithHistoryFailures(const std::string& report, history::THistoryWriter* writer) {
  if (writer == nullptr) return report;
  writer->Drain();
  const std::vector<std::string> failures = writer->TakeFailures();
  if (failures.empty()) return report;
  Json document = Json::parse(report, nullptr, false);
  if (!document.is_object()) document = Json::object();
  document["history_errors"] = failures;
  return JsonText(document);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool json = AsksForJson(args);
  // With --json the command's document is held until the command ends, so
  // that a failure after the report still makes one document.
  std::ostringstream report;
  std::unique_ptr<history::THistoryWriter> history;
  const auto fail = [&](const std::string& message, TExitStatus status) {
    err << "kx14ctl: " << message << std::endl;
    if (json)
      out << FailedDocument(WithHistoryFailures(report.str(), history.get()), message, status);
    return static_cast<int>(status);
  };
  try {
    const CliOptions options = ParseCliOptions(args);
    const std::unique_ptr<TExchangeTrace> trace = OpenTrace(options);
    history = OpenHistory(options, err);
    Dispatch(CommandContext{options, DefaultPortSources(), json ? report : out, err, trace.get(),
                            history.get()});
    out << (json ? WithHistoryFailures(report.str(), history.get()) : report.str());
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
