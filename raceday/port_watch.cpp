#include "raceday/port_watch.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "device/block_report.h"
#include "device/device_actions.h"
#include "files/backup_document.h"
#include "files/exit_status.h"
#include "protocol/handicap_captions.h"

namespace kx14::raceday {
namespace {

using Clock = std::chrono::steady_clock;

// How often an absent port or a quiet device is tried again, and how often a
// programmed car is checked for having been unplugged.
constexpr std::chrono::milliseconds kPollInterval{300};

std::string ShortName(THandicapPreset level) { return std::string(HandicapShortName(level)); }

int Identifier(const BlockBytes& block, const char* field) {
  return FieldValue(block, *FindBlockField(field));
}

bool SameIdentity(const BlockBytes& a, const BlockBytes& b) {
  return Identifier(a, "YOURID") == Identifier(b, "YOURID") &&
         Identifier(a, "MYID") == Identifier(b, "MYID");
}

TRaceEventKind OutcomeEvent(cli::TCarOutcome outcome) {
  switch (outcome) {
    case cli::TCarOutcome::Failed:
      return TRaceEventKind::Failed;
    case cli::TCarOutcome::Skipped:
      return TRaceEventKind::Skipped;
    case cli::TCarOutcome::Programmed:
      break;
  }
  return TRaceEventKind::Verified;
}

}  // namespace

PortWatch::PortWatch(const RaceSetup& setup, std::string port, const StopSignal& stop,
                     Publish publish)
    : setup_(setup),
      port_(std::move(port)),
      name_(port_),
      stop_(stop),
      publish_(std::move(publish)) {
  if (setup_.trace != nullptr) trace_.emplace(*setup_.trace, port_);
}

void PortWatch::Emit(TRaceEventKind kind, const cli::CarRecord& car, const std::string& reason,
                     bool anotherCar) const {
  RaceEvent event;
  event.kind = kind;
  event.port = name_;
  event.car = car;
  event.reason = reason;
  event.anotherCar = anotherCar;
  publish_(std::move(event));
}

std::optional<cli::ChosenPort> PortWatch::ListedPort() const {
  try {
    return cli::ChoosePort(port_, setup_.sources);
  } catch (const cli::CliFailure& failure) {
    if (failure.Status() != cli::TExitStatus::PortUnavailable) throw;
    return std::nullopt;
  }
}

cli::DeviceSession* PortWatch::Session() {
  if (session_) return session_.get();
  std::string trouble;
  try {
    if (const std::optional<cli::ChosenPort> listed = ListedPort()) {
      session_ = std::make_unique<cli::DeviceSession>(*listed, trace_ ? &*trace_ : nullptr,
                                                      setup_.history, "watch");
      name_ = session_->Port().name;
    }
  } catch (const std::exception& failure) {
    // Busy, no access, a broken link: the port is still waited for.
    trouble = failure.what();
  }
  if (session_) {
    AdapterReady();
  } else {
    AdapterGone(trouble);
  }
  return session_.get();
}

void PortWatch::AdapterReady() {
  openTrouble_.clear();
  // Opened afresh after a car left: nothing new to say.
  if (adapter_ == TAdapter::Ready) return;
  adapter_ = TAdapter::Ready;
  Emit(TRaceEventKind::AdapterReady);
}

// Said when the adapter goes, and again only for a new reason it cannot be
// opened: a busy port tried every poll is said once, not three times a second.
void PortWatch::AdapterGone(const std::string& reason) {
  const bool news = adapter_ != TAdapter::Gone || (!reason.empty() && reason != openTrouble_);
  adapter_ = TAdapter::Gone;
  if (!reason.empty()) openTrouble_ = reason;
  if (news) Emit(TRaceEventKind::AdapterGone, {}, reason);
}

bool PortWatch::PortGone() const {
  // A port whose path cannot even be looked at (no access, a link loop) is
  // as good as gone: it is opened afresh, and that says why it cannot be.
  std::error_code error;
  return !std::filesystem::exists(session_->Port().device, error);
}

std::optional<BlockBytes> PortWatch::WaitForCar() {
  while (!stop_.Requested()) {
    if (Session() != nullptr) {
      if (const auto block = session_->ReadBlock()) return block;
      // No answer: the adapter may be gone; open it afresh next time.
      if (PortGone()) {
        session_.reset();
        AdapterGone("");
      }
    }
    stop_.WaitFor(kPollInterval);
  }
  return std::nullopt;
}

cli::CarRecord PortWatch::FoundCar(const BlockBytes& block) const {
  return cli::CarRecord{cli::UtcTimestamp(),
                        name_,
                        Identifier(block, "YOURID"),
                        Identifier(block, "MYID"),
                        "",
                        "",
                        ShortName(cli::LevelOfBlock(block)),
                        "-",
                        "ok",
                        cli::TCarOutcome::Programmed};
}

std::optional<THandicapPreset> PortWatch::LevelFor(const BlockBytes& found,
                                                   cli::CarRecord& car) const {
  if (const cli::Roster* roster = setup_.roster) {
    const int id = FieldValue(found, *FindBlockField(roster->idField));
    if (const cli::RosterCar* entry = roster->Find(id)) {
      car.name = entry->name;
      car.rosterLevel = ShortName(entry->level);
      return entry->level;
    }
  }
  return setup_.level;
}

void PortWatch::HandleCar(const BlockBytes& found) {
  cli::CarRecord car = FoundCar(found);
  left_.reset();
  const std::optional<THandicapPreset> level = LevelFor(found, car);
  if (level) car.newLevel = ShortName(*level);
  Emit(TRaceEventKind::CarFound, car);
  if (level) {
    Program(car, *level);
  } else {
    car.result = "skipped: not in the roster; nothing sent";
    car.outcome = cli::TCarOutcome::Skipped;
    left_ = found;
  }
  Report(car);
}

void PortWatch::Program(cli::CarRecord& car, THandicapPreset level) {
  try {
    std::ostringstream notes;  // only a forced store writes to it
    const cli::ProgramResult result = cli::ProgramLevel(*session_, level, false, notes);
    Emit(TRaceEventKind::Programmed, car);
    cli::VerifyStored(*session_, result.sent);
    left_ = result.sent;
  } catch (const cli::CliFailure& failure) {
    car.result = failure.what();
    car.outcome = cli::TCarOutcome::Failed;
  }
}

void PortWatch::Report(const cli::CarRecord& car) {
  Emit(OutcomeEvent(car.outcome), car);
  if (setup_.log == nullptr) return;
  if (const std::optional<std::string> why = setup_.log->Append(car)) {
    Emit(TRaceEventKind::LogRowLost, car, *why);
  } else {
    Emit(TRaceEventKind::LogRowWritten, car);
  }
}

// The car read is the one handled: the block this adapter left on it, or,
// after a failed store, the same identifiers.
bool PortWatch::StillThere(const BlockBytes& read, const BlockBytes& found) const {
  return left_ ? read == *left_ : SameIdentity(read, found);
}

PortWatch::Unplug PortWatch::WaitForUnplug(const BlockBytes& found) {
  Unplug unplug;
  int failedReads = 0;
  Clock::time_point firstFailure;
  while (!stop_.WaitFor(kPollInterval)) {
    if (PortGone()) {
      unplug.adapterGone = true;
      break;
    }
    const Clock::time_point tried = Clock::now();
    if (const auto block = session_->ReadBlock()) {
      if (!StillThere(*block, found)) {
        unplug.nextCar = block;
        return unplug;
      }
      failedReads = 0;
      continue;
    }
    if (failedReads++ == 0) firstFailure = tried;
    if (failedReads >= kUnplugFailedReads && Clock::now() - firstFailure >= kUnplugSpan) break;
  }
  session_.reset();  // the next car may come on an adapter plugged in afresh
  return unplug;
}

void PortWatch::Run() {
  std::optional<BlockBytes> found = WaitForCar();
  // A car found as the stop came is left as it is: only a car whose
  // handling has begun is finished.
  while (found && !stop_.Requested()) {
    if (left_ && *found == *left_) {
      // With its roster entry, so that a front end can say whose car it is.
      cli::CarRecord car = FoundCar(*found);
      static_cast<void>(LevelFor(*found, car));
      Emit(TRaceEventKind::CarReturned, car);
    } else {
      HandleCar(*found);
    }
    const Unplug unplug = WaitForUnplug(*found);
    if (stop_.Requested()) break;
    Emit(TRaceEventKind::CarUnplugged, {}, "", unplug.nextCar.has_value());
    if (unplug.adapterGone) AdapterGone("");
    found = unplug.nextCar ? unplug.nextCar : WaitForCar();
  }
}

}  // namespace kx14::raceday
