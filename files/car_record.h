#pragma once

// What race day keeps of each car: one log row, one line of kx14ctl watch,
// one item of its JSON, one row of the track-side window's results.

#include <string>

namespace kx14::cli {

enum class TCarOutcome { Programmed, Failed, Skipped };

struct CarRecord {
  std::string time;
  std::string port;
  int yourId = 0;
  int myId = 0;
  std::string name;         // from the roster; empty without one
  std::string rosterLevel;  // the roster's level; empty when the car is not in it
  std::string oldLevel;
  std::string newLevel;  // the level stored or tried; "-" when nothing was to be sent
  std::string result;    // "ok", "skipped: ...", or what failed
  TCarOutcome outcome = TCarOutcome::Programmed;
};

}  // namespace kx14::cli
