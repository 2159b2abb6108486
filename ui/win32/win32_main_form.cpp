#include "ui/win32/win32_main_form.h"

#include <array>

#include "ui/form/app_title.h"
#include "ui/form/main_form_logic_impl.h"
#include "ui/win32/win32_text.h"

namespace kx14 {

template class TMainFormLogic<Win32Kit>;

namespace {

const wchar_t* const kCaption = L"KX-14 Quovi Manager V1.00";
constexpr int kClientWidth = 310;
constexpr int kClientHeight = 416;  // the shown panels, stacked
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The window rectangle whose client area is the form's, centred on the
// primary screen's work area.
RECT CentredWindowRect() {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return {left, top, left + width, top + height};
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

void TMainForm::CloseWindow() {
  if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TMainForm::ShowError(const std::string& message) {
  MessageBoxW(hwnd_, WideFromUtf8(ErrorBoxText(message)).c_str(),
              WideFromUtf8(ProgramTitle()).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace kx14
