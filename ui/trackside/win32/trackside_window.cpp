#include "ui/trackside/win32/trackside_window.h"

#include "ui/trackside/trackside_controls.h"
#include "ui/trackside/trackside_texts.h"
#include "ui/trackside/win32/child_control.h"
#include "ui/trackside/win32/window_layout.h"
#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14::trackside {
namespace {

using namespace controls;

const wchar_t* const kWindowClass = L"KX14Trackside";
constexpr UINT_PTR kTickTimer = 1;
constexpr int kFirstControlId = 100;
constexpr int kWindowWidth = 1100;
constexpr int kWindowHeight = 700;
constexpr int kMinimumWidth = 800;
constexpr int kMinimumHeight = 560;

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when a window registered it before
}

}  // namespace

TracksideWindow::TracksideWindow(PortSources sources,
                                 std::optional<std::filesystem::path> historyFolder,
                                 FileDialog fileDialog)
    : logic_(std::move(sources), std::move(historyFolder)), fileDialog_(std::move(fileDialog)) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  RegisterWindowClass(&TracksideWindow::WindowProc);
  CreateWindowExW(0, kWindowClass, WideFromUtf8(Text(TText::WindowTitle)).c_str(),
                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth,
                  kWindowHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  CreateControls();
  Render();
  RECT client{};
  GetClientRect(hwnd_, &client);
  Layout(client.right, client.bottom);
  SetTimer(hwnd_, kTickTimer, static_cast<UINT>(kTickInterval.count()), nullptr);
}

TracksideWindow::~TracksideWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void TracksideWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

HWND TracksideWindow::Control(const std::string& name) const {
  const auto found = named_.find(name);
  return found == named_.end() ? nullptr : found->second;
}

const ListView* TracksideWindow::Table(const std::string& name) const {
  if (name == kRoster) return roster_.get();
  if (name == kAdapters) return adapters_.get();
  if (name == kResults) return results_.get();
  return nullptr;
}

LRESULT CALLBACK TracksideWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<TracksideWindow*>(
        reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<TracksideWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return window->HandleMessage(message, wParam, lParam);
}

LRESULT TracksideWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      // Below this the tables would have no rows left to show.
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {kMinimumWidth, kMinimumHeight};
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_TIMER:
      Tick();
      return 0;
    case WM_CTLCOLORSTATIC:
      return LabelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
      CloseRequested();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, kTickTimer);
      if (quitWhenDestroyed_) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

HWND TracksideWindow::Add(const char* name, const wchar_t* windowClass, const std::string& text,
                          DWORD style) {
  const int id = kFirstControlId + static_cast<int>(ids_.size());
  HWND control = NewChild(hwnd_, windowClass, text, style, id);
  ids_[id] = name;
  named_[name] = control;
  return control;
}

void TracksideWindow::CreateControls() {
  const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
  // One line, centred on the height of the buttons beside it.
  const DWORD label = SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_CENTERIMAGE;
  const DWORD list = WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL;
  Add(kOpenRoster, WC_BUTTONW, Text(TText::OpenRoster), button);
  Add(kRosterFile, WC_STATICW, "", label);
  roster_ = std::make_unique<ListView>(hwnd_, kFirstControlId + 90, false);
  named_[kRoster] = roster_->Handle();
  Add(kRosterMessage, WC_STATICW, "", SS_LEFT | SS_NOPREFIX);
  Add(kOtherCarsCaption, WC_STATICW, Text(TText::OtherCars), label);
  HWND otherCars = Add(kOtherCars, WC_COMBOBOXW, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
  FillComboBox(otherCars, logic_.Screen().otherCarsChoices);
  Add(kAdaptersCaption, WC_STATICW, Text(TText::Adapters), label);
  adapters_ = std::make_unique<ListView>(hwnd_, kFirstControlId + 91, true);
  adapters_->SetColumns({Text(TText::AdapterColumnPort), Text(TText::AdapterColumnState)});
  named_[kAdapters] = adapters_->Handle();
  Add(kChooseLog, WC_BUTTONW, Text(TText::ChooseLog), button);
  Add(kLogFile, WC_STATICW, "", label);
  Add(kStart, WC_BUTTONW, Text(TText::Start), button);
  Add(kStop, WC_BUTTONW, Text(TText::Stop), button);
  Add(kStartHint, WC_STATICW, "", label);
  Add(kStatusesCaption, WC_STATICW, Text(TText::Statuses), label);
  Add(kStatuses, WC_LISTBOXW, "", list);
  Add(kCounts, WC_STATICW, "", label);
  Add(kResultsCaption, WC_STATICW, Text(TText::Results), label);
  results_ = std::make_unique<ListView>(hwnd_, kFirstControlId + 92, false);
  results_->SetColumns(logic_.Screen().resultHeaders);
  named_[kResults] = results_->Handle();
  Add(kNotSeenCaption, WC_STATICW, Text(TText::NotSeen), label);
  Add(kNotSeen, WC_LISTBOXW, "", list);
  Add(kMessage, WC_STATICW, "", SS_LEFT | SS_NOPREFIX);
}

void TracksideWindow::Layout(int width, int height) {
  if (named_.empty()) return;
  PlaceControls(named_, width, height);
}

void TracksideWindow::Command(int id, int code) {
  const auto found = ids_.find(id);
  if (found == ids_.end()) return;
  const std::string& name = found->second;
  if (name == kOtherCars && code == CBN_SELCHANGE) {
    logic_.ChooseOtherCars(static_cast<int>(SendMessageW(Control(kOtherCars), CB_GETCURSEL, 0, 0)));
  } else if (code != BN_CLICKED) {
    return;
  } else if (name == kOpenRoster) {
    ChooseFile(TFileChoice::Roster);
  } else if (name == kChooseLog) {
    ChooseFile(TFileChoice::Log);
  } else if (name == kStart) {
    logic_.Start();
  } else if (name == kStop) {
    logic_.Stop();
  }
  Render();
}

LRESULT TracksideWindow::Notify(NMHDR& header) {
  if (header.hwndFrom == results_->Handle() && header.code == NM_CUSTOMDRAW) {
    return results_->CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(&header));
  }
  if (header.hwndFrom == adapters_->Handle() && header.code == LVN_ITEMCHANGED) {
    AdapterTicked(*reinterpret_cast<const NMLISTVIEW*>(&header));
  }
  return 0;
}

