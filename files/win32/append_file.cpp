// The append-only file on Windows: one handle for the run (deleting or
// renaming the file is refused while it is open), each append flushed with
// FlushFileBuffers, and the name checked by volume and file index.
#include <windows.h>

#include <algorithm>

#include "files/append_file.h"
#include "files/win32/system_message.h"

namespace kx14::cli {
namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace

std::unique_ptr<AppendFile> AppendFile::Open(const std::filesystem::path& path,
                                             std::string& error) {
  const HANDLE file =
      CreateFileW(path.wstring().c_str(), FILE_APPEND_DATA | GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                  nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = SystemMessage(GetLastError());
    return nullptr;
  }
  return std::unique_ptr<AppendFile>(new AppendFile(reinterpret_cast<std::intptr_t>(file)));
}

AppendFile::~AppendFile() { CloseHandle(Handle(handle_)); }

bool AppendFile::Append(std::string_view text, std::string& error) {
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(Handle(handle_), text.data() + done, want, &written, nullptr) || written == 0) {
      error = SystemMessage(GetLastError());
      return false;
    }
    done += written;
  }
  // The NUL device cannot be flushed and need not be.
  if (GetFileType(Handle(handle_)) == FILE_TYPE_DISK && !FlushFileBuffers(Handle(handle_))) {
    error = SystemMessage(GetLastError());
    return false;
  }
  return true;
}

bool AppendFile::IsNamedBy(const std::filesystem::path& path) const {
  const HANDLE named = CreateFileW(path.wstring().c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  const bool same = GetFileType(named) != FILE_TYPE_DISK || SameFile(Handle(handle_), named);
  CloseHandle(named);
  return same;
}

std::uint64_t AppendFile::Size() const {
  LARGE_INTEGER size{};
  if (GetFileType(Handle(handle_)) != FILE_TYPE_DISK || !GetFileSizeEx(Handle(handle_), &size)) {
    return 0;
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

bool AppendFile::EndsMidLine() const {
  const std::uint64_t size = Size();
  if (size == 0) return false;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(size - 1);
  at.OffsetHigh = static_cast<DWORD>((size - 1) >> 32);
  char last = '\n';
  DWORD read = 0;
  return ReadFile(Handle(handle_), &last, 1, &read, &at) && read == 1 && last != '\n';
}

}  // namespace kx14::cli
