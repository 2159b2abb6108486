#include "tests/windows/win32_window_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <utility>

#include "tests/window_suite/suite_steps.h"
#include "ui/form/control_names.h"
#include "ui/win32/text.h"

namespace kx14::test {
namespace {

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM search) {
  auto* wanted = reinterpret_cast<Search*>(search);
  if (GetDlgCtrlID(hwnd) != wanted->id) return TRUE;
  wanted->found = hwnd;
  return FALSE;
}

UINT VirtualKeyOf(Key key) {
  switch (key) {
    case Key::kEnter:
      return VK_RETURN;
    case Key::kUp:
      return VK_UP;
    case Key::kDown:
      return VK_DOWN;
    case Key::kLeft:
      return VK_LEFT;
    case Key::kBackspace:
      return VK_BACK;
    case Key::kDelete:
      return VK_DELETE;
    case Key::kTab:
      return VK_TAB;
  }
  return 0;
}

// Holds the modifier keys in the thread's key state while a posted key is
// handled (posted input does not change that state by itself).
class HeldModifiers {
 public:
  explicit HeldModifiers(unsigned modifiers) {
    GetKeyboardState(saved_.data());
    std::array<BYTE, 256> held = saved_;
    if ((modifiers & kShift) != 0) held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    if ((modifiers & kCtrl) != 0) held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    SetKeyboardState(held.data());
  }
  ~HeldModifiers() { SetKeyboardState(saved_.data()); }
  HeldModifiers(const HeldModifiers&) = delete;
  HeldModifiers& operator=(const HeldModifiers&) = delete;

 private:
  std::array<BYTE, 256> saved_{};
};

LPARAM KeyData(UINT virtualKey, bool up) {
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  return static_cast<LPARAM>(1 | (scan << 16) | (up ? 0xC0000000u : 0u));
}

// A window whose stores go to no history unless the test named a folder:
// the user's own history stays untouched.
std::unique_ptr<TMainForm> NewForm() {
  const char* folder = std::getenv("KX14_HISTORY_DIR");
  const bool named = folder != nullptr && folder[0] != '\0';
  _putenv_s("KX14_HISTORY", named ? "" : "off");  // "" removes it
  return std::make_unique<TMainForm>();
}

std::string WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

// Records each text the information field takes (into the driver's list),
// as the window sets it (WM_SETTEXT); a text set again unchanged is no new
// one, as for the Qt window's field.
LRESULT CALLBACK RecordText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR texts) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &RecordText, id);
  if (message != WM_SETTEXT || lParam == 0) return DefSubclassProc(hwnd, message, wParam, lParam);
  const std::string before = WindowText(hwnd);
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  const std::string after = WindowText(hwnd);
  if (after != before) reinterpret_cast<std::vector<std::string>*>(texts)->push_back(after);
  return result;
}

// The actions After has scheduled, by their thread timer's id.
std::map<UINT_PTR, std::function<void()>>& PendingActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto pending = PendingActions().extract(timer);
  if (!pending.empty()) pending.mapped()();
}

}  // namespace

std::unique_ptr<WindowDriver> OpenMainWindow() { return std::make_unique<Win32WindowDriver>(); }

Win32WindowDriver::Win32WindowDriver() : form_(NewForm()) {
  SetWindowSubclass(Find("MON_EDIT"), &RecordText, 1, reinterpret_cast<DWORD_PTR>(&information_));
  form_->Show();
  SetForegroundWindow(form_->Handle());
  Pump();
}

Win32WindowDriver::~Win32WindowDriver() {
  for (const auto& pending : PendingActions()) KillTimer(nullptr, pending.first);
  PendingActions().clear();
}

void Win32WindowDriver::Pump() { form_->MessagePump->ProcessMessages(); }

