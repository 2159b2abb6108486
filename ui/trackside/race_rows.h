#pragma once

// What the window shows of a race and its roster, as rows of text: one
// status line per adapter, one results row per car, the counts, the roster's
// cars. Pure functions of the race-day core's records.

#include <string>
#include <vector>

#include "files/car_record.h"
#include "files/roster.h"
#include "raceday/race_progress.h"

namespace kx14::trackside {

// "COM3: 書き込み中  YOURID 17  MYID 2  山田": the port, its state, and the
// car on it (or the last one handled), with the reason of a failure or a
// gone adapter.
std::string StatusLine(const std::string& port, const raceday::PortStatus& status);

// Time, adapter, YOURID, MYID, driver, roster level, old level, new level,
// result: the results table's columns.
std::vector<std::string> ResultCells(const cli::CarRecord& car);
std::vector<std::string> ResultHeaders();

// Identifier, name, level, note: the roster table's columns.
std::vector<std::string> RosterCells(const cli::RosterCar& car);
std::vector<std::string> RosterHeaders(const std::string& idField);

// "書き込み 6台  失敗 0台  スキップ 1台  ログ書けず 0行".
std::string CountsText(const raceday::RaceProgress& progress);

// "YOURID 17  山田 (3行)".
std::string NotSeenLine(const cli::RosterCar& car, const std::string& idField);

}  // namespace kx14::trackside
