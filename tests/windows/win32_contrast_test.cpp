// The Win32 window under a high-contrast desktop (white text on black, as
// Windows' High Contrast Black hands it out): the text on every face the
// layout fixes (the sky-blue rows, the fields, the comment box, the level
// buttons, the port list) must stay readable, checked from the window's
// pixels as the user sees them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "tests/window_suite/text_contrast.h"
#include "tests/windows/win32_window_driver.h"
#include "ui/form/control_names.h"

namespace kx14 {
namespace {

// Switches the system's colours to a high-contrast scheme for the lifetime
// of the object, as a theme change does, and back afterwards.
class HighContrastColours {
 public:
  HighContrastColours() {
    for (std::size_t i = 0; i < kElements.size(); ++i) saved_[i] = GetSysColor(kElements[i]);
    const std::array<COLORREF, 4> dark = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0),
                                          RGB(0, 0, 0)};
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), dark.data());
  }
  ~HighContrastColours() {
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved_.data());
  }
  HighContrastColours(const HighContrastColours&) = delete;
  HighContrastColours& operator=(const HighContrastColours&) = delete;

 private:
  static constexpr std::array<INT, 4> kElements = {COLOR_WINDOWTEXT, COLOR_BTNTEXT, COLOR_WINDOW,
                                                   COLOR_BTNFACE};
  std::array<COLORREF, 4> saved_{};
};

// The window's client area as drawn, one row after another.
class Shot {
 public:
  explicit Shot(HWND window) : window_(window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC source = GetDC(window);
    HDC dc = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    const auto* pixels = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width_ * height_; ++i) {
      pixels_.push_back({pixels[i].rgbRed, pixels[i].rgbGreen, pixels[i].rgbBlue});
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(window, source);
  }

  // The pixels of `control`'s `area` (in its client coordinates).
  std::vector<TColour> Area(HWND control, RECT area) const {
    MapWindowPoints(control, window_, reinterpret_cast<POINT*>(&area), 2);
    std::vector<TColour> pixels;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
      for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x) {
        pixels.push_back(pixels_[static_cast<std::size_t>(y * width_ + x)]);
      }
    }
    return pixels;
  }

 private:
  HWND window_;
  int width_ = 0;
  int height_ = 0;
  std::vector<TColour> pixels_;
};

std::wstring ClassOf(HWND control) {
  std::array<wchar_t, 64> name{};
  GetClassNameW(control, name.data(), static_cast<int>(name.size()));
  return name.data();
}

// Where the control draws its text: a radio button's circle and a combo
// box's frame and arrow left out.
RECT TextArea(HWND control) {
  RECT area;
  GetClientRect(control, &area);
  const std::wstring kind = ClassOf(control);
  if (_wcsicmp(kind.c_str(), L"ComboBox") == 0) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(control, &info);
    return info.rcItem;
  }
  if (_wcsicmp(kind.c_str(), L"Button") == 0) area.left += 16;
  return area;
}

std::vector<HWND> VisibleTextControls(HWND window) {
  std::vector<HWND> controls;
  EnumChildWindows(
      window,
      [](HWND control, LPARAM found) {
        if (IsWindowVisible(control) && GetWindowTextLengthW(control) > 0) {
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(control);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controls));
  return controls;
}

std::string Describe(HWND control, const test::Contrast& found) {
  const char* name = ControlNameForId(GetDlgCtrlID(control));
  const auto rgb = [](TColour colour) {
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
  };
  return std::string(name != nullptr ? name : "unnamed") + ": " + std::to_string(found.ratio) +
         " : 1, " + rgb(found.text) + " on " + rgb(found.background) + "\n";
}

TEST(Win32WindowColours, EveryVisibleTextReadsOnItsBackgroundUnderHighContrast) {
  const HighContrastColours highContrast;
  test::Win32WindowDriver window;
  const HWND form = window.Form().Handle();
  RedrawWindow(form, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  window.Pump();
  const Shot shot(form);
  std::string unreadable;
  int checked = 0;
  for (HWND control : VisibleTextControls(form)) {
    const test::Contrast found = test::ContrastIn(shot.Area(control, TextArea(control)));
    if (found.ratio < 4.5) unreadable += Describe(control, found);
    ++checked;
  }
  EXPECT_EQ(unreadable, "");
  EXPECT_GE(checked, 14);  // the two row labels, the list, the information, ten levels, the comment
}

}  // namespace
}  // namespace kx14
