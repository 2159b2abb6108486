#pragma once

// The main window as a behaviour test sees it, under every toolkit: controls
// are named as the window names them ("YOUID_EDIT", "CommBox"), and every
// action goes to the real native control as the user's input would (a
// mouse press and release, key presses with their characters). One driver
// per toolkit implements it (Qt: tests/ui/qt_window_driver.cpp; Win32:
// tests/windows/win32_window_driver.cpp); the suites in this folder are
// written once against it and run on both.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kx14::test {

enum class Key : std::uint8_t { kEnter, kUp, kDown, kLeft, kBackspace, kDelete, kTab };

enum Modifiers : unsigned { kNoModifiers = 0, kShift = 1, kCtrl = 2 };

enum class MouseButton : std::uint8_t { kLeft, kRight, kMiddle };

// A control's place in its parent's client area.
struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// A scroll bar's range as the native bar holds it, and its steps.
struct BarRange {
  int min = 0;
  int max = 0;
  int smallStep = 0;
  int largeStep = 0;
  friend bool operator==(const BarRange&, const BarRange&) = default;
};

struct Selection {
  int start = 0;
  int length = 0;
  friend bool operator==(const Selection&, const Selection&) = default;
};

// How the simulated device answers: the simulator's fault names ("silent",
// "short", "bad-checksum", "refuse", "no-echo"; none: a working device), a
// wait before each reply, and the block it holds (16 hex bytes; by default
// the worked example's).
struct DeviceSetup {
  std::vector<std::string> faults;
  std::chrono::milliseconds replyDelay{0};
  std::string block = "5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51";
};

class WindowDriver {
 public:
  virtual ~WindowDriver() = default;

  // Shows one of the panels that the window keeps hidden, so that its
  // controls can take the focus and the mouse. The window itself never does.
  virtual void Reveal(const std::string& panel) = 0;
  // A left-button press and release in the middle of the control.
  virtual void Click(const std::string& control) = 0;
  // A press and release of `button` near the left end of the control.
  virtual void ClickWith(const std::string& control, MouseButton button) = 0;
  // Gives the control the keyboard focus, as a click into it would.
  virtual void Focus(const std::string& control) = 0;
  // Key presses to the control that has the focus: each character of the
  // UTF-8 text, or one key with modifiers held.
  virtual void Type(const std::string& text) = 0;
  virtual void Press(Key key, unsigned modifiers = kNoModifiers) = 0;

  virtual std::string Text(const std::string& control) = 0;
  virtual Place PlaceOf(const std::string& control) = 0;
  // Whether a radio button shows as selected.
  virtual bool Checked(const std::string& button) = 0;
  // The position a scroll bar shows.
  virtual int Position(const std::string& bar) = 0;
  virtual BarRange RangeOf(const std::string& bar) = 0;
  virtual Selection SelectionOf(const std::string& field) = 0;
  // A list's items, as the native list holds them.
  virtual std::vector<std::string> Items(const std::string& list) = 0;
  // Whether the main window is still shown.
  virtual bool WindowShown() = 0;
  // The name of the control that has the keyboard focus; "" for none (or
  // the window itself).
  virtual std::string Focused() = 0;

  // An edit field's Tag (an identifier's value of record).
  virtual std::int32_t Tag(const std::string& field) = 0;
  // Changes from code, as a read from the device does: a field's Tag and
  // text, an edit field's or the comment box's text, a bar's position, the
  // selection of a radio button.
  virtual void SetValue(const std::string& field, std::int32_t tag, const std::string& text) = 0;
  virtual void SetText(const std::string& control, const std::string& text) = 0;
  virtual void SetPosition(const std::string& bar, int position) = 0;
  virtual void Select(const std::string& button) = 0;
  // Selects part of a field's text, as a drag over it would.
  virtual void SetSelection(const std::string& field, int start, int length) = 0;
  // Selects a list's item from code.
  virtual void SetItemIndex(const std::string& list, int index) = 0;
  // Runs the list's drop-down handler, as opening the list does; the list
  // stays closed, so no close-up follows.
  virtual void RunDropDown(const std::string& list) = 0;

  // The machine's serial ports are these names, and only these, from now on
  // while the driver lives (Qt: a ports folder of the driver's own; Win32:
  // the registry's SERIALCOMM list, put back afterwards). Never opened.
  virtual void UsePorts(const std::vector<std::string>& names) = 0;

  // The simulator (kx14-devsim) behind a port of the machine, answering as
  // `setup` says; its port is the only one the machine lists from now on.
  // Gives the port's name ("COM7"); "" and a failure when none could be set
  // up. Its frame log is read from here on.
  virtual std::string UseDevice(const DeviceSetup& setup) = 0;
  // The next line of the device's frame log that starts with `prefix`,
  // after the last line taken, without the prefix; nothing when none comes
  // within five seconds.
  virtual std::optional<std::string> NextDeviceLine(const std::string& prefix) = 0;
  // Every line of the device's frame log since UseDevice ("rx E5", ...).
  virtual std::vector<std::string> DeviceLines() = 0;
  // The window's receive time-out, so that a silent device costs little.
  virtual void SetReceiveTimeOut(std::chrono::milliseconds timeOut) = 0;

  // Drops the list down (which refreshes it), takes the entry `name` and
  // closes the list, as the user does; returns once the close-up's handler
  // has run. False, with the list closed again, when `name` is not listed.
  virtual bool Choose(const std::string& list, const std::string& name) = 0;
  // Drops the list down and dismisses it without a choice.
  virtual void DropDownAndDismiss(const std::string& list) = 0;
  // The title bar's close button.
  virtual void CloseWindow() = 0;
  // Runs `action` on the window's thread after `delay`, from the window's
  // event loop (also from the one a device operation runs while it waits).
  // An action still pending when the driver goes never runs.
  virtual void After(std::chrono::milliseconds delay, std::function<void()> action) = 0;

  // Every text that MON_EDIT took since the window opened or the last call,
  // in order (a text set again unchanged shows once).
  virtual std::vector<std::string> TakeInformationTexts() = 0;
  virtual bool Enabled(const std::string& control) = 0;
  // Whether the window's serial port is open.
  virtual bool PortOpen() = 0;
  // Whether a read or program operation runs (and waits for the device).
  virtual bool OperationRunning() = 0;

  // Counts the runs of the bar's change handler from now on (the handler
  // still runs), and the count so far.
  virtual void CountChanges(const std::string& bar) = 0;
  virtual int ChangesCounted() const = 0;

  // Runs the window's pending events, as its message loop would between
  // two inputs.
  virtual void Pump() = 0;
};

// A fresh main window, shown and active, with the driver of the toolkit that
// the test program is built for.
std::unique_ptr<WindowDriver> OpenMainWindow();

}  // namespace kx14::test
