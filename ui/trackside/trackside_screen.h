#pragma once

// What every control of the track-side window shows, as plain values: the
// logic (trackside_logic.h) keeps it, a toolkit's window only copies it into
// its controls. Each part carries a revision that changes with it, so a
// window redraws a table only when it changed.

#include <string>
#include <vector>

#include "ui/trackside/adapter_list.h"

namespace kx14::trackside {

struct TableRow {
  std::vector<std::string> cells;
  bool alert = false;  // shown in red
  friend bool operator==(const TableRow&, const TableRow&) = default;
};

struct TracksideScreen {
  // The roster: its file, its cars, or why it cannot be used.
  int rosterRevision = 0;
  std::string rosterFile;
  std::vector<std::string> rosterHeaders;
  std::vector<TableRow> rosterRows;
  std::string rosterMessage;
  bool rosterRefused = false;
  // The level for cars not in the roster: item 0 skips them.
  std::vector<std::string> otherCarsChoices;
  int otherCarsChoice = 0;

  int adaptersRevision = 0;
  std::vector<AdapterRow> adapters;

  std::string logFile;

  // What can be done now.
  bool setupEnabled = true;  // roster, level, adapters and log: not while a race runs
  bool startEnabled = false;
  bool stopEnabled = false;
  std::string startHint;  // what Start still needs, while it cannot be pressed

  // The race: one line per adapter, the cars newest first, the counts and
  // the roster's cars not seen yet.
  int raceRevision = 0;
  std::vector<std::string> statusLines;
  std::vector<std::string> resultHeaders;
  std::vector<TableRow> results;
  std::string counts;
  std::vector<std::string> notSeen;

  // The last thing worth saying: why Start cannot be pressed, a log row
  // lost, the run's end.
  std::string message;
  bool messageAlert = false;
};

}  // namespace kx14::trackside
