// kx14-trackside.exe: race day in a window. Programs each car plugged into
// the chosen adapters with its roster level, and shows every adapter, every
// car and the counts. No command line is read.

#include <windows.h>

#include "history/history_writer.h"
#include "ui/trackside/win32/trackside_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  kx14::trackside::TracksideWindow window(kx14::DefaultPortSources(),
                                          kx14::history::HistoryFolder());
  window.QuitWhenDestroyed();
  window.Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move between the controls.
    if (IsDialogMessageW(window.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