HWND Win32WindowDriver::Find(const std::string& control) const {
  Search search{ControlIdForName(control.c_str()), nullptr};
  if (search.id != 0)
    EnumChildWindows(form_->Handle(), &MatchId, reinterpret_cast<LPARAM>(&search));
  EXPECT_NE(search.found, nullptr) << "no control named " << control;
  return search.found;
}

void Win32WindowDriver::Reveal(const std::string& panel) {
  ShowWindow(Find(panel), SW_SHOWNA);
  Pump();
}

void Win32WindowDriver::Click(const std::string& control) {
  const HWND hwnd = Find(control);
  RECT area;
  GetClientRect(hwnd, &area);
  const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, middle);
  Pump();
}

void Win32WindowDriver::ClickWith(const std::string& control, MouseButton button) {
  struct Messages {
    UINT down;
    UINT up;
    WPARAM held;
  };
  const Messages messages =
      button == MouseButton::kLeft    ? Messages{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON}
      : button == MouseButton::kRight ? Messages{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON}
                                      : Messages{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON};
  const HWND hwnd = Find(control);
  const LPARAM nearLeft = MAKELPARAM(3, 5);
  PostMessageW(hwnd, messages.down, messages.held, nearLeft);
  PostMessageW(hwnd, messages.up, 0, nearLeft);
  Pump();
}

void Win32WindowDriver::Focus(const std::string& control) {
  SetFocus(Find(control));
  Pump();
}

void Win32WindowDriver::PressKey(HWND target, UINT virtualKey) {
  PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
  Pump();  // the pump translates the key into its character
  PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
  Pump();
}

void Win32WindowDriver::Type(const std::string& text) {
  for (const wchar_t character : WideFromUtf8(text)) {
    const SHORT scan = VkKeyScanW(character);
    const HWND target = GetFocus();
    if (scan == -1 || (HIBYTE(scan) & ~1) != 0) {
      // No plain or shifted key types it: the character alone.
      PostMessageW(target, WM_CHAR, character, 1);
      Pump();
      continue;
    }
    HeldModifiers shift((HIBYTE(scan) & 1) != 0 ? kShift : kNoModifiers);
    PressKey(target, LOBYTE(scan));
  }
}

void Win32WindowDriver::Press(Key key, unsigned modifiers) {
  HeldModifiers held(modifiers);
  PressKey(GetFocus(), VirtualKeyOf(key));
}

std::string Win32WindowDriver::Text(const std::string& control) {
  return WindowText(Find(control));
}

Selection Win32WindowDriver::SelectionOf(const std::string& field) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Find(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end - start)};
}

std::vector<std::string> Win32WindowDriver::Items(const std::string& list) {
  const HWND box = Find(list);
  std::vector<std::string> items;
  const auto count = SendMessageW(box, CB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)) + 1,
                      L'\0');
    item.resize(static_cast<std::size_t>(
        SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(Utf8FromWide(item));
  }
  return items;
}

bool Win32WindowDriver::WindowShown() {
  return IsWindow(form_->Handle()) && IsWindowVisible(form_->Handle());
}

std::string Win32WindowDriver::Focused() {
  const HWND focused = GetFocus();
  if (focused == nullptr || !IsChild(form_->Handle(), focused)) return "";
  const char* name = ControlNameForId(GetDlgCtrlID(focused));
  return name != nullptr ? name : "";
}

template <class Control>
Control* Win32WindowDriver::Neutral(const std::string& name) const {
  auto* control = dynamic_cast<Control*>(Win32Control::FromHandle(Find(name)));
  EXPECT_NE(control, nullptr) << name << " is not a control of that kind";
  return control;
}

