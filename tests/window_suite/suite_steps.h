#pragma once

// Steps that several window suites take, written over the driver or the
// toolkit-neutral controls, so that both toolkits' drivers share them.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "controls/scroll_bar_control.h"
#include "window_driver.h"

namespace kx14::test {

// The level buttons, top to bottom.
inline constexpr const char* kPresets[] = {"Handy_S", "Handy_M", "Handy0", "Handy1", "Handy2",
                                           "Handy3",  "Handy4",  "Handy5", "Handy6", "Handy_7"};

// The base of a suite whose cases share one window (a window costs seconds
// under Wine): for cases that leave the window as the next one needs it.
template <class Base = ::testing::Test>
class SharedWindowSuite : public Base {
 protected:
  static void SetUpTestSuite() { window = OpenMainWindow(); }
  static void TearDownTestSuite() { window.reset(); }
  static inline std::unique_ptr<WindowDriver> window;
};

// Replaces the field's text by typing, as the user does: the click gives it
// the focus and selects the whole text (the field's mouse-up rule).
inline void TypeOver(WindowDriver& window, const std::string& field, const std::string& typed) {
  window.Click(field);
  ASSERT_EQ(window.Focused(), field);
  window.Press(Key::kDelete);
  window.Type(typed);
}

using Texts = std::vector<std::string>;

inline void PrintTo(const Place& place, std::ostream* out) {
  *out << "(" << place.left << ", " << place.top << ", " << place.width << " x " << place.height
       << ")";
}

// The window's receive time-out in the suites with a device: what a silent
// device costs, and ample for the simulator's answer under Wine.
inline constexpr std::chrono::milliseconds kSuiteReceiveTimeOut{1000};

// Puts the simulated device behind the machine's only port and chooses that
// port in the list, as the user does; the port is then open, and MON_EDIT's
// texts so far are taken. `port` receives the port's name.
inline void AttachDevice(WindowDriver& window, const DeviceSetup& setup = {},
                         std::string* port = nullptr) {
  window.SetReceiveTimeOut(kSuiteReceiveTimeOut);
  const std::string name = window.UseDevice(setup);
  ASSERT_FALSE(name.empty());
  ASSERT_TRUE(window.Choose("CommBox", name));
  ASSERT_EQ(window.Text("MON_EDIT"), name + " 設定完了");
  ASSERT_TRUE(window.PortOpen());
  window.TakeInformationTexts();
  if (port != nullptr) *port = name;
}

// Everything a read may change, apart from MON_EDIT, as name=value lines.
inline std::vector<std::string> ReadableState(WindowDriver& window) {
  std::vector<std::string> state;
  for (const char* button :
       {"BUP_00h", "BUP_5Ah", "MAS_ON", "MAS_OFF", "OT_ON", "OT_OFF", "Handy_S", "Handy_M",
        "Handy0", "Handy1", "Handy2", "Handy3", "Handy4", "Handy5", "Handy6", "Handy_7"}) {
    state.push_back(std::string(button) + (window.Checked(button) ? "=on" : "=off"));
  }
  for (const char* row : {"LAST", "MODE", "UA", "LOW", "HICH", "THR", "YOBI1", "YOBI2"}) {
    const std::string bar = std::string(row) + "_BAR";
    state.push_back(bar + "=" + std::to_string(window.Position(bar)) + "/" +
                    window.Text(std::string(row) + "_EDIT"));
  }
  for (const char* field : {"YOUID_EDIT", "MYID_EDIT"}) {
    state.push_back(std::string(field) + "=" + std::to_string(window.Tag(field)) + "/" +
                    window.Text(field));
  }
  state.push_back(window.Text("K_Comment"));
  return state;
}

// Makes the bar's change handler count its runs in `runs` (from 0); the
// handler still runs.
inline void CountChangeRuns(TScrollBarControl& bar, int& runs) {
  runs = 0;
  bar.OnChange = [&runs, handler = bar.OnChange](TScrollBarControl* sender) {
    ++runs;
    handler(sender);
  };
}

}  // namespace kx14::test
