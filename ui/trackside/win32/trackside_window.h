#pragma once

// The track-side window under Win32: native controls over TracksideLogic,
// which decides everything; this class only creates the controls, places
// them, forwards their notifications and copies the logic's screen into
// them on a timer.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ports/com_ports.h"
#include "ui/trackside/trackside_logic.h"
#include "ui/trackside/win32/file_dialog.h"
#include "ui/trackside/win32/list_view.h"

namespace kx14::trackside {

class TracksideWindow {
 public:
  TracksideWindow(PortSources sources, std::optional<std::filesystem::path> historyFolder,
                  FileDialog fileDialog = SystemFileDialog);
  ~TracksideWindow();
  TracksideWindow(const TracksideWindow&) = delete;
  TracksideWindow& operator=(const TracksideWindow&) = delete;

  void Show();
  // Ends the program's message loop when the window is destroyed.
  void QuitWhenDestroyed() { quitWhenDestroyed_ = true; }

  HWND Handle() const { return hwnd_; }
  // The control named as trackside_controls.h names it; null for none.
  HWND Control(const std::string& name) const;
  // The table of that name; null for none.
  const ListView* Table(const std::string& name) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  HWND Add(const char* name, const wchar_t* windowClass, const std::string& text, DWORD style);
  void Layout(int width, int height);
  void Command(int id, int code);
  LRESULT Notify(NMHDR& header);
  void AdapterTicked(const NMLISTVIEW& change);
  void ChooseFile(TFileChoice choice);
  // WM_CLOSE: the window goes only once no car is being programmed.
  void CloseRequested();
  void Tick();
  LRESULT LabelColours(HDC dc, HWND label);
  void Render();
  void RenderTables();

  TracksideLogic logic_;
  FileDialog fileDialog_;
  HWND hwnd_ = nullptr;
  bool quitWhenDestroyed_ = false;
  std::map<std::string, HWND> named_;
  std::map<int, std::string> ids_;
  std::unique_ptr<ListView> roster_;
  std::unique_ptr<ListView> adapters_;
  std::unique_ptr<ListView> results_;
  int rosterShown_ = -1;
  int adaptersShown_ = -1;
  int raceShown_ = -1;
};

}  // namespace kx14::trackside
