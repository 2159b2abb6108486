#pragma once

// A fresh XDG_CONFIG_HOME for this process (and every simulator it starts):
// the user-defined ports directory lives under it, so the component resolves
// COM numbers through the same entries the port list shows, and the test
// can add or pull an entry while a port is open. Restores the previous value
// and removes the directory when it goes.

#include <filesystem>
#include <optional>
#include <string>

#include "temp_dir.h"

namespace kx14::faults {

class ConfigHome {
 public:
  ConfigHome();
  ~ConfigHome();
  ConfigHome(const ConfigHome&) = delete;
  ConfigHome& operator=(const ConfigHome&) = delete;

  const std::filesystem::path& Path() const { return dir_.path(); }
  std::filesystem::path PortsDir() const;

  // COM<n> -> device, replacing an entry of that name.
  void Link(int comNumber, const std::filesystem::path& device);
  // Removes COM<n>; nothing when there is none.
  void Unlink(int comNumber);
  bool HasEntry(int comNumber) const;

 private:
  testing::TempDir dir_;
  std::optional<std::string> previous_;
};

}  // namespace kx14::faults
