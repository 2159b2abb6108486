#pragma once

#include <windows.h>

#include <string>

#include "ui/form/main_form_logic.h"
#include "ui/win32/kit.h"

namespace kx14 {

// The program's one window on Win32: the shared form (controls, layout,
// handlers, start-up; see TMainFormLogic) in a top-level window whose client
// area is 310 x 416 and stays so (a sizeable frame with a maximise box, whose
// every size request ends at that size), created hidden and centred on the
// screen. The control that had the keyboard focus gets it back when the
// window is activated again. Every handler runs on the window's thread; an exception escaping
// one is shown in the error box and the window carries on. Closing (exit
// button, title bar) asks no question; while a device operation waits the
// window goes once the operation has returned.
class TMainForm final : public Win32Container, public TMainFormLogic<Win32Kit> {
 public:
  TMainForm();
  ~TMainForm() override;

  void Show();
  // Ends the program's message loop when the window is destroyed.
  void QuitWhenDestroyed() { quitWhenDestroyed_ = true; }

  // The default error box for an exception that escaped a handler: modal
  // over the window, caption the program's title (from its file name), the
  // text by ErrorBoxText, an error icon and an OK button.
  void ShowError(const std::string& message) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CloseWindow() override;

 private:
  void RememberFocus();
  // Focus to `previous` where it is a control of this window that can take
  // it, else to the control remembered at deactivation, else to the first
  // one in tab order.
  void RestoreFocus(HWND previous);
  bool CanTakeFocus(HWND control) const;

  bool quitWhenDestroyed_ = false;
  HWND focused_ = nullptr;  // the control that had the focus at deactivation
};

}  // namespace kx14
