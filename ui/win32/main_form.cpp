#include "ui/win32/main_form.h"

#include <array>

#include "ui/form/app_title.h"
#include "ui/form/form_lifecycle.h"
#include "ui/win32/text.h"

namespace kx14 {

template class TMainFormLogic<Win32Kit>;

namespace {

const wchar_t* const kCaption = L"KX-14 Quovi Manager V1.00";
constexpr int kClientWidth = 310;
constexpr int kClientHeight = 416;  // the shown panels, stacked
// A sizeable frame with minimise and maximise boxes; WM_GETMINMAXINFO keeps
// every size the user or the system asks for at the form's own.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                         WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The outer size of a window whose client area is the form's.
SIZE FrameSize() {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// The window rectangle whose client area is the form's, centred on the
// primary screen's work area.
RECT CentredWindowRect() {
  const SIZE frame = FrameSize();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.cx;
  const int height = frame.cy;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return {left, top, left + width, top + height};
}

// Dragging a border, maximising and SetWindowPos all end at the form's size.
void KeepFormSize(MINMAXINFO& limits) {
  const SIZE frame = FrameSize();
  limits.ptMinTrackSize = {frame.cx, frame.cy};
  limits.ptMaxTrackSize = {frame.cx, frame.cy};
  limits.ptMaxSize = {frame.cx, frame.cy};
}

std::string ProgramTitle() {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  return ApplicationTitleFromPath(Utf8FromWide({path.data(), length}));
}

}  // namespace

TMainForm::TMainForm() {
  SetFace(clBtnFace);
  CreateContainer(nullptr, CentredWindowRect(), kStyle, kExStyle, false, kCaption);
  BuildForm(this);
}

TMainForm::~TMainForm() { DestroyNow(); }

void TMainForm::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETMINMAXINFO:
      KeepFormSize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_ACTIVATE:
      // The default handling would put the focus on the frame itself, where
      // neither Tab nor Space reaches a control.
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
      } else if (HIWORD(wParam) == 0) {  // not minimised
        RestoreFocus(nullptr);
      }
      return 0;
    case WM_SETFOCUS:
      // The frame itself takes no keys: the control that just lost the
      // focus (if it is one of ours) takes it back.
      RestoreFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_CLOSE:
      if (CloseRequested()) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      if (quitWhenDestroyed_) PostQuitMessage(0);
      break;
    default:
      break;
  }
  return Win32Container::HandleMessage(message, wParam, lParam);
}

void TMainForm::RememberFocus() {
  const HWND focused = GetFocus();
  if (focused != nullptr && IsChild(hwnd_, focused)) focused_ = focused;
}

bool TMainForm::CanTakeFocus(HWND control) const {
  return control != nullptr && IsChild(hwnd_, control) && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

void TMainForm::RestoreFocus(HWND previous) {
  const HWND focused = GetFocus();
  if (focused != nullptr && IsChild(hwnd_, focused)) return;  // a control has it already
  // The first control in tab order when nothing was remembered (or the
  // remembered control has gone or cannot take the focus now).
  HWND target = CanTakeFocus(previous) ? previous : focused_;
  if (!CanTakeFocus(target)) target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  focused_ = nullptr;  // used once: the next deactivation remembers afresh
  if (target != nullptr) ::SetFocus(target);
}

void TMainForm::CloseWindow() {
  if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TMainForm::ShowError(const std::string& message) {
  MessageBoxW(hwnd_, WideFromUtf8(ErrorBoxText(message)).c_str(),
              WideFromUtf8(ProgramTitle()).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace kx14
