// kx14_window_reader: looks at a running program's window from inside Wine,
// for the end-to-end test that drives it from outside with real clicks.
//
//   kx14_window_reader dump <title>
//     One line for the top-level window, then one per child window, tab
//     separated, text as UTF-8:
//       window <client-left-on-screen> <client-top-on-screen> <width> <height> <icons> <title>
//     (<icons>: how many icons the window's program file carries)
//       <id> <name> <class> <left> <top> <width> <height> <visible 0|1> <text>
//     (child rectangles in the window's client coordinates), and for every
//     combo box one line per item and, while it is dropped down, its list:
//       item <id> <index> <text>
//       list <id> <client-left-on-screen> <client-top-on-screen> <width> <item-height> <top-index>
//     Exit status 3 when no window has that title.
//   kx14_window_reader launch <timeout-ms> <title> <program> [arguments...]
//     Starts the program, waits (at most the time-out) until a visible window
//     with the title belongs to it, prints "pid <n>" and "started_ms <ms>",
//     and leaves the program running. Exit status 1 on a time-out.
//   kx14_window_reader close <timeout-ms> <title>
//     Asks the window to close (WM_CLOSE) and waits until its process ends.
//   kx14_window_reader wait-exit <timeout-ms> <pid>
//     Waits until the process ends; exit status 0 when it did in time.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/form/control_names.h"

namespace {

const char* ControlName(int id) {
  const char* name = kx14::ControlNameForId(id);
  return name ? name : "";
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// Line breaks and tabs would split a record: they are written as \n and \t.
std::string Field(const std::wstring& text) {
  std::string out;
  for (const char c : Utf8(text)) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

std::wstring WindowText(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

struct ListSearch {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK FindDroppedList(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ListSearch*>(context);
  if (GetWindowThreadProcessId(window, nullptr) == search->thread && IsWindowVisible(window) &&
      ClassOf(window) == L"ComboLBox") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The drop-down list of a combo box is a top-level window of its own.
// GetComboBoxInfo names it, but Wine answers it only inside the combo box's
// own process; there the list is the visible "ComboLBox" window of the combo
// box's thread (one drop-down is open at a time).
HWND DroppedListOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(combo, &info) && info.hwndList) return info.hwndList;
  ListSearch search{GetWindowThreadProcessId(combo, nullptr), nullptr};
  EnumWindows(FindDroppedList, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PrintComboBox(HWND combo, int id) {
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    std::printf("item\t%d\t%d\t%s\n", id, static_cast<int>(i), Field(text).c_str());
  }
  if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return;
  const HWND list = DroppedListOf(combo);
  if (!list) return;
  RECT client{};
  GetClientRect(list, &client);
  POINT origin{0, 0};
  ClientToScreen(list, &origin);
  std::printf("list\t%d\t%ld\t%ld\t%ld\t%d\t%d\n", id, origin.x, origin.y, client.right,
              static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)),
              static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)));
}

struct DumpContext {
  HWND top;
};

BOOL CALLBACK PrintChild(HWND child, LPARAM context) {
  const HWND top = reinterpret_cast<DumpContext*>(context)->top;
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);
  const int id = GetDlgCtrlID(child);
  const std::wstring className = ClassOf(child);
  std::printf("%d\t%s\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%s\n", id, ControlName(id),
              Field(className).c_str(), rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top, IsWindowVisible(child) ? 1 : 0,
              Field(WindowText(child)).c_str());
  if (className == L"ComboBox") PrintComboBox(child, id);
  return TRUE;
}

// Counted in the program file: Wine answers GetClassLongPtr(GCLP_HICON) for
// its own windows only.
UINT IconsOfProgram(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return 0;
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const BOOL named = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  return named ? ExtractIconExW(path, -1, nullptr, nullptr, 0) : 0;
}

int Dump(const std::wstring& title) {
  const HWND top = FindWindowW(nullptr, title.c_str());
  if (!top) return 3;
  RECT client{};
  GetClientRect(top, &client);
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  std::printf("window\t%ld\t%ld\t%ld\t%ld\t%u\t%s\n", origin.x, origin.y, client.right,
              client.bottom, IconsOfProgram(top), Field(title).c_str());
  DumpContext context{top};
  EnumChildWindows(top, PrintChild, reinterpret_cast<LPARAM>(&context));
  return 0;
}

bool VisibleWindowOf(DWORD pid, const std::wstring& title) {
  const HWND window = FindWindowW(nullptr, title.c_str());
  DWORD owner = 0;
  if (window) GetWindowThreadProcessId(window, &owner);
  return window && owner == pid && IsWindowVisible(window);
}

int Launch(DWORD timeoutMs, const std::wstring& title, const std::wstring& commandLine) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::milliseconds(timeoutMs);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring mutableLine = commandLine;
  if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  // The program is idle once its message loop first waits for input; the
  // window is normally shown by then. A short poll covers a window shown a
  // little later, up to the same deadline.
  WaitForInputIdle(process.hProcess, timeoutMs);
  while (!VisibleWindowOf(process.dwProcessId, title)) {
    if (Clock::now() >= deadline || WaitForSingleObject(process.hProcess, 5) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "no visible window \"%s\" in time\n", Field(title).c_str());
      return 1;
    }
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  std::printf("pid\t%lu\nstarted_ms\t%lld\n", process.dwProcessId,
              static_cast<long long>(elapsed.count()));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

int WaitExit(DWORD timeoutMs, DWORD pid) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return 0;  // already gone
  const DWORD result = WaitForSingleObject(process, timeoutMs);
  CloseHandle(process);
  return result == WAIT_OBJECT_0 ? 0 : 1;
}

int Close(DWORD timeoutMs, const std::wstring& title) {
  const HWND window = FindWindowW(nullptr, title.c_str());
  DWORD pid = 0;
  if (!window || !GetWindowThreadProcessId(window, &pid)) return 3;
  PostMessageW(window, WM_CLOSE, 0, 0);
  return WaitExit(timeoutMs, pid);
}

std::wstring QuotedCommandLine(int argc, wchar_t** argv, int first) {
  std::wstring line;
  for (int i = first; i < argc; ++i) {
    if (!line.empty()) line += L' ';
    line += L'"';
    line += argv[i];
    line += L'"';
  }
  return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  int status = 2;
  if (command == L"dump" && argc == 3) {
    status = Dump(argv[2]);
  } else if (command == L"launch" && argc >= 5) {
    status = Launch(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)), argv[3],
                    QuotedCommandLine(argc, argv, 4));
  } else if (command == L"close" && argc == 4) {
    status = Close(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)), argv[3]);
  } else if (command == L"wait-exit" && argc == 4) {
    status = WaitExit(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)),
                      static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  } else {
    std::fprintf(stderr,
                 "usage: kx14_window_reader dump <title>\n"
                 "       kx14_window_reader launch <timeout-ms> <title> <program> [args...]\n"
                 "       kx14_window_reader close <timeout-ms> <title>\n"
                 "       kx14_window_reader wait-exit <timeout-ms> <pid>\n");
  }
  std::fflush(stdout);
  return status;
}
