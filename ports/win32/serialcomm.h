#pragma once

// The machine's serial port names on Windows: serial drivers enter one value
// per port under HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, whose data
// is the port's name ("COM3").

#include <cstdint>
#include <string>
#include <vector>

namespace kx14 {

enum class RegistryRoot : std::uint8_t { kLocalMachine, kCurrentUser };

inline constexpr wchar_t kSerialCommKey[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// The data of every plain-string (REG_SZ) value of the key, opened read-only,
// in the order the registry enumerates them. Value names are not used, values
// of any other type (expandable strings, numbers, raw data) are left out, and
// the data is converted from UTF-16 to UTF-8 without its terminating NUL. A
// key that is missing or cannot be read gives an empty list. Unsorted: the
// port list sorts it by number (SortPortNames), which refuses names without
// a number after their first three characters.
std::vector<std::string> ListRegistryPortNames(RegistryRoot root, const std::wstring& subKey);

}  // namespace kx14
