#include "fake_port_tree.h"

#include <fstream>

namespace kx14::testing {
namespace fs = std::filesystem;

fs::path FakePortTree::PortsDir() const {
  return dir_.path() / "config" / "kx14-manager" / "ports";
}

void FakePortTree::MakePortsDir() const { fs::create_directories(PortsDir()); }

void FakePortTree::AddUserPort(const std::string& name, const fs::path& device) const {
  MakePortsDir();
  fs::create_symlink(device, PortsDir() / name);
}

void FakePortTree::RemoveUserPort(const std::string& name) const { fs::remove(PortsDir() / name); }

void FakePortTree::AddPlainFile(const std::string& name) const {
  MakePortsDir();
  std::ofstream(PortsDir() / name) << "not a device\n";
}

void FakePortTree::AddTty(const std::string& ttyName, bool withDevice,
                          const std::string& type) const {
  const fs::path sysfs = Sources().sysfsRoot;
  const fs::path dir = sysfs / "devices" / ttyName;
  fs::create_directories(dir);
  fs::create_directories(sysfs / "class" / "tty");
  fs::create_directory_symlink(dir, sysfs / "class" / "tty" / ttyName);
  if (withDevice) fs::create_directory_symlink("../../platform/serial", dir / "device");
  if (!type.empty()) std::ofstream(dir / "type") << type << "\n";
}

}  // namespace kx14::testing
