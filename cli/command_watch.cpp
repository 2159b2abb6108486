// watch, the track-side mode: programs each car plugged in, until Ctrl+C,
// on one port or several at once (a watcher and a thread per port). With a
// roster each car gets the level the roster gives its identifier.

#include <algorithm>
#include <ostream>
#include <thread>

#include "cli/commands.h"
#include "cli/files/exit_status.h"
#include "cli/interrupt.h"
#include "cli/port_state.h"
#include "cli/watch/race_day_json.h"
#include "cli/watch/watch_port.h"

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

std::string Counts(const std::vector<PortTally>& ports) {
  return "programmed " + std::to_string(Total(ports, TCarOutcome::Programmed)) + " cars, " +
         std::to_string(Total(ports, TCarOutcome::Failed)) + " failed, " +
         std::to_string(Total(ports, TCarOutcome::Skipped)) + " skipped";
}

std::vector<const RosterCar*> NotSeen(const Roster* roster, const SeenIds& seen) {
  std::vector<const RosterCar*> cars;
  if (roster == nullptr) return cars;
  for (const RosterCar& car : roster->cars) {
    if (!seen.Contains(car.id)) cars.push_back(&car);
  }
  return cars;
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

// Why each port's watcher stopped early, said at once; empty for one that
// ran until Ctrl+C.
using Stops = std::vector<std::string>;

// The watchers, each on its own thread until Ctrl+C. One that stops on
// something unforeseen says so at once and keeps its cars; the others go on.
std::vector<PortTally> WatchAll(const WatchSetup& setup, const std::vector<std::string>& ports,
                                Stops& stops) {
  std::vector<std::unique_ptr<PortWatch>> watches;
  stops.assign(ports.size(), "");
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    watches.push_back(std::make_unique<PortWatch>(setup, ports[i]));
    threads.emplace_back([&watch = *watches[i], &stop = stops[i], &console = setup.console] {
      try {
        watch.Run();
      } catch (const std::exception& failure) {
        stop = "watching " + watch.Port() + " stopped: " + failure.what();
        console.Problem(stop + "; the other ports go on");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::vector<PortTally> tallies;
  for (const auto& watch : watches) tallies.push_back(watch->Tally());
  return tallies;
}

// What makes the run end with a failure: failed cars, lost log rows and
// watchers that stopped.
std::string Losses(const std::vector<PortTally>& ports, const WatchLog* log, const Stops& stops) {
  std::string message;
  const auto add = [&message](const std::string& part) {
    message += (message.empty() ? "" : "; ") + part;
  };
  const int failed = Total(ports, TCarOutcome::Failed);
  if (failed > 0) add(std::to_string(failed) + " cars failed; see the lines above");
  if (log != nullptr && log->RowsLost() > 0) {
    add(std::to_string(log->RowsLost()) + " log rows could not be written to " + log->Path());
  }
  for (const std::string& stop : stops) {
    if (!stop.empty()) add(stop);
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
  if (options.log) log.emplace(*options.log, context.err);

  CatchInterrupts();
  WatchConsole console(context.out, context.err, options.json || options.quiet);
  if (roster) {
    console.Line("roster " + *options.roster + ": " + std::to_string(roster->cars.size()) +
                 " cars by " + roster->idField +
                 ", read now; edits to the file count from the next start");
  }
  console.Line("waiting for cars on " + Joined(ports) + " (Ctrl+C ends)");
  SeenIds seen;
  const WatchSetup setup{options,
                         context.sources,
                         roster ? &*roster : nullptr,
                         context.trace,
                         console,
                         log ? &*log : nullptr,
                         seen,
                         context.history};
  Stops stops;
  const std::vector<PortTally> tallies = WatchAll(setup, ports, stops);

  const std::vector<const RosterCar*> notSeen = NotSeen(setup.roster, seen);
  if (options.json) {
    context.out << WatchJson(tallies, notSeen, log ? log->RowsLost() : 0);
  } else if (!options.quiet) {
    PrintTotals(context, tallies, setup.roster, notSeen);
  }
  if (const std::string losses = Losses(tallies, setup.log, stops); !losses.empty()) {
    throw CliFailure(TExitStatus::DeviceFailed, losses);
  }
}

}  // namespace kx14::cli
