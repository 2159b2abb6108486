#include "cli/watch_port.h"

#include <filesystem>
#include <sstream>

#include "cli/backup_document.h"
#include "cli/block_report.h"
#include "cli/device_actions.h"
#include "cli/exit_status.h"
#include "cli/field_text.h"
#include "cli/interrupt.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

// How often an absent port or a quiet device is tried again, and how often a
// programmed car is checked for having been unplugged.
constexpr std::chrono::milliseconds kPollInterval{300};

std::string ShortName(THandicapPreset level) { return std::string(HandicapShortName(level)); }

std::string ConsoleLine(const CarRecord& car) {
  std::string line = car.time + "  " + car.port + "  YOURID " + car.yourId + "  MYID " + car.myId;
  if (!car.name.empty()) line += "  " + car.name;
  return line + "  level " + car.oldLevel + " -> " + car.newLevel + "  " + car.result;
}

}  // namespace

PortWatch::PortWatch(const WatchSetup& setup, std::string port)
    : setup_(setup), port_(std::move(port)) {
  tally_.port = port_;
}

DeviceSession* PortWatch::Session() {
  if (!session_) {
    try {
      session_ = std::make_unique<DeviceSession>(ChoosePort(port_, setup_.sources), setup_.trace);
      tally_.port = session_->Port().name;
    } catch (const CliFailure& failure) {
      if (failure.Status() != TExitStatus::PortUnavailable) throw;
    }
  }
  return session_.get();
}

std::optional<BlockBytes> PortWatch::WaitForCar() {
  while (!InterruptRequested()) {
    if (DeviceSession* session = Session()) {
      if (const auto block = session->ReadBlock()) return block;
      // No answer: the adapter may be gone; open it afresh next time.
      if (!std::filesystem::exists(session->Port().device)) session_.reset();
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
  } catch (const CliFailure& failure) {
    car.result = failure.what();
    car.outcome = TCarOutcome::Failed;
  }
}

void PortWatch::HandleCar(const BlockBytes& found) {
  CarRecord car{UtcTimestamp(),
                session_->Port().name,
                FieldText(found, *FindBlockField("YOURID")),
                FieldText(found, *FindBlockField("MYID")),
                "",
                "",
                ShortName(LevelOfBlock(found)),
                "-",
                "ok",
                TCarOutcome::Programmed};
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
  }
  Report(car);
}

void PortWatch::WaitForUnplug() {
  while (!SleepUnlessInterrupted(kPollInterval)) {
    if (!std::filesystem::exists(session_->Port().device)) break;
    if (!session_->ReadBlock()) break;
  }
  session_.reset();  // the next car may come on an adapter plugged in afresh
}

void PortWatch::Report(const CarRecord& car) {
  tally_.cars.push_back(car);
  if (setup_.log) setup_.log->Append(car);
  setup_.console.Line(ConsoleLine(car));
}

void PortWatch::Run() {
  while (const auto found = WaitForCar()) {
    HandleCar(*found);
    WaitForUnplug();
    if (!InterruptRequested()) {
      setup_.console.Line("unplugged from " + tally_.port + "; waiting for the next car");
    }
  }
}

}  // namespace kx14::cli
