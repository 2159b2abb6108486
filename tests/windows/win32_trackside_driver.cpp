// The track-side suite's driver for the Win32 window under Wine: controls
// found by their names through the window, clicks and choices sent as the
// messages a user's input makes. The simulated adapters are the extra
// simulators that scripts/windows-test.sh started (Linux kx14-devsim
// processes on ptys linked in as COM ports); plugging one in enters its
// port in the registry's SERIALCOMM key, pulling it removes it.

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <thread>

#include "tests/trackside_suite/trackside_driver.h"
#include "tests/windows/devsim_link.h"
#include "ui/trackside/trackside_controls.h"
#include "ui/trackside/win32/child_control.h"
#include "ui/trackside/win32/trackside_window.h"
#include "ui/win32/text.h"

namespace kx14::test {
namespace {

// How many simulators the script starts for this suite.
constexpr int kSimulators = 3;
const wchar_t* const kSerialComm = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// The port's value in SERIALCOMM, as a driver names it.
std::wstring ValueName(const std::string& port) { return WideFromUtf8("KX14Race" + port); }

void ListPort(const std::string& port, bool listed) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialComm, 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("SERIALCOMM cannot be written");
  }
  const std::wstring data = WideFromUtf8(port);
  if (listed) {
    RegSetValueExW(key, ValueName(port).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteValueW(key, ValueName(port).c_str());
  }
  RegCloseKey(key);
}

class WineAdapter final : public SimulatedAdapter {
 public:
  WineAdapter(int number, const std::vector<std::string>& args) : link_(number) {
    std::string why;
    if (!link_.Available(why)) throw std::runtime_error(why);
    // The simulator served other cases before: its faults and delay go.
    link_.Control("mode normal");
    std::string delay = "0";
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
      if (args[i] == "--block") link_.Control("block " + args[i + 1]);
      if (args[i] == "--delay") delay = args[i + 1];
    }
    link_.Control("delay " + delay);
    storesBefore_ = link_.CountInLog("stored ");
    ListPort(Port(), true);
  }
  ~WineAdapter() override { ListPort(Port(), false); }

  std::string Port() const override { return link_.PortName(); }
  void Control(const std::string& line) override {
    if (line == "unregister" || line == "register") {
      ListPort(Port(), line == "register");
      return;
    }
    EXPECT_TRUE(link_.Control(line)) << "not confirmed: " << line;
  }
  int Stores() override { return static_cast<int>(link_.CountInLog("stored ") - storesBefore_); }

 private:
  DevsimLink link_;
  std::size_t storesBefore_ = 0;
};

class Win32TracksideDriver final : public TracksideDriver {
 public:
  Win32TracksideDriver()
      : window_(DefaultPortSources(), std::filesystem::temp_directory_path() / "kx14-race-history",
                [this](HWND, trackside::TFileChoice) { return std::exchange(answer_, {}); }) {
    window_.Show();
  }

  std::unique_ptr<SimulatedAdapter> PlugAdapter(const std::vector<std::string>& args) override {
    if (plugged_ == kSimulators) throw std::runtime_error("no simulator left for this case");
    return std::make_unique<WineAdapter>(++plugged_, args);
  }
  // Windows refuses to delete a file that is open, and a test cannot pull a
  // drive: the stick's folder is moved away instead (Wine lets a folder
  // move while a file in it is open), so that the log's name names nothing,
  // as when the stick's drive is gone.
  std::string PlugStick(const std::filesystem::path& folder) override {
    std::filesystem::create_directories(folder);
    stick_ = folder;
    return folder.string();
  }
  void PullStick() override {
    if (!MoveFileW(stick_.wstring().c_str(), (stick_.wstring() + L"-pulled").c_str())) {
      ADD_FAILURE() << "the stick's folder could not be moved: " << GetLastError();
    }
  }
  void AnswerFileDialog(const std::string& path) override { answer_ = path; }
  void Click(const std::string& button) override {
    // A disabled button takes no click.
    if (IsWindowEnabled(Find(button))) SendMessageW(Find(button), BM_CLICK, 0, 0);
  }
  bool Enabled(const std::string& control) override { return IsWindowEnabled(Find(control)); }
  std::string Text(const std::string& label) override { return trackside::GetText(Find(label)); }
  void ChooseItem(const std::string& list, int index) override {
    const HWND box = Find(list);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // What the list tells its window when the user picks an item.
    SendMessageW(window_.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
  }
  void TickAdapter(const std::string& port, bool ticked) override {
    const auto rows = Rows(trackside::controls::kAdapters);
    for (std::size_t row = 0; row < rows.size(); ++row) {
      if (rows[row][0] == port) {
        ListView_SetCheckState(Find(trackside::controls::kAdapters), static_cast<int>(row), ticked);
        return;
      }
    }
    ADD_FAILURE() << port << " is not listed";
  }
  std::vector<std::vector<std::string>> Rows(const std::string& control) override {
    if (const trackside::ListView* table = window_.Table(control)) return table->Rows();
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : trackside::ListBoxLines(Find(control))) rows.push_back({line});
    return rows;
  }
  bool RowInRed(const std::string& table, int row) override {
    return window_.Table(table)->RowInRed(row);
  }
  void Close() override { SendMessageW(window_.Handle(), WM_CLOSE, 0, 0); }
  bool WindowShown() override {
    return window_.Handle() != nullptr && IsWindowVisible(window_.Handle());
  }
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) override {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= end) return false;
      // Until the next message (the window's timer ticks every 100 ms).
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }

 private:
  HWND Find(const std::string& name) {
    const HWND control = window_.Control(name);
    if (control == nullptr) throw std::runtime_error("no control named " + name);
    return control;
  }

  std::optional<std::string> answer_;
  std::filesystem::path stick_;
  int plugged_ = 0;
  trackside::TracksideWindow window_;
};

}  // namespace

std::unique_ptr<TracksideDriver> OpenTracksideWindow() {
  return std::make_unique<Win32TracksideDriver>();
}

}  // namespace kx14::test
