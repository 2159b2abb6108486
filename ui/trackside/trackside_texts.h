#pragma once

// Every text the track-side window shows, in one table per language, so a
// second language is a second table. The texts are UTF-8; reasons that come
// from the race-day core (a failure's cause, a roster's mistake) are shown as
// the core words them.

#include <string>

namespace kx14::trackside {

enum class TText {
  WindowTitle,
  OpenRoster,
  NoRoster,
  RosterCars,     // "<n> cars by <field>"
  RosterRefused,  // before the roster's own message
  RosterColumnId,
  RosterColumnName,
  RosterColumnLevel,
  RosterColumnNote,
  OtherCars,  // the caption of the level for cars not in the roster
  SkipThem,
  Adapters,
  AdapterColumnPort,
  AdapterColumnState,
  PortFree,
  PortBusy,  // before the holders
  PortPidUnknown,
  PortNoAccess,
  PortMissing,
  PortInRace,  // an adapter of the race that runs
  ChooseLog,
  NoLog,
  Start,
  Stop,
  Statuses,
  Opening,
  WaitingForCar,
  AdapterGone,
  CarFound,
  Programming,
  Done,
  Failed,
  Skipped,
  CarReturned,
  Stopped,
  Results,
  ResultColumnTime,
  ResultColumnAdapter,
  ResultColumnDriver,
  ResultColumnRosterLevel,
  ResultColumnOldLevel,
  ResultColumnNewLevel,
  ResultColumnResult,
  ResultOk,
  CountProgrammed,
  CountFailed,
  CountSkipped,
  CountLogLost,
  CarsUnit,
  RowsUnit,
  NotSeen,
  LineWord,
  NeedAdapter,
  NeedLevel,
  Running,
  Stopping,
  Closing,
  RunEnded,
  LogRefused,
  LogRowLost,
  HistoryLost,
  Count_  // the number of texts
};

// The text in the window's language (Japanese).
std::string Text(TText text);

}  // namespace kx14::trackside
