#pragma once

// The track-side window without a toolkit: it owns the roster, the chosen
// adapters, the level for other cars, the log and the race, and keeps what
// each control shows (TracksideScreen). A toolkit's window calls the actions
// below from its controls' handlers and Tick from a timer, all on its own
// thread, and copies the screen into its controls when Tick says it changed.
//
// The race's watchers run on threads of their own and only queue their
// events (QueuedEvents); Tick takes them on the window's thread. Stopping
// and closing never block the window: a stop is asked for, the car being
// programmed is finished by its watcher, and Tick notices when every watcher
// has ended.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "files/roster.h"
#include "files/watch_log.h"
#include "history/history_writer.h"
#include "ports/com_ports.h"
#include "raceday/race_day.h"
#include "ui/trackside/queued_events.h"
#include "ui/trackside/trackside_screen.h"

namespace kx14::trackside {

// How often the adapter list is read afresh while no race runs.
inline constexpr std::chrono::milliseconds kAdapterRefresh{1000};
// How often a window should call Tick.
inline constexpr std::chrono::milliseconds kTickInterval{100};

class TracksideLogic {
 public:
  // `historyFolder`: where each store is recorded; none: not recorded.
  TracksideLogic(PortSources sources, std::optional<std::filesystem::path> historyFolder);
  // A race still running is stopped first: its cars in hand are finished.
  ~TracksideLogic();
  TracksideLogic(const TracksideLogic&) = delete;
  TracksideLogic& operator=(const TracksideLogic&) = delete;

  const TracksideScreen& Screen() const { return screen_; }

  // The setup, while no race runs (ignored while one does). A roster that
  // cannot be read replaces the one before: nothing can start until a good
  // one is opened.
  void OpenRoster(const std::string& path);
  // 0: cars not in the roster are skipped; n: they get the n-th level.
  void ChooseOtherCars(int choice);
  void ChooseAdapter(const std::string& port, bool chosen);
  // "": no log.
  void ChooseLog(const std::string& path);

  // Starts a race on the chosen adapters, with a log file opened for the
  // whole run. A log that cannot be opened is said, and nothing starts.
  void Start();
  // Asks the race to stop; it ends once every car in hand is done.
  void Stop();

  // Takes the race's events, ends a race whose watchers have all ended, and
  // reads the adapters afresh when they are due. True when the screen changed.
  bool Tick();

  // The window is being closed. True: it may close now. False: a race runs;
  // it is asked to stop, and the window may close once ReadyToClose says so
  // (after a Tick), never in the middle of a car.
  bool CloseRequested();
  bool ReadyToClose() const { return closing_ && !race_; }
  bool Running() const { return race_ != nullptr; }

 private:
  struct Result {
    std::size_t adapter = 0;
    TableRow row;
  };

  std::optional<THandicapPreset> OtherCarsLevel() const;
  std::vector<std::string> ChosenInListOrder() const;
  bool OpenLog();
  void RefreshAdapters();
  void ShowAdaptersInRace();
  void AddEvent(const raceday::RaceEvent& event);
  void MarkRowLost(const raceday::RaceEvent& event);
  void SayHistoryFailures();
  void Finish();
  void ShowRoster();
  void ShowRace();
  void ShowControls();
  void Say(const std::string& message, bool alert);

  const PortSources sources_;
  std::optional<cli::Roster> roster_;
  std::set<std::string> chosen_;
  std::vector<std::string> racePorts_;  // the running or last race's, as chosen
  std::string logPath_;
  std::chrono::steady_clock::time_point adaptersRead_;
  bool stopping_ = false;
  bool closing_ = false;
  raceday::RaceProgress progress_{{}};
  std::vector<Result> results_;  // oldest first
  TracksideScreen screen_;
  // What the race uses outlives it: the race is declared last.
  std::unique_ptr<history::THistoryWriter> history_;
  std::optional<cli::WatchLog> log_;
  QueuedEvents events_;
  std::unique_ptr<raceday::RaceDay> race_;
};

}  // namespace kx14::trackside
