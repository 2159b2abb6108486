#include "ports/win32/serialcomm.h"

#include <windows.h>

#include <memory>

namespace kx14 {
namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int wide = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), size, nullptr, nullptr);
  return out;
}

// REG_SZ data as stored: a driver may or may not have counted the
// terminating NUL, so the text ends at the first NUL.
std::wstring StringData(const std::vector<BYTE>& data, DWORD size) {
  const auto* chars = reinterpret_cast<const wchar_t*>(data.data());
  std::wstring text(chars, size / sizeof(wchar_t));
  if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return text;
}

UniqueKey OpenForReading(RegistryRoot root, const std::wstring& subKey) {
  HKEY base = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  HKEY key = nullptr;
  if (RegOpenKeyExW(base, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  return UniqueKey(key);
}

}  // namespace

std::vector<std::string> ListRegistryPortNames(RegistryRoot root, const std::wstring& subKey) {
  std::vector<std::string> names;
  const UniqueKey key = OpenForReading(root, subKey);
  if (!key) return names;
  DWORD maxName = 0;
  DWORD maxData = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &maxName, &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
    return names;
  }
  std::vector<wchar_t> name(maxName + 1);
  std::vector<BYTE> data(maxData + sizeof(wchar_t));
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG rc = RegEnumValueW(key.get(), index, name.data(), &nameSize, nullptr, &type,
                                  data.data(), &dataSize);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    // A value that changed size since the query is skipped, not misread.
    if (rc != ERROR_SUCCESS || type != REG_SZ) continue;
    names.push_back(Utf8(StringData(data, dataSize)));
  }
  return names;
}

}  // namespace kx14
