#pragma once

// The machine's COM port names and the COM-number-to-device mapping.
//
// CONTRACT SKETCH (public API that comm/, ui/ and tools/ code against). The
// ports module owns the implementation and may add members, but keeps these
// signatures.
//
// Two sources, in this order of precedence:
//  1. user-defined ports: entries of the ports directory
//     ($XDG_CONFIG_HOME/kx14-manager/ports, default ~/.config/kx14-manager/ports)
//     that are (or link to) a character device; the entry's file name is the
//     port name, listed as it is;
//  2. detected ports: serial devices under <sysfs>/class/tty with a `device`
//     link (phantom ttyS* of unknown type left out), ordered ttyS, ttyUSB,
//     ttyACM, ttyAMA, then other kinds by name, each by number; they take
//     COM1, COM2, ... skipping numbers a user-defined port already holds.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx14 {

struct PortSources {
  std::filesystem::path portsDir;   // user-defined ports directory
  std::filesystem::path sysfsRoot;  // normally "/sys"
};

// The sources of this machine, read from the environment at each call.
PortSources DefaultPortSources();

// Port names in source order (user-defined, then detected): the stand-in for
// the registry's value list. Unsorted; names other than COM<n> pass through.
std::vector<std::string> ListComPortNames(const PortSources& sources);

// The device path that "COM<portNo>" maps to, or nothing.
std::optional<std::filesystem::path> ResolveComPort(int portNo, const PortSources& sources);

}  // namespace kx14
