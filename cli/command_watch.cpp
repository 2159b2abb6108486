// watch, the track-side mode: programs each car plugged in with one level,
// one after the other, until Ctrl+C. A port that disappears (a USB adapter
// unplugged with the car) is waited for, never an error.

#include <filesystem>
#include <fstream>
#include <ostream>

#include "cli/backup_document.h"
#include "cli/block_fields.h"
#include "cli/block_report.h"
#include "cli/commands.h"
#include "cli/device_actions.h"
#include "cli/exit_status.h"
#include "cli/interrupt.h"
#include "cli/json_text.h"
#include "cli/utf8_path.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

// How often an absent port or a quiet device is tried again, and how often a
// programmed car is checked for having been unplugged.
constexpr std::chrono::milliseconds kPollInterval{300};

struct CarRecord {
  std::string time;
  std::string yourId;
  std::string myId;
  std::string oldLevel;
  std::string newLevel;
  std::string result;  // "ok", or what failed
};

class WatchLoop {
 public:
  explicit WatchLoop(const CommandContext& context) : context_(context) {}

  void Run();

 private:
  // The session on the port, opened when it can be; empty while the port is
  // absent or cannot be opened.
  DeviceSession* Session();
  void DropSession() { session_.reset(); }
  std::optional<BlockBytes> WaitForCar();
  void ProgramCar(const BlockBytes& found);
  void WaitForUnplug();
  void Report(const CarRecord& car);
  void AppendCsv(const CarRecord& car);
  void PrintTotals();

  const CommandContext& context_;
  std::unique_ptr<DeviceSession> session_;
  std::vector<CarRecord> cars_;
  int programmed_ = 0;
  int failed_ = 0;
};

DeviceSession* WatchLoop::Session() {
  if (!session_) {
    try {
      session_ = std::make_unique<DeviceSession>(
          ChoosePort(context_.options.port, context_.sources), context_.trace);
    } catch (const CliFailure& failure) {
      if (failure.Status() != TExitStatus::PortUnavailable) throw;
    }
  }
  return session_.get();
}

std::optional<BlockBytes> WatchLoop::WaitForCar() {
  while (!InterruptRequested()) {
    if (DeviceSession* session = Session()) {
      if (const auto block = session->ReadBlock()) return block;
      // No answer: the adapter may be gone; open it afresh next time.
      if (!std::filesystem::exists(session->Port().device)) DropSession();
    }
    SleepUnlessInterrupted(kPollInterval);
  }
  return std::nullopt;
}

void WatchLoop::ProgramCar(const BlockBytes& found) {
  CarRecord car{UtcTimestamp(),
                FieldText(found, *FindBlockField("YOURID")),
                FieldText(found, *FindBlockField("MYID")),
                std::string(HandicapShortName(LevelOfBlock(found))),
                std::string(HandicapShortName(*context_.options.level)),
                "ok"};
  try {
    const ProgramResult result =
        ProgramLevel(*session_, *context_.options.level, false, context_.out);
    VerifyStored(*session_, result.sent);
    ++programmed_;
  } catch (const CliFailure& failure) {
    car.result = failure.what();
    ++failed_;
  }
  Report(car);
}

void WatchLoop::WaitForUnplug() {
  while (!SleepUnlessInterrupted(kPollInterval)) {
    if (!std::filesystem::exists(session_->Port().device)) break;
    if (!session_->ReadBlock()) break;
  }
  DropSession();  // the next car may come on an adapter plugged in afresh
}

void WatchLoop::Report(const CarRecord& car) {
  cars_.push_back(car);
  if (context_.options.log) AppendCsv(car);
  if (context_.options.json || context_.options.quiet) return;
  context_.out << car.time << "  YOURID " << car.yourId << "  MYID " << car.myId << "  level "
               << car.oldLevel << " -> " << car.newLevel << "  " << car.result << std::endl;
}

void WatchLoop::AppendCsv(const CarRecord& car) {
  const std::filesystem::path path = PathFromUtf8(*context_.options.log);
  const bool fresh = !std::filesystem::exists(path) || std::filesystem::file_size(path) == 0;
  std::ofstream csv(path, std::ios::app);
  if (fresh) csv << "time,yourid,myid,old_level,new_level,result\n";
  std::string result = car.result;
  for (char& c : result) {
    if (c == '"') c = '\'';
  }
  csv << car.time << "," << car.yourId << "," << car.myId << "," << car.oldLevel << ","
      << car.newLevel << ",\"" << result << "\"" << std::endl;
}

void WatchLoop::PrintTotals() {
  if (context_.options.json) {
    Json cars = Json::array();
    for (const CarRecord& car : cars_) {
      cars.push_back({{"time", car.time},
                      {"yourid", car.yourId},
                      {"myid", car.myId},
                      {"old_level", car.oldLevel},
                      {"new_level", car.newLevel},
                      {"result", car.result}});
    }
    context_.out << JsonText({{"command", "watch"},
                              {"programmed", programmed_},
                              {"failed", failed_},
                              {"cars", std::move(cars)}});
  } else {
    context_.out << "programmed " << programmed_ << " cars, " << failed_ << " failed" << std::endl;
  }
}

void WatchLoop::Run() {
  // Without --port: the usage error that lists the ports. A named port that
  // is absent now is waited for like one that goes away later.
  if (!context_.options.port) ChoosePort(context_.options.port, context_.sources);
  if (!context_.options.json && !context_.options.quiet) {
    context_.out << "waiting for cars on " << *context_.options.port << " (Ctrl+C ends)"
                 << std::endl;
  }
  while (const auto found = WaitForCar()) {
    ProgramCar(*found);
    WaitForUnplug();
    if (!InterruptRequested() && !context_.options.json && !context_.options.quiet) {
      context_.out << "unplugged; waiting for the next car" << std::endl;
    }
  }
  PrintTotals();
  if (failed_ > 0) {
    throw CliFailure(TExitStatus::DeviceFailed, std::to_string(failed_) + " of " +
                                                    std::to_string(programmed_ + failed_) +
                                                    " cars failed; see the lines above");
  }
}

}  // namespace

void RunWatch(const CommandContext& context) {
  CatchInterrupts();
  WatchLoop(context).Run();
}

}  // namespace kx14::cli
