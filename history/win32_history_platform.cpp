#include <windows.h>

#include <cstdlib>

#include "history/history_platform.h"

namespace kx14::history::platform {
namespace {

namespace fs = std::filesystem;

std::string LastErrorText() {
  const DWORD error = GetLastError();
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof text, nullptr);
  std::string message(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

}  // namespace

std::optional<fs::path> UserDataFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local != nullptr && local[0] != L'\0') return fs::path(local);
  return std::nullopt;
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

std::string RenameOver(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0 ? ""
                                                                               : LastErrorText();
}

void FlushToDisk(const fs::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  FlushFileBuffers(file);
  CloseHandle(file);
}

}  // namespace kx14::history::platform