Place Win32WindowDriver::PlaceOf(const std::string& control) {
  const HWND hwnd = Find(control);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool Win32WindowDriver::Checked(const std::string& button) {
  return SendMessageW(Find(button), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Win32WindowDriver::Position(const std::string& bar) { return GetScrollPos(Find(bar), SB_CTL); }

BarRange Win32WindowDriver::RangeOf(const std::string& bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE;
  const auto* control = Neutral<TScrollBarControl>(bar);
  if (!GetScrollInfo(Find(bar), SB_CTL, &info) || control == nullptr) return {};
  return {info.nMin, info.nMax, control->SmallChange(), control->LargeChange()};
}

std::int32_t Win32WindowDriver::Tag(const std::string& field) {
  const auto* edit = Neutral<TEditControl>(field);
  return edit != nullptr ? edit->Tag : 0;
}

void Win32WindowDriver::SetValue(const std::string& field, std::int32_t tag,
                                 const std::string& text) {
  if (auto* edit = Neutral<TEditControl>(field)) {
    edit->Tag = tag;
    edit->SetText(text);
  }
}

void Win32WindowDriver::SetText(const std::string& control, const std::string& text) {
  Win32Control* native = Win32Control::FromHandle(Find(control));
  if (auto* edit = dynamic_cast<TEditControl*>(native)) {
    edit->SetText(text);
  } else if (auto* staticText = dynamic_cast<TStaticTextControl*>(native)) {
    staticText->SetText(text);
  } else {
    ADD_FAILURE() << control << " holds no text to set";
  }
}

void Win32WindowDriver::SetPosition(const std::string& bar, int position) {
  if (auto* scrollBar = Neutral<TScrollBarControl>(bar)) scrollBar->SetPosition(position);
}

void Win32WindowDriver::Select(const std::string& button) {
  if (auto* radio = Neutral<TRadioButtonControl>(button)) radio->SetChecked(true);
}

void Win32WindowDriver::SetSelection(const std::string& field, int start, int length) {
  SendMessageW(Find(field), EM_SETSEL, static_cast<WPARAM>(start),
               static_cast<LPARAM>(start + length));
}

void Win32WindowDriver::SetItemIndex(const std::string& list, int index) {
  if (auto* box = Neutral<TComboBoxControl>(list)) box->SetItemIndex(index);
}

void Win32WindowDriver::RunDropDown(const std::string& list) {
  if (auto* box = Neutral<TComboBoxControl>(list)) box->OnDropDown(box);
  Pump();
}

void Win32WindowDriver::UsePorts(const std::vector<std::string>& names) {
  ports_.reset();  // the key as it was, before the new names replace it
  ports_ = std::make_unique<SerialCommStandIn>(names);
}

bool Win32WindowDriver::Choose(const std::string& list, const std::string& name) {
  const HWND box = Find(list);
  // Dropping the list down sends its drop-down notification (the refresh).
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  const std::vector<std::string> items = Items(list);
  const auto found = std::find(items.begin(), items.end(), name);
  if (found != items.end()) {
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(found - items.begin()), 0);
  }
  SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  Pump();  // the close-up's handler runs from the queue
  return found != items.end();
}

void Win32WindowDriver::DropDownAndDismiss(const std::string& list) {
  const HWND box = Find(list);
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
}

void Win32WindowDriver::CloseWindow() {
  PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
}

void Win32WindowDriver::After(std::chrono::milliseconds delay, std::function<void()> action) {
  const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(delay.count()), &RunPendingAction);
  if (timer == 0) {
    ADD_FAILURE() << "no timer for a later action";
    return;
  }
  PendingActions()[timer] = std::move(action);
}

std::vector<std::string> Win32WindowDriver::TakeInformationTexts() {
  return std::exchange(information_, {});
}

bool Win32WindowDriver::Enabled(const std::string& control) {
  return IsWindowEnabled(Find(control)) != FALSE;
}

bool Win32WindowDriver::PortOpen() { return form_->CommX1->IsOpen(); }

bool Win32WindowDriver::OperationRunning() { return form_->DeviceOperationRunning(); }

void Win32WindowDriver::CountChanges(const std::string& bar) {
  if (auto* scrollBar = Neutral<TScrollBarControl>(bar)) CountChangeRuns(*scrollBar, changes_);
}

}  // namespace kx14::test
