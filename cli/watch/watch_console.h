#pragma once

// kx14ctl watch as a renderer of the race's events: a line per car (time,
// port, identifiers, driver, old and new level, result) and the cars' comings
// and goings on stdout, trouble on stderr. Whole lines, one port's never cut
// into another's.

#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "raceday/race_event.h"

namespace kx14::cli {

class WatchConsole final : public raceday::RaceEventSink {
 public:
  // `silent`: nothing on stdout (--json, --quiet); trouble goes to `err`
  // always. `ports`: the ports as given, in the race's order, which the
  // trouble lines name; `logPath`: the log's name as given, or empty.
  WatchConsole(std::ostream& out, std::ostream& err, bool silent, std::vector<std::string> ports,
               std::string logPath);

  void Line(const std::string& text);
  // "kx14ctl: " and the text, on stderr.
  void Problem(const std::string& text);
  void OnEvent(const raceday::RaceEvent& event) override;

 private:
  std::mutex mutex_;
  std::ostream& out_;
  std::ostream& err_;
  bool silent_;
  std::vector<std::string> ports_;
  std::string logPath_;
};

// "watching COM3 stopped: <reason>": what is said of a watcher that stopped
// on something unforeseen, and what the run's failure names.
std::string StoppedText(const std::string& port, const std::string& reason);

}  // namespace kx14::cli
