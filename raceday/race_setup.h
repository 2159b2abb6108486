#pragma once

// What the watchers of several ports share: the command line, the roster,
// the console, the log and the identifiers seen. Each piece that a watcher
// changes takes its own lock.

#include <mutex>
#include <ostream>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "cli/files/roster.h"
#include "cli/files/watch_log.h"
#include "history/history_writer.h"
#include "ports/com_ports.h"
#include "protocol/exchange_trace.h"

namespace kx14::cli {

// Whole lines, one port's never cut into another's: the cars on stdout
// (nothing with --json or --quiet), trouble on stderr (always).
class WatchConsole {
 public:
  WatchConsole(std::ostream& out, std::ostream& err, bool silent)
      : out_(out), err_(err), silent_(silent) {}
  void Line(const std::string& text) {
    if (silent_) return;
    const std::lock_guard lock(mutex_);
    out_ << text << std::endl;
  }
  void Problem(const std::string& text) {
    const std::lock_guard lock(mutex_);
    err_ << "kx14ctl: " << text << std::endl;
  }

 private:
  std::mutex mutex_;
  std::ostream& out_;
  std::ostream& err_;
  bool silent_;
};

// The roster identifiers read from a car on any port.
class SeenIds {
 public:
  void Add(int id) {
    const std::lock_guard lock(mutex_);
    ids_.insert(id);
  }
  bool Contains(int id) const {
    const std::lock_guard lock(mutex_);
    return ids_.count(id) != 0;
  }

 private:
  mutable std::mutex mutex_;
  std::set<int> ids_;
};

struct WatchSetup {
  const CliOptions& options;
  const PortSources& sources;
  const Roster* roster = nullptr;      // none without --roster
  TExchangeTrace* trace = nullptr;  // --trace: one, each port's lines named
  WatchConsole& console;
  WatchLog* log = nullptr;  // --log
  SeenIds& seen;
  history::THistoryWriter* history = nullptr;  // each car's store recorded; none when off
};

}  // namespace kx14::cli
