#pragma once

// What every watcher of a race shares: where the ports are, the roster, the
// level for other cars, the log, the trace and the history. The objects
// pointed to are the front end's and outlive the race; each is safe to use
// from several watchers at once.

#include <optional>

#include "files/roster.h"
#include "files/watch_log.h"
#include "history/history_writer.h"
#include "ports/com_ports.h"
#include "protocol/exchange_trace.h"
#include "protocol/handicap_preset.h"

namespace kx14::raceday {

struct RaceSetup {
  PortSources sources;
  const cli::Roster* roster = nullptr;  // none: every car gets `level`
  // The level of a car the roster does not hold; none: such a car is
  // skipped, nothing sent.
  std::optional<THandicapPreset> level;
  cli::WatchLog* log = nullptr;                // one row per car; none: no log
  TExchangeTrace* trace = nullptr;             // each port's lines named; none: no trace
  history::THistoryWriter* history = nullptr;  // each store recorded; none when off
};

}  // namespace kx14::raceday
