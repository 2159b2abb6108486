// kx14-manager.exe: reads and programs the settings block of a KX-14 device
// on a serial port. No command line is read.
#include <windows.h>

#include "ui/win32/main_form.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  kx14::TMainForm MainForm;
  MainForm.QuitWhenDestroyed();
  MainForm.Show();
  return MainForm.MessagePump->Run();
}
