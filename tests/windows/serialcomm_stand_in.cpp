#include "tests/windows/serialcomm_stand_in.h"

#include <gtest/gtest.h>

#include <array>

#include "ports/win32/serialcomm.h"
#include "ui/win32/text.h"

namespace kx14::test {
namespace {

void SetString(HKEY key, const std::wstring& name, const std::wstring& data) {
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

// The key's plain-string values, name and data.
std::vector<std::pair<std::wstring, std::wstring>> StringValues(HKEY key) {
  std::vector<std::pair<std::wstring, std::wstring>> values;
  std::array<wchar_t, 256> name{};
  std::array<wchar_t, 256> data{};
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    DWORD type = 0;
    if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataBytes) != ERROR_SUCCESS) {
      break;
    }
    if (type == REG_SZ) values.emplace_back(name.data(), data.data());
  }
  return values;
}

}  // namespace

SerialCommStandIn::SerialCommStandIn(const std::vector<std::string>& portNames) {
  const LONG created =
      RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  EXPECT_EQ(created, ERROR_SUCCESS) << "SERIALCOMM cannot be written";
  if (created != ERROR_SUCCESS) return;
  saved_ = StringValues(key_);
  RemoveAllValues();
  for (std::size_t i = 0; i < portNames.size(); ++i) {
    SetString(key_, L"KX14Suite" + std::to_wstring(i), WideFromUtf8(portNames[i]));
  }
}

SerialCommStandIn::~SerialCommStandIn() {
  if (key_ == nullptr) return;
  RemoveAllValues();
  for (const auto& [name, data] : saved_) SetString(key_, name, data);
  RegCloseKey(key_);
}

void SerialCommStandIn::RemoveAllValues() {
  for (const auto& [name, data] : StringValues(key_)) RegDeleteValueW(key_, name.c_str());
}

}  // namespace kx14::test
