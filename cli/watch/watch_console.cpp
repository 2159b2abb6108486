#include "cli/watch/watch_console.h"

#include "files/watch_log.h"

namespace kx14::cli {
namespace {

using raceday::TRaceEventKind;

std::string CarIdentity(const std::string& port, const CarRecord& car) {
  return port + "  YOURID " + std::to_string(car.yourId) + "  MYID " + std::to_string(car.myId);
}

std::string CarLine(const CarRecord& car) {
  std::string line = car.time + "  " + CarIdentity(car.port, car);
  if (!car.name.empty()) line += "  " + car.name;
  return line + "  level " + car.oldLevel + " -> " + car.newLevel + "  " + car.result;
}

std::string UnpluggedLine(const raceday::RaceEvent& event) {
  return "unplugged from " + event.port +
         (event.anotherCar ? "; another car is there already" : "; waiting for the next car");
}

}  // namespace

std::string StoppedText(const std::string& port, const std::string& reason) {
  return "watching " + port + " stopped: " + reason;
}

WatchConsole::WatchConsole(std::ostream& out, std::ostream& err, bool silent,
                           std::vector<std::string> ports, std::string logPath)
    : out_(out),
      err_(err),
      silent_(silent),
      ports_(std::move(ports)),
      logPath_(std::move(logPath)) {}

void WatchConsole::Line(const std::string& text) {
  if (silent_) return;
  const std::lock_guard lock(mutex_);
  out_ << text << std::endl;
}

void WatchConsole::Problem(const std::string& text) {
  const std::lock_guard lock(mutex_);
  err_ << "kx14ctl: " << text << std::endl;
}

void WatchConsole::OnEvent(const raceday::RaceEvent& event) {
  const std::string& given = ports_.at(event.adapter);
  switch (event.kind) {
    case TRaceEventKind::Verified:
    case TRaceEventKind::Failed:
    case TRaceEventKind::Skipped:
      return Line(CarLine(event.car));
    case TRaceEventKind::CarReturned:
      return Line(CarIdentity(event.port, event.car) +
                  "  back as this adapter left it; not programmed or counted again");
    case TRaceEventKind::CarUnplugged:
      return Line(UnpluggedLine(event));
    case TRaceEventKind::AdapterGone:
      // An adapter simply absent is normal at the track and not said.
      if (event.reason.empty()) return;
      return Problem(given + " cannot be opened now: " + event.reason + "; still waiting for it");
    case TRaceEventKind::LogRowLost:
      return Problem(LostRowMessage(event.car, logPath_, event.reason));
    case TRaceEventKind::Stopped:
      if (event.reason.empty()) return;
      return Problem(StoppedText(given, event.reason) + "; the other ports go on");
    case TRaceEventKind::AdapterReady:
    case TRaceEventKind::CarFound:
    case TRaceEventKind::Programmed:
    case TRaceEventKind::LogRowWritten:
      return;
  }
}

}  // namespace kx14::cli
