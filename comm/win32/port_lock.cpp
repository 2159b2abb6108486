#include "comm/win32/port_lock.h"

#include <algorithm>
#include <cwctype>

namespace kx14 {

std::wstring PortLockName(const std::filesystem::path& path) {
  std::wstring name = path.wstring();
  name = name.substr(name.find_last_of(L"\\/") + 1);
  std::transform(name.begin(), name.end(), name.begin(), ::towupper);
  return L"Local\\kx14-manager-port-" + name;
}

HANDLE TakePortLock(const std::filesystem::path& path) {
  HANDLE lock = CreateMutexW(nullptr, FALSE, PortLockName(path).c_str());
  if (lock != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(lock);
    return nullptr;
  }
  return lock;
}

}  // namespace kx14
