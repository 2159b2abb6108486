#include <windows.h>

#include <cstdlib>

#include "files/win32/system_message.h"
#include "history/history_platform.h"

namespace kx14::history::platform {
namespace {

namespace fs = std::filesystem;

// A reader that has the old file open (kx14ctl history in another window, a
// virus scanner) makes the replace fail for a moment: wait that out, briefly.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplacePauseMs = 10;

bool Transient(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
         error == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::optional<fs::path> UserDataFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local != nullptr && local[0] != L'\0') return fs::path(local);
  return std::nullopt;
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

std::string RenameOver(const fs::path& from, const fs::path& to) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) return "";
    const DWORD error = GetLastError();
    if (!Transient(error) || attempt == kReplaceAttempts) return cli::SystemMessage(error);
    Sleep(kReplacePauseMs);
  }
}

void FlushToDisk(const fs::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  FlushFileBuffers(file);
  CloseHandle(file);
}

}  // namespace kx14::history::platform
