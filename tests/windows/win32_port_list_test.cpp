// The registry port list: what the Win32 source gives the sort, on keys this
// test fills under HKEY_CURRENT_USER, and the machine's SERIALCOMM key that
// scripts/windows-test.sh fills with the simulator's port.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ports/com_ports.h"
#include "ports/port_name_order.h"
#include "ports/win32/serialcomm.h"

namespace kx14 {
namespace {

using Names = std::vector<std::string>;

// A scratch key under HKCU, deleted with everything in it.
class ScratchKey {
 public:
  explicit ScratchKey(std::wstring path) : path_(std::move(path)) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
  }
  ~ScratchKey() {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  void String(const wchar_t* name, const std::wstring& data, DWORD type = REG_SZ) {
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  }
  void Number(const wchar_t* name, DWORD value) {
    RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  std::vector<std::string> List() const {
    return ListRegistryPortNames(RegistryRoot::kCurrentUser, path_);
  }

 private:
  std::wstring path_;
  HKEY key_ = nullptr;
};

const wchar_t kScratch[] = L"Software\\kx14-manager-test\\SERIALCOMM";

TEST(Win32PortList, StringValuesInRegistryOrderOthersLeftOut) {
  ScratchKey key(kScratch);
  // Value names in the same order either way: Wine enumerates by name,
  // Windows in the order of creation.
  key.String(L"a", L"COM10");
  key.Number(L"b", 4);
  key.String(L"c", L"COM2");
  key.String(L"d", L"COM6", REG_EXPAND_SZ);
  key.String(L"e", L"COM1");
  Names names = key.List();
  EXPECT_EQ(names, (Names{"COM10", "COM2", "COM1"}));
  SortPortNames(names);
  EXPECT_EQ(names, (Names{"COM1", "COM2", "COM10"}));
}

TEST(Win32PortList, NamesWithoutNumberReachTheSortWhichRefusesThem) {
  struct Case {
    const wchar_t* data;
    const char* name;
  };
  for (const Case& c :
       {Case{L"COMX", "COMX"}, Case{L"USB", "USB"}, Case{L"COM3\u00e9", "COM3\xc3\xa9"}}) {
    ScratchKey key(kScratch);
    key.String(L"a", L"COM1");
    key.String(L"b", c.data);
    Names names = key.List();
    ASSERT_EQ(names, (Names{"COM1", c.name}));
    EXPECT_THROW(SortPortNames(names), EConvertError) << c.name;
    EXPECT_EQ(names, (Names{"COM1", c.name}));  // a refused sort changes nothing
  }
}

TEST(Win32PortList, MissingKeyOrNoStringValuesGiveNoNames) {
  EXPECT_TRUE(ListRegistryPortNames(RegistryRoot::kCurrentUser, L"Software\\kx14-none").empty());
  ScratchKey key(kScratch);
  key.Number(L"n", 1);
  EXPECT_TRUE(key.List().empty());
}

// The test command registers the simulator's port in HKLM's SERIALCOMM and
// names it in KX14_WINE_COM.
TEST(Win32PortList, MachineListHoldsTheRegisteredPort) {
  const char* registered = std::getenv("KX14_WINE_COM");
  if (registered == nullptr) GTEST_SKIP() << "KX14_WINE_COM not set";
  const Names names = ListComPortNames(DefaultPortSources());
  EXPECT_NE(std::find(names.begin(), names.end(), registered), names.end());
  EXPECT_EQ(ResolveComPort(12, DefaultPortSources()), std::filesystem::path("\\\\.\\COM12"));
}

}  // namespace
}  // namespace kx14
