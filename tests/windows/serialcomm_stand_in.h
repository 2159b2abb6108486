#pragma once

// The machine's serial ports as a test chooses them: the registry's
// SERIALCOMM key (volatile, as Windows keeps it) holds only the given names
// while the object lives; the values it held before are put back when it
// goes. The Wine test runs its programs one after another, so no other
// program reads the key meanwhile.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace kx14::test {

class SerialCommStandIn {
 public:
  explicit SerialCommStandIn(const std::vector<std::string>& portNames);
  ~SerialCommStandIn();
  SerialCommStandIn(const SerialCommStandIn&) = delete;
  SerialCommStandIn& operator=(const SerialCommStandIn&) = delete;

 private:
  void RemoveAllValues();

  HKEY key_ = nullptr;
  // The key's values before: name and data.
  std::vector<std::pair<std::wstring, std::wstring>> saved_;
};

}  // namespace kx14::test
