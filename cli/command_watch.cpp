// watch, the track-side mode: programs each car plugged in, until Ctrl+C,
// on one port or several at once. The race itself is raceday/'s; this
// command checks its inputs, renders the race's events as lines
// (cli/watch/watch_console.h) and ends with the totals.

#include <algorithm>
#include <chrono>
#include <ostream>

#include "cli/commands.h"
#include "files/exit_status.h"
#include "cli/interrupt.h"
#include "device/port_choice.h"
#include "device/port_state.h"
#include "cli/watch/race_day_json.h"
#include "cli/watch/watch_console.h"
#include "raceday/race_day.h"

namespace kx14::cli {
namespace {

void AddOnce(std::vector<std::string>& ports, const std::string& port) {
  if (std::find(ports.begin(), ports.end(), port) == ports.end()) ports.push_back(port);
}

// Every port `kx14ctl ports` lists as free now.
void AddFreePorts(std::vector<std::string>& ports, const PortSources& sources) {
  bool any = false;
  for (const ComPort& port : ListComPorts(sources)) {
    if (ProbePortState(port.device).kind != PortState::Kind::Free) continue;
    AddOnce(ports, port.name);
    any = true;
  }
  if (!any) {
    throw CliFailure(TExitStatus::PortUnavailable,
                     "--port all: no free port; ports: " + PortNamesList(sources));
  }
}

// The ports named, each once, by its listed name where it is listed now. A
// named port that is absent now is waited for like one that goes away later.
std::vector<std::string> PortsToWatch(const CommandContext& context) {
  // Without --port: the usage error that lists the ports.
  if (context.options.ports.empty()) ChoosePort(std::nullopt, context.sources);
  std::vector<std::string> ports;
  for (const std::string& given : context.options.ports) {
    if (given == "all") {
      AddFreePorts(ports, context.sources);
      continue;
    }
    try {
      AddOnce(ports, ChoosePort(given, context.sources).name);
    } catch (const CliFailure& failure) {
      if (failure.Status() != TExitStatus::PortUnavailable) throw;
      AddOnce(ports, given);
    }
  }
  return ports;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

using raceday::PortTally;
using raceday::Total;

std::string Counts(const std::vector<PortTally>& ports) {
  return "programmed " + std::to_string(Total(ports, TCarOutcome::Programmed)) + " cars, " +
         std::to_string(Total(ports, TCarOutcome::Failed)) + " failed, " +
         std::to_string(Total(ports, TCarOutcome::Skipped)) + " skipped";
}

void PrintTotals(const CommandContext& context, const std::vector<PortTally>& ports,
                 const Roster* roster, const std::vector<const RosterCar*>& notSeen) {
  std::ostream& out = context.out;
  if (ports.size() > 1) {
    for (const PortTally& port : ports) out << port.port << ": " << Counts({port}) << "\n";
  }
  out << Counts(ports) << std::endl;
  if (roster == nullptr) return;
  out << notSeen.size() << " of the roster's " << roster->cars.size() << " cars not seen"
      << (notSeen.empty() ? "" : ":") << "\n";
  for (const RosterCar* car : notSeen) {
    out << "  " << roster->idField << " " << car->id << "  " << car->name << "  (line " << car->line
        << ")\n";
  }
  out << std::flush;
}

raceday::RaceSetup RaceSetupOf(const CommandContext& context, const Roster* roster, WatchLog* log) {
  raceday::RaceSetup setup;
  setup.sources = context.sources;
  setup.roster = roster;
  setup.level = context.options.level;
  setup.log = log;
  setup.trace = context.trace;
  setup.history = context.history;
  return setup;
}

// The race until Ctrl+C, or until every watcher has stopped on something
// unforeseen. Ctrl+C only asks the race to stop: each car in hand is
// finished first.
raceday::RaceProgress Race(const raceday::RaceSetup& setup, const std::vector<std::string>& ports,
                           WatchConsole& console) {
  // A signal handler cannot wake the race, so the flag it sets is looked at
  // this often.
  constexpr std::chrono::milliseconds kInterruptPoll{20};
  raceday::RaceDay race(setup, ports, console);
  while (!race.WaitUntilEnded(kInterruptPoll)) {
    if (InterruptRequested()) race.RequestStop();
  }
  return race.Progress();
}

// What makes the run end with a failure: failed cars, lost log rows and
// watchers that stopped.
std::string Losses(const raceday::RaceProgress& progress, const WatchLog* log,
                   const std::vector<std::string>& ports) {
  std::string message;
  const auto add = [&message](const std::string& part) {
    message += (message.empty() ? "" : "; ") + part;
  };
  const int failed = Total(progress.tallies, TCarOutcome::Failed);
  if (failed > 0) add(std::to_string(failed) + " cars failed; see the lines above");
  if (log != nullptr && progress.logRowsLost > 0) {
    add(std::to_string(progress.logRowsLost) + " log rows could not be written to " + log->Path());
  }
  for (std::size_t adapter = 0; adapter < ports.size(); ++adapter) {
    const std::string& stop = progress.statuses[adapter].reason;
    if (progress.statuses[adapter].state == raceday::TPortState::Stopped && !stop.empty()) {
      add(StoppedText(ports[adapter], stop));
    }
  }
  return message;
}

}  // namespace

void RunWatch(const CommandContext& context) {
  const CliOptions& options = context.options;
  // Everything that can be wrong with the command is found before a port
  // is opened: the roster, the ports, the log.
  const std::optional<Roster> roster =
      options.roster ? std::optional(ReadRoster(*options.roster)) : std::nullopt;
  const std::vector<std::string> ports = PortsToWatch(context);
  std::optional<WatchLog> log;
  if (options.log) log.emplace(*options.log);

  CatchInterrupts();
  WatchConsole console(context.out, context.err, options.json || options.quiet, ports,
                       options.log.value_or(""));
  if (roster) {
    console.Line("roster " + *options.roster + ": " + std::to_string(roster->cars.size()) +
                 " cars by " + roster->idField +
                 ", read now; edits to the file count from the next start");
  }
  console.Line("waiting for cars on " + Joined(ports) + " (Ctrl+C ends)");
  const raceday::RaceSetup setup =
      RaceSetupOf(context, roster ? &*roster : nullptr, log ? &*log : nullptr);
  const raceday::RaceProgress progress = Race(setup, ports, console);

  const std::vector<const RosterCar*> notSeen = raceday::NotSeen(progress, setup.roster);
  if (options.json) {
    context.out << WatchJson(progress.tallies, notSeen, progress.logRowsLost);
  } else if (!options.quiet) {
    PrintTotals(context, progress.tallies, setup.roster, notSeen);
  }
  if (const std::string losses = Losses(progress, setup.log, ports); !losses.empty()) {
    throw CliFailure(TExitStatus::DeviceFailed, losses);
  }
}

}  // namespace kx14::cli
