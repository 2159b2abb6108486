#include "cli/watch/watch_port.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "cli/files/backup_document.h"
#include "cli/block_report.h"
#include "cli/device_actions.h"
#include "cli/files/exit_status.h"
#include "cli/files/field_text.h"
#include "cli/interrupt.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
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

std::string CarName(const std::string& port, const BlockBytes& block) {
  return port + "  YOURID " + std::to_string(Identifier(block, "YOURID")) + "  MYID " +
         std::to_string(Identifier(block, "MYID"));
}

std::string ConsoleLine(const CarRecord& car) {
  std::string line = car.time + "  " + car.port + "  YOURID " + std::to_string(car.yourId) +
                     "  MYID " + std::to_string(car.myId);
  if (!car.name.empty()) line += "  " + car.name;
  return line + "  level " + car.oldLevel + " -> " + car.newLevel + "  " + car.result;
}

}  // namespace

PortWatch::PortWatch(const WatchSetup& setup, std::string port)
    : setup_(setup), port_(std::move(port)) {
  tally_.port = port_;
  if (setup_.trace != nullptr) trace_.emplace(*setup_.trace, port_);
}

std::optional<ChosenPort> PortWatch::ListedPort() const {
  try {
    return ChoosePort(port_, setup_.sources);
  } catch (const CliFailure& failure) {
    if (failure.Status() != TExitStatus::PortUnavailable) throw;
    return std::nullopt;
  }
}

DeviceSession* PortWatch::Session() {
  if (session_) return session_.get();
  try {
    if (const std::optional<ChosenPort> listed = ListedPort()) {
      session_ = std::make_unique<DeviceSession>(*listed, trace_ ? &*trace_ : nullptr,
                                                 setup_.history, "watch");
      tally_.port = session_->Port().name;
      openTrouble_.clear();
    }
  } catch (const std::exception& failure) {
    // Busy, no access, a broken link: said once, and the port is still
    // waited for.
    if (openTrouble_ != failure.what()) {
      setup_.console.Problem(port_ + " cannot be opened now: " + failure.what() +
                             "; still waiting for it");
    }
    openTrouble_ = failure.what();
  }
  return session_.get();
}

bool PortWatch::PortGone() const {
  // A port whose path cannot even be looked at (no access, a link loop) is
  // as good as gone: it is opened afresh, and that says why it cannot be.
  std::error_code error;
  return !std::filesystem::exists(session_->Port().device, error);
}

std::optional<BlockBytes> PortWatch::WaitForCar() {
  while (!InterruptRequested()) {
    if (Session() != nullptr) {
      if (const auto block = session_->ReadBlock()) return block;
      // No answer: the adapter may be gone; open it afresh next time.
      if (PortGone()) session_.reset();
    }
    SleepUnlessInterrupted(kPollInterval);
  }
  return std::nullopt;
}

void PortWatch::Program(CarRecord& car, THandicapPreset level) {
  car.newLevel = ShortName(level);
  try {
    std::ostringstream notes;  // only a forced store writes to it
    const ProgramResult result = ProgramLevel(*session_, level, false, notes);
    VerifyStored(*session_, result.sent);
    left_ = result.sent;
  } catch (const CliFailure& failure) {
    car.result = failure.what();
    car.outcome = TCarOutcome::Failed;
  }
}

void PortWatch::HandleCar(const BlockBytes& found) {
  CarRecord car{UtcTimestamp(),
                session_->Port().name,
                Identifier(found, "YOURID"),
                Identifier(found, "MYID"),
                "",
                "",
                ShortName(LevelOfBlock(found)),
                "-",
                "ok",
                TCarOutcome::Programmed};
  left_.reset();
  std::optional<THandicapPreset> level = setup_.options.level;
  if (const Roster* roster = setup_.roster) {
    const int id = FieldValue(found, *FindBlockField(roster->idField));
    if (const RosterCar* entry = roster->Find(id)) {
      setup_.seen.Add(id);
      car.name = entry->name;
      car.rosterLevel = ShortName(entry->level);
      level = entry->level;
    }
  }
  if (level) {
    Program(car, *level);
  } else {
    car.result = "skipped: not in the roster; nothing sent";
    car.outcome = TCarOutcome::Skipped;
    left_ = found;
  }
  Report(car);
}

// The car read is the one handled: the block this adapter left on it, or,
// after a failed store, the same identifiers.
bool PortWatch::StillThere(const BlockBytes& read, const BlockBytes& found) const {
  return left_ ? read == *left_ : SameIdentity(read, found);
}

std::optional<BlockBytes> PortWatch::WaitForUnplug(const BlockBytes& found) {
  int failedReads = 0;
  Clock::time_point firstFailure;
  while (!SleepUnlessInterrupted(kPollInterval)) {
    if (PortGone()) break;
    const Clock::time_point tried = Clock::now();
    if (const auto block = session_->ReadBlock()) {
      if (!StillThere(*block, found)) return block;
      failedReads = 0;
      continue;
    }
    if (failedReads++ == 0) firstFailure = tried;
    if (failedReads >= kUnplugFailedReads && Clock::now() - firstFailure >= kUnplugSpan) break;
  }
  session_.reset();  // the next car may come on an adapter plugged in afresh
  return std::nullopt;
}

void PortWatch::Report(const CarRecord& car) {
  tally_.cars.push_back(car);
  if (setup_.log) setup_.log->Append(car);
  setup_.console.Line(ConsoleLine(car));
}

void PortWatch::Run() {
  std::optional<BlockBytes> found = WaitForCar();
  while (found) {
    if (left_ && *found == *left_) {
      setup_.console.Line(CarName(tally_.port, *found) +
                          "  back as this adapter left it; not programmed or counted again");
    } else {
      HandleCar(*found);
    }
    const BlockBytes handled = *found;
    found = WaitForUnplug(handled);
    if (InterruptRequested()) break;
    if (found) {
      setup_.console.Line("unplugged from " + tally_.port + "; another car is there already");
      continue;
    }
    setup_.console.Line("unplugged from " + tally_.port + "; waiting for the next car");
    found = WaitForCar();
  }
}

}  // namespace kx14::cli
