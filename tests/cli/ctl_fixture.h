#pragma once

// The fixture of the tests that run kx14ctl as a whole process against
// kx14-devsim processes on ptys, all registered in the test's own ports
// directory.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "devsim_process.h"
#include "temp_dir.h"

namespace kx14::testing {

using namespace std::chrono_literals;

inline constexpr auto kPatience = 15000ms;  // generous: a silent device alone takes 3 s per read

// The worked example's block as kx14ctl prints it, and the same block
// programmed with level 3 (OVERTAKE on, OT_MAX 8).
inline const std::string kWorked = "5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51";
inline const std::string kLevel3 = "5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51";

struct CtlRun {
  int status = -1;
  std::string output;  // stdout and stderr together

  bool Says(const std::string& text) const { return output.find(text) != std::string::npos; }
};

// A simulator with the COM name and device its "port" line gave.
struct Device {
  std::optional<DevsimProcess> sim;
  std::string port;
  std::string device;
};

class Kx14ctl : public ::testing::Test {
 protected:
  void StartDevice(const std::vector<std::string>& args = {}) {
    StartDeviceIn(first_, args);
    port_ = first_.port;
    device_ = first_.device;
  }

  void StartDeviceIn(Device& device, const std::vector<std::string>& args = {}) {
    device.sim.emplace(KX14_DEVSIM_PATH, temp_.path(), args);
    const auto line = device.sim->WaitForLine("port ", kPatience);
    ASSERT_TRUE(line.has_value()) << "no port line";
    std::istringstream words(*line);
    std::string keyword;
    words >> keyword >> device.port >> device.device;
  }

  // kx14ctl with stderr folded into its stdout, to be read as it runs.
  DevsimProcess Start(std::vector<std::string> args) {
    args.insert(args.begin(), {"-c", "exec \"$0\" \"$@\" 2>&1", KX14CTL_PATH});
    return DevsimProcess("/bin/sh", temp_.path(), args);
  }

  // Runs kx14ctl to its end.
  CtlRun Ctl(std::vector<std::string> args) {
    DevsimProcess ctl = Start(std::move(args));
    CtlRun run;
    while (const auto line = ctl.ReadLine(kPatience)) run.output += *line + "\n";
    run.status = ctl.WaitExit(kPatience).value_or(-1);
    return run;
  }

  // Every frame log line of the first simulator that starts with `prefix`,
  // after the lines so far have been read (the last command's lines are in
  // by the time kx14ctl has its reply or its time-out).
  std::vector<std::string> DeviceLines(const std::string& prefix) {
    while (first_.sim->ReadLine(200ms)) {
    }
    std::vector<std::string> found;
    for (const std::string& line : first_.sim->Lines()) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }

  std::string LastStored() {
    const auto stored = DeviceLines("stored ");
    return stored.empty() ? "" : stored.back().substr(7);
  }

  std::filesystem::path File(const std::string& name) const { return temp_.path() / name; }

  TempDir temp_;
  Device first_;
  std::optional<DevsimProcess>& sim_ = first_.sim;
  std::string port_;
  std::string device_;
};

}  // namespace kx14::testing
