#pragma once

// What watch keeps of each car: one console line, one log row and one JSON
// item each.

#include <string>
#include <vector>

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
  std::string newLevel;  // "-" when nothing was sent
  std::string result;    // "ok", "skipped: ...", or what failed
  TCarOutcome outcome = TCarOutcome::Programmed;
};

// The cars of one port, in the order they were plugged in.
struct PortTally {
  std::string port;
  std::vector<CarRecord> cars;

  int Count(TCarOutcome outcome) const;
};

// The count over every port.
int Total(const std::vector<PortTally>& ports, TCarOutcome outcome);

}  // namespace kx14::cli
