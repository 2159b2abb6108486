#pragma once

// A ports directory and a sysfs tree of the test's own, in a temporary
// directory removed when the object goes: what the port list and the port
// names are read from (PortSources), with entries of every kind.

#include <filesystem>
#include <string>

#include "ports/com_ports.h"
#include "temp_dir.h"

namespace kx14::testing {

class FakePortTree {
 public:
  PortSources Sources() const { return {PortsDir(), dir_.path() / "sys"}; }
  std::filesystem::path PortsDir() const;

  void MakePortsDir() const;
  // A user-defined port: a link named `name` to `device`.
  void AddUserPort(const std::string& name,
                   const std::filesystem::path& device = "/dev/null") const;
  void RemoveUserPort(const std::string& name) const;
  // A directory entry that is no port: a plain file.
  void AddPlainFile(const std::string& name) const;
  // `ttyName` under class/tty; withDevice gives it the `device` link of real
  // hardware; type is written to its `type` attribute when not empty.
  void AddTty(const std::string& ttyName, bool withDevice = true,
              const std::string& type = "") const;

 private:
  TempDir dir_;
};

}  // namespace kx14::testing
