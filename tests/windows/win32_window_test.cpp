// The Win32 window under Wine: its controls read back from the real window
// handles, the two control rules through the native controls, and Read and
// Program against the Linux simulator. The shared logic itself is covered
// by the Linux suite; these cases catch what the Win32 layer gets wrong.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "history/history_reader.h"
#include "tests/windows/win32_window_driver.h"
#include "ui/form/control_names.h"
#include "ui/form/handicap_presets.h"
#include "ui/win32/art.h"
#include "ui/win32/main_form.h"
#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14 {
namespace {

std::string TextOf(const Win32Control* control) {
  const HWND hwnd = control->Handle();
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

// The user's move of a bar, as the bar reports it to its panel.
void Scroll(const Win32Control* bar, int code) {
  SendMessageW(GetParent(bar->Handle()), WM_HSCROLL, static_cast<WPARAM>(code),
               reinterpret_cast<LPARAM>(bar->Handle()));
}

// The folder's entries, read again for a while when none shows: a listing
// taken while the writer renames an entry's result over it may miss that
// one name.
std::vector<history::HistoryEntry> EntriesOnceWritten(const std::filesystem::path& folder) {
  const DWORD deadline = GetTickCount() + 5000;
  std::vector<history::HistoryEntry> entries = history::ReadHistory(folder);
  while (entries.empty() && static_cast<LONG>(deadline - GetTickCount()) > 0) {
    Sleep(10);
    entries = history::ReadHistory(folder);
  }
  return entries;
}

class Win32Window : public ::testing::Test {
 protected:
  // The window records its stores in a folder of the test's own, named
  // before the window is made.
  struct HistoryFolder {
    HistoryFolder() {
      std::filesystem::remove_all(path);
      _putenv_s("KX14_HISTORY_DIR", path.string().c_str());
    }
    ~HistoryFolder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("kx14-window-history-" + std::to_string(GetCurrentProcessId()));
  };
  HistoryFolder historyFolder;
  const std::filesystem::path& history = historyFolder.path;
  test::Win32WindowDriver window;
  TMainForm* const form = &window.Form();
};

TEST(Win32Art, PictureAndGlyphsAreCompiledIn) { EXPECT_TRUE(ArtPresent()); }

// Japanese captions must never show as boxes: the chosen face has a glyph
// for every character of the level captions and the comments.
TEST(Win32Font, ChosenFaceHasTheJapaneseGlyphs) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontFor(TFontRole::frWindow));
  std::array<wchar_t, LF_FACESIZE> face{};
  GetTextFaceW(dc, static_cast<int>(face.size()), face.data());
  const std::wstring text = WideFromUtf8(PresetComment(9) + "ハンデ＋ＭＡＸ起動完了読み取り成功");
  std::vector<WORD> glyphs(text.size());
  const DWORD converted = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()),
                                           glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  ASSERT_EQ(converted, text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') continue;
    EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for U+" << std::hex << int{text[i]} << " in "
                                 << Utf8FromWide(face.data());
  }
}

// Where each control sits is the shared window suite's
// (tests/window_suite/layout_suite.cpp).
TEST_F(Win32Window, ClientAreaHoldsTheFourRowsOnly) {
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 310);
  EXPECT_EQ(client.bottom, 416);
  EXPECT_FALSE(IsWindowVisible(form->Panel11->Handle()));
}

// The controls' start texts are the shared window suite's (tests/window_suite).
TEST_F(Win32Window, CaptionsAndNamesReadBackFromTheWindowHandles) {
  EXPECT_EQ(TextOf(form), "KX-14 Quovi Manager V1.00");
  EXPECT_STREQ(ControlNameForId(GetDlgCtrlID(form->MON_EDIT->Handle())), "MON_EDIT");
  EXPECT_STREQ(ControlNameForId(GetDlgCtrlID(form->READ_BTN->Handle())), "READ_BTN");
}

TEST_F(Win32Window, BarMovesAreClampedAndReportOnlyChanges) {
  int changes = 0;
  auto handler = form->THR_BAR->OnChange;
  form->THR_BAR->OnChange = [&](TScrollBarControl* sender) {
    ++changes;
    handler(sender);
  };
  Scroll(form->THR_BAR, SB_LEFT);
  EXPECT_EQ(form->THR_BAR->Position(), 1);
  EXPECT_EQ(TextOf(form->THR_EDIT), "1");
  Scroll(form->THR_BAR, SB_LINELEFT);  // at the minimum: no change
  Scroll(form->THR_BAR, SB_LEFT);
  EXPECT_EQ(changes, 1);
  Scroll(form->THR_BAR, SB_RIGHT);
  Scroll(form->THR_BAR, SB_PAGERIGHT);
  EXPECT_EQ(form->THR_BAR->Position(), 250);
  EXPECT_EQ(GetScrollPos(form->THR_BAR->Handle(), SB_CTL), 250);
  EXPECT_EQ(changes, 2);
}

// What the error box showed; filled by a timer that runs inside the box's
// own message loop and closes it.
struct ShownBox {
  std::string caption;
  std::string text;
};
ShownBox shownBox;

void CALLBACK CloseErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", nullptr);
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), 256)));
  shownBox.caption = Utf8FromWide(text);
  text.assign(256, L'\0');
  text.resize(static_cast<std::size_t>(GetDlgItemTextW(box, 0xFFFF, text.data(), 256)));
  shownBox.text = Utf8FromWide(text);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Keys go through the dialog manager as the user's would: Enter on the
