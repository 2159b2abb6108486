// kx14_port_holder COM<n>: another program that holds a serial port. It
// opens the port as our programs do, prints "held" and keeps the port until
// its standard input ends; exit status 1 when the port cannot be opened.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "comm/win32/serial_device.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kx14_port_holder COM<n>\n");
    return 2;
  }
  const auto port = kx14::OpenWin32SerialDevice(std::wstring(L"\\\\.\\") + argv[1]);
  if (!port) {
    std::printf("cannot open\n");
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  char buffer[64];
  DWORD read = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) &&
         read > 0) {
  }
  return 0;
}