void TracksideWindow::AdapterTicked(const NMLISTVIEW& change) {
  const bool checkBoxChanged = (change.uChanged & LVIF_STATE) != 0 &&
                               ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0;
  if (!checkBoxChanged || adapters_->Filling()) return;
  logic_.ChooseAdapter(adapters_->Cell(change.iItem, 0), adapters_->Checked(change.iItem));
  // The list shows the tick already; filling it again inside its own
  // notification would pull the item from under it.
  adaptersShown_ = logic_.Screen().adaptersRevision;
  Render();
}

void TracksideWindow::ChooseFile(TFileChoice choice) {
  const std::optional<std::string> path = fileDialog_(hwnd_, choice);
  if (!path) return;
  if (choice == TFileChoice::Roster) {
    logic_.OpenRoster(*path);
  } else {
    logic_.ChooseLog(*path);
  }
}

void TracksideWindow::CloseRequested() {
  if (logic_.CloseRequested()) {
    DestroyWindow(hwnd_);
    return;
  }
  Render();
}

void TracksideWindow::Tick() {
  if (logic_.Tick()) Render();
  if (logic_.ReadyToClose()) DestroyWindow(hwnd_);
}

LRESULT TracksideWindow::LabelColours(HDC dc, HWND label) {
  const TracksideScreen& screen = logic_.Screen();
  const bool alert = (label == Control(kMessage) && screen.messageAlert) ||
                     (label == Control(kRosterMessage) && screen.rosterRefused);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, alert ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TracksideWindow::Render() {
  const TracksideScreen& screen = logic_.Screen();
  RenderTables();
  SetText(Control(kRosterFile), screen.rosterFile);
  SetText(Control(kRosterMessage), screen.rosterMessage);
  SendMessageW(Control(kOtherCars), CB_SETCURSEL, static_cast<WPARAM>(screen.otherCarsChoice), 0);
  for (const char* setup : {kOpenRoster, kOtherCars, kAdapters, kChooseLog}) {
    EnableWindow(Control(setup), screen.setupEnabled);
  }
  SetText(Control(kLogFile), screen.logFile);
  EnableWindow(Control(kStart), screen.startEnabled);
  EnableWindow(Control(kStop), screen.stopEnabled);
  SetText(Control(kStartHint), screen.startHint);
  SetText(Control(kMessage), screen.message);
  // A label's colour follows its alert only when it is painted again.
  InvalidateRect(Control(kMessage), nullptr, TRUE);
  InvalidateRect(Control(kRosterMessage), nullptr, TRUE);
}

void TracksideWindow::RenderTables() {
  const TracksideScreen& screen = logic_.Screen();
  if (rosterShown_ != screen.rosterRevision) {
    rosterShown_ = screen.rosterRevision;
    roster_->SetColumns(screen.rosterHeaders);
    roster_->Fill(screen.rosterRows);
  }
  if (adaptersShown_ != screen.adaptersRevision) {
    adaptersShown_ = screen.adaptersRevision;
    adapters_->FillAdapters(screen.adapters);
  }
  if (raceShown_ != screen.raceRevision) {
    raceShown_ = screen.raceRevision;
    FillListBox(Control(kStatuses), screen.statusLines);
    SetText(Control(kCounts), screen.counts);
    results_->Fill(screen.results);
    FillListBox(Control(kNotSeen), screen.notSeen);
  }
}

}  // namespace kx14::trackside
