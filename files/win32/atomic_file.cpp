// Whole-file writes on Windows: a temporary file in the same folder, flushed
// to the disk, then moved into place by one MoveFileExW.
#include <windows.h>

#include <algorithm>
#include <atomic>

#include "files/atomic_file.h"
#include "files/exit_status.h"
#include "files/utf8_path.h"
#include "files/win32/system_message.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& path, DWORD error) {
  const bool exists = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
  throw UsageFailure("cannot write " + Utf8FromPath(path) + ": " +
                     (exists ? "it exists (--force replaces it)" : SystemMessage(error)));
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    constexpr std::size_t kChunk = 1 << 20;
    const DWORD want = static_cast<DWORD>(std::min(text.size() - done, kChunk));
    DWORD written = 0;
    if (!WriteFile(file, text.data() + done, want, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// A new file beside `path` that no other writer shares: CREATE_NEW refuses
// a name that exists, and the next name is tried.
std::pair<HANDLE, fs::path> CreateTemporary(const fs::path& path) {
  static std::atomic<unsigned> counter{0};
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Not grown from the file's own name, which may be as long as names go.
    const fs::path name = dir / (L".kx14ctl-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(counter.fetch_add(1)) + L".tmp");
    const HANDLE file = CreateFileW(name.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return {file, name};
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  Fail(path, GetLastError());
}

// The temporary file holds the whole text, on the disk.
fs::path WriteTemporary(const fs::path& path, const std::string& text) {
  const auto [file, name] = CreateTemporary(path);
  const bool written = WriteAll(file, text) && FlushFileBuffers(file);
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!written) {
    DeleteFileW(name.wstring().c_str());
    Fail(path, error);
  }
  return name;
}

}  // namespace

void WriteFileAtomically(const fs::path& path, const std::string& text, bool replace) {
  const fs::path temporary = WriteTemporary(path, text);
  // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing name, so
  // nothing can appear at `path` between a check and the placing. Write-through
  // returns only once the new name is on the disk.
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!MoveFileExW(temporary.wstring().c_str(), path.wstring().c_str(), flags)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.wstring().c_str());
    Fail(path, error);
  }
}

}  // namespace kx14::cli
