#include "ui/trackside/trackside_logic.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "protocol/handicap_captions.h"
#include "ui/trackside/race_rows.h"
#include "ui/trackside/trackside_texts.h"

namespace kx14::trackside {
namespace {

using raceday::TRaceEventKind;

std::vector<std::string> OtherCarsChoices() {
  std::vector<std::string> choices = {Text(TText::SkipThem)};
  for (const THandicapPreset level : kHandicapPresets) {
    choices.push_back(std::string(HandicapShortName(level)) + "  " +
                      std::string(HandicapCaption(level)));
  }
  return choices;
}

}  // namespace

TracksideLogic::TracksideLogic(PortSources sources,
                               std::optional<std::filesystem::path> historyFolder)
    : sources_(std::move(sources)) {
  if (historyFolder) history_ = std::make_unique<history::THistoryWriter>(*historyFolder);
  screen_.otherCarsChoices = OtherCarsChoices();
  screen_.resultHeaders = ResultHeaders();
  screen_.logFile = Text(TText::NoLog);
  ShowRoster();
  RefreshAdapters();
  ShowRace();
  ShowControls();
}

TracksideLogic::~TracksideLogic() = default;

void TracksideLogic::OpenRoster(const std::string& path) {
  if (Running()) return;
  screen_.rosterFile = path;
  try {
    roster_ = cli::ReadRoster(path);
    screen_.rosterRefused = false;
    screen_.rosterMessage =
        std::to_string(roster_->cars.size()) + Text(TText::RosterCars) + roster_->idField + ")";
  } catch (const std::exception& failure) {
    // The roster before is dropped too: a race must never start on a roster
    // other than the one the user last chose.
    roster_.reset();
    screen_.rosterRefused = true;
    screen_.rosterMessage = Text(TText::RosterRefused) + failure.what();
  }
  progress_ = raceday::RaceProgress({});
  racePorts_.clear();
  results_.clear();
  ShowRoster();
  ShowRace();
  ShowControls();
}

void TracksideLogic::ChooseOtherCars(int choice) {
  if (Running()) return;
  const int last = static_cast<int>(kHandicapPresets.size());
  screen_.otherCarsChoice = std::clamp(choice, 0, last);
  ShowControls();
}

void TracksideLogic::ChooseAdapter(const std::string& port, bool chosen) {
  if (Running()) return;
  if (chosen) {
    chosen_.insert(port);
  } else {
    chosen_.erase(port);
  }
  for (AdapterRow& row : screen_.adapters) {
    if (row.port == port) row.chosen = chosen;
  }
  ++screen_.adaptersRevision;
  ShowControls();
}

void TracksideLogic::ChooseLog(const std::string& path) {
  if (Running()) return;
  logPath_ = path;
  screen_.logFile = path.empty() ? Text(TText::NoLog) : path;
  ShowControls();
}

void TracksideLogic::Start() {
  if (!screen_.startEnabled || !OpenLog()) return;
  raceday::RaceSetup setup;
  setup.sources = sources_;
  setup.roster = roster_ ? &*roster_ : nullptr;
  setup.level = OtherCarsLevel();
  setup.log = log_ ? &*log_ : nullptr;
  setup.history = history_.get();
  racePorts_ = ChosenInListOrder();
  progress_ = raceday::RaceProgress(racePorts_);
  results_.clear();
  stopping_ = false;
  race_ = std::make_unique<raceday::RaceDay>(setup, racePorts_, events_);
  ShowAdaptersInRace();
  Say(Text(TText::Running), false);
  ShowRace();
  ShowControls();
}

void TracksideLogic::Stop() {
  if (!race_ || stopping_) return;
  race_->RequestStop();
  stopping_ = true;
  Say(Text(TText::Stopping), false);
  ShowControls();
}

bool TracksideLogic::Tick() {
  bool changed = false;
  const std::vector<raceday::RaceEvent> events = events_.TakeAll();
  for (const raceday::RaceEvent& event : events) AddEvent(event);
  if (!events.empty()) {
    ShowRace();
    changed = true;
  }
  if (history_ && !history_->TakeFailures().empty()) {
    Say(Text(TText::HistoryLost) + history_->Folder().string(), true);
    changed = true;
  }
  if (race_ && race_->WaitUntilEnded(std::chrono::milliseconds(0))) {
    Finish();
    changed = true;
  }
  if (!race_ && std::chrono::steady_clock::now() - adaptersRead_ >= kAdapterRefresh) {
    const std::vector<AdapterRow> before = screen_.adapters;
    RefreshAdapters();
    changed = changed || screen_.adapters != before;
  }
  return changed;
}

bool TracksideLogic::CloseRequested() {
  if (!race_) return true;
  closing_ = true;
  Stop();
  Say(Text(TText::Closing), false);
  return false;
}

std::optional<THandicapPreset> TracksideLogic::OtherCarsLevel() const {
  if (screen_.otherCarsChoice == 0) return std::nullopt;
  return kHandicapPresets.at(static_cast<std::size_t>(screen_.otherCarsChoice - 1));
}

// The race's adapters in the order the list shows them (COM2 before COM10).
std::vector<std::string> TracksideLogic::ChosenInListOrder() const {
  std::vector<std::string> ports;
  for (const AdapterRow& row : screen_.adapters) {
    if (row.chosen) ports.push_back(row.port);
  }
  return ports;
}

// One log file for the whole run, opened before anything is sent.
bool TracksideLogic::OpenLog() {
  log_.reset();
  if (logPath_.empty()) return true;
  try {
    log_.emplace(logPath_);
    return true;
  } catch (const std::exception& failure) {
    Say(Text(TText::LogRefused) + failure.what(), true);
    return false;
  }
}

void TracksideLogic::RefreshAdapters() {
  adaptersRead_ = std::chrono::steady_clock::now();
  std::vector<AdapterRow> adapters = ListAdapters(sources_, chosen_);
  if (adapters == screen_.adapters) return;
  screen_.adapters = std::move(adapters);
  ++screen_.adaptersRevision;
}

// The race holds its adapters now: the state read before it started would
// say "free". The list is read afresh once the race has ended.
void TracksideLogic::ShowAdaptersInRace() {
  for (AdapterRow& row : screen_.adapters) {
    if (row.chosen) row.state = Text(TText::PortInRace);
  }
  ++screen_.adaptersRevision;
}

void TracksideLogic::AddEvent(const raceday::RaceEvent& event) {
  raceday::AddEvent(progress_, event, roster_ ? &*roster_ : nullptr);
  if (raceday::EndsACar(event.kind)) results_.push_back({event.adapter, {ResultCells(event.car), false}});
  if (event.kind == TRaceEventKind::LogRowLost) MarkRowLost(event);
}

// The lost row is its adapter's newest car: each watcher logs its car before
// it takes the next.
void TracksideLogic::MarkRowLost(const raceday::RaceEvent& event) {
  const auto row = std::find_if(results_.rbegin(), results_.rend(), [&event](const Result& result) {
    return result.adapter == event.adapter;
  });
  if (row != results_.rend()) row->row.alert = true;
  Say(Text(TText::LogRowLost) + logPath_ + "  " + event.port + " YOURID " +
          std::to_string(event.car.yourId) + " MYID " + std::to_string(event.car.myId) + "  (" +
          event.reason + ")",
      true);
}

void TracksideLogic::Finish() {
  // The last events came before the watchers ended.
  for (const raceday::RaceEvent& event : events_.TakeAll()) AddEvent(event);
  race_.reset();
  log_.reset();
  stopping_ = false;
  if (!screen_.messageAlert) Say(Text(TText::RunEnded), false);
  RefreshAdapters();
  ShowRace();
  ShowControls();
}

void TracksideLogic::ShowRoster() {
  ++screen_.rosterRevision;
  screen_.rosterRows.clear();
  screen_.rosterHeaders = RosterHeaders(roster_ ? roster_->idField : "");
  if (screen_.rosterFile.empty()) screen_.rosterFile = Text(TText::NoRoster);
  if (!roster_) return;
  for (const cli::RosterCar& car : roster_->cars) screen_.rosterRows.push_back({RosterCells(car)});
}

void TracksideLogic::ShowRace() {
  ++screen_.raceRevision;
  screen_.statusLines.clear();
  for (std::size_t adapter = 0; adapter < progress_.statuses.size(); ++adapter) {
    // A port gone before it was ever opened has no listed name yet.
    const std::string& listed = progress_.tallies[adapter].port;
    screen_.statusLines.push_back(
        StatusLine(listed.empty() ? racePorts_.at(adapter) : listed, progress_.statuses[adapter]));
  }
  screen_.results.clear();
  for (auto result = results_.rbegin(); result != results_.rend(); ++result) {
    screen_.results.push_back(result->row);
  }
  screen_.counts = CountsText(progress_);
  screen_.notSeen.clear();
  const cli::Roster* roster = roster_ ? &*roster_ : nullptr;
  for (const cli::RosterCar* car : raceday::NotSeen(progress_, roster)) {
    screen_.notSeen.push_back(NotSeenLine(*car, roster->idField));
  }
}

void TracksideLogic::ShowControls() {
  screen_.setupEnabled = !race_;
  screen_.stopEnabled = race_ && !stopping_;
  screen_.startHint.clear();
  if (roster_ == std::nullopt && screen_.otherCarsChoice == 0) {
    screen_.startHint = Text(TText::NeedLevel);
  }
  if (chosen_.empty()) screen_.startHint = Text(TText::NeedAdapter);
  if (screen_.rosterRefused) screen_.startHint = screen_.rosterMessage;
  screen_.startEnabled = !race_ && screen_.startHint.empty();
}

void TracksideLogic::Say(const std::string& message, bool alert) {
  screen_.message = message;
  screen_.messageAlert = alert;
}

}  // namespace kx14::trackside