// focused glyph button clicks it (Read with no port open fails at once).
TEST_F(Win32Window, EnterOnTheFocusedButtonClicksIt) {
  SetFocus(form->READ_BTN->Handle());
  PostMessageW(form->READ_BTN->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(form->READ_BTN->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
  form->MessagePump->ProcessMessages();
  EXPECT_EQ(TextOf(form->MON_EDIT), "読み取り失敗");
}

// Every handler is bound through the shared wrapper that hands an escaping
// exception to ShowError (tested with the Linux window); this is the box.
TEST_F(Win32Window, ErrorBoxShowsTheMessageUnderTheProgramTitle) {
  shownBox = {};
  SetTimer(nullptr, 0, 20, &CloseErrorBox);
  form->ShowError("ポートをオープンできませんでした");  // returns once the box is closed
  EXPECT_EQ(shownBox.caption, "Kx14_win32_window_test");
  EXPECT_EQ(shownBox.text, "ポートをオープンできませんでした.");
  EXPECT_TRUE(IsWindow(form->Handle()));
}

// Read and Program in the window are the shared window suite's; this is
// where the Win32 window's store goes: the history, with the block the
// preliminary read found, finished once the window is gone.
TEST_F(Win32Window, ProgramRecordsItsStoreInTheHistory) {
  const std::string port = window.UseDevice({});
  ASSERT_TRUE(window.Choose("CommBox", port));
  window.Click("Handy3");
  window.Click("PROGRAM_BTN");
  EXPECT_EQ(TextOf(form->MON_EDIT), "書き込み成功");
  std::vector<history::HistoryEntry> entries = EntriesOnceWritten(history);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].program, "kx14-manager");
  EXPECT_EQ(entries[0].port, port);
  EXPECT_TRUE(entries[0].before.has_value());
  EXPECT_EQ(entries[0].sent[13], 8);

  window.Click("EXIT_BTN");
  window.DestroyForm();  // its history's writer finishes the entry
  entries = EntriesOnceWritten(history);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].result, history::TStoreResult::Acknowledged);
}

// Another window takes the activation and gives it back: the control that
// had the focus has it again, and the keyboard works on from there.
TEST_F(Win32Window, FocusComesBackToItsControlAfterDeactivation) {
  window.Focus("READ_BTN");
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                     100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  window.Pump();
  EXPECT_EQ(window.Focused(), "");
  SetActiveWindow(form->Handle());
  window.Pump();
  EXPECT_EQ(window.Focused(), "READ_BTN");
  window.Press(test::Key::kTab, test::kNoModifiers);
  EXPECT_EQ(window.Focused(), "EXIT_BTN");
  // The focus given to the frame itself goes on to that control too.
  SetFocus(form->Handle());
  window.Pump();
  EXPECT_EQ(window.Focused(), "EXIT_BTN");
  DestroyWindow(other);
}

// A sizeable frame with a maximise box, whose every size stays the form's.
TEST_F(Win32Window, FrameIsSizeableButKeepsTheFormSize) {
  const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  EXPECT_NE(style & WS_THICKFRAME, 0);
  EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
  const auto clientSize = [&] {
    RECT client;
    GetClientRect(form->Handle(), &client);
    return std::make_pair(client.right, client.bottom);
  };
  const std::pair<LONG, LONG> formSize{310, 416};
  SetWindowPos(form->Handle(), nullptr, 0, 0, 800, 700, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(clientSize(), formSize);
  SetWindowPos(form->Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(clientSize(), formSize);
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  window.Pump();
  EXPECT_EQ(clientSize(), formSize);
  ShowWindow(form->Handle(), SW_RESTORE);
}

// Open, the port list shows 20 items of 12 pixels (the start list has 31).
TEST_F(Win32Window, OpenPortListShowsTwentyItemsOfTwelvePixels) {
  form->CommBox->OnDropDown = nullptr;  // keeps the start list, no refresh
  const HWND box = form->CommBox->Handle();
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(box, &info));
  RECT list;
  GetClientRect(info.hwndList, &list);
  EXPECT_EQ(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0), 12);
  EXPECT_EQ(list.bottom, 20 * 12);
  SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  window.Pump();
}

// The layout's face, where the machine has it (the test prefix substitutes
// IPA P Gothic for it), at 12 pixels.
TEST(Win32Font, LayoutFaceIsTakenWherePresent) {
  EXPECT_EQ(Utf8FromWide(ChosenFontFace()), "ＭＳ Ｐゴシック");
  LOGFONTW font{};
  GetObjectW(FontFor(TFontRole::frWindow), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(Utf8FromWide(font.lfFaceName), "ＭＳ Ｐゴシック");
}

// The button drawn into a bitmap as it shows on screen.
std::vector<COLORREF> Rendered(HWND control, int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Flat buttons over the panel's face (no raised white edge), the minus
// glyph blue and the plus glyph red.
TEST_F(Win32Window, StepButtonsAreFlatWithBlueMinusAndRedPlus) {
  window.Reveal("Panel2");
  struct Row {
    const char* name;
    COLORREF glyph;
  };
  for (const Row& row : {Row{"YOUID_DEC", RGB(0, 0, 255)}, Row{"YOUID_INC", RGB(255, 0, 0)}}) {
    SCOPED_TRACE(row.name);
    const std::vector<COLORREF> pixels = Rendered(window.Find(row.name), 19, 27);
    const auto count = [&](COLORREF colour) {
      return std::count(pixels.begin(), pixels.end(), colour);
    };
    EXPECT_GE(count(row.glyph), 10);
    EXPECT_EQ(count(RGB(255, 255, 255)), 0);
    EXPECT_EQ(pixels.front(), RGB(240, 240, 240));  // the corner: the panel's face
  }
}

}  // namespace
}  // namespace kx14
