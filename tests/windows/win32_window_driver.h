#pragma once

// The window driver of the Win32 window (under Wine): controls are found by
// their control IDs, and every action is the input messages the user's
// mouse and keyboard would produce, posted to the real control and run
// through the window's own message pump (dialog manager, key translation).

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "tests/window_suite/window_driver.h"
#include "tests/windows/devsim_link.h"
#include "tests/windows/serialcomm_stand_in.h"
#include "ui/win32/main_form.h"

namespace kx14::test {

class Win32WindowDriver final : public WindowDriver {
 public:
  Win32WindowDriver();
  ~Win32WindowDriver() override;
  Win32WindowDriver(const Win32WindowDriver&) = delete;
  Win32WindowDriver& operator=(const Win32WindowDriver&) = delete;

  void Reveal(const std::string& panel) override;
  void Click(const std::string& control) override;
  void ClickWith(const std::string& control, MouseButton button) override;
  void Focus(const std::string& control) override;
  void Type(const std::string& text) override;
  void Press(Key key, unsigned modifiers) override;
  std::string Text(const std::string& control) override;
  Place PlaceOf(const std::string& control) override;
  bool Checked(const std::string& button) override;
  int Position(const std::string& bar) override;
  BarRange RangeOf(const std::string& bar) override;
  Selection SelectionOf(const std::string& field) override;
  std::vector<std::string> Items(const std::string& list) override;
  bool WindowShown() override;
  std::string Focused() override;
  std::int32_t Tag(const std::string& field) override;
  void SetValue(const std::string& field, std::int32_t tag, const std::string& text) override;
  void SetText(const std::string& control, const std::string& text) override;
  void SetPosition(const std::string& bar, int position) override;
  void Select(const std::string& button) override;
  void SetSelection(const std::string& field, int start, int length) override;
  void SetItemIndex(const std::string& list, int index) override;
  void RunDropDown(const std::string& list) override;
  void UsePorts(const std::vector<std::string>& names) override;
  // The device is the one simulator that scripts/windows-test.sh started,
  // set up afresh by its control commands; its frame log is a file.
  std::string UseDevice(const DeviceSetup& setup) override;
  std::optional<std::string> NextDeviceLine(const std::string& prefix) override;
  std::vector<std::string> DeviceLines() override;
  void SetReceiveTimeOut(std::chrono::milliseconds timeOut) override;
  bool Choose(const std::string& list, const std::string& name) override;
  void DropDownAndDismiss(const std::string& list) override;
  void CloseWindow() override;
  void After(std::chrono::milliseconds delay, std::function<void()> action) override;
  std::vector<std::string> TakeInformationTexts() override;
  bool Enabled(const std::string& control) override;
  bool PortOpen() override;
  bool OperationRunning() override;
  void CountChanges(const std::string& bar) override;
  int ChangesCounted() const override { return changes_; }

  TMainForm& Form() { return *form_; }
  // Destroys the window (what the form owns finishes its work).
  void DestroyForm() { form_.reset(); }
  // The control's window; fails the test (and returns null) for an unknown name.
  HWND Find(const std::string& control) const;
  void Pump() override;

 private:
  void PressKey(HWND target, UINT virtualKey);
  // The neutral control behind the named window (null, and a failure, when
  // it is no such control).
  template <class Control>
  Control* Neutral(const std::string& name) const;

  // The simulator's log lines from `logStart_` on are this driver's;
  // NextDeviceLine has taken those before `logTaken_`.
  std::vector<std::string> DeviceLogLines() const;

  // Each outlives the window's use of it.
  DevsimLink devsim_;
  std::size_t logStart_ = 0;
  std::size_t logTaken_ = 0;
  std::unique_ptr<SerialCommStandIn> ports_;
  std::vector<std::string> information_;  // MON_EDIT's texts, recorded by its subclass
  std::unique_ptr<TMainForm> form_;
  int changes_ = 0;
};

}  // namespace kx14::test
