#pragma once

// The machine's COM port names and the COM-number-to-device mapping.
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
//
// A user-defined port holds the number that its name converts to by the port
// list's rule (PortNameNumber: "COM5", but also "COM05" or "ABC5"), so no
// detected device ever takes a number that a listed user-defined name shows.
// Resolution stays exact: COM<n> maps to the entry named exactly "COM<n>",
// otherwise to the detected port numbered n. A number held only by a name
// like "COM05" therefore maps to nothing and fails to open, rather than
// opening a device other than the one the list shows.
//
// Every call reads the directory and sysfs afresh; nothing is cached.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx14 {

struct PortSources {
  std::filesystem::path portsDir;   // user-defined ports directory; empty: none
  std::filesystem::path sysfsRoot;  // normally "/sys"
};

// The sources of this machine, read from the environment at each call:
// portsDir is $XDG_CONFIG_HOME/kx14-manager/ports when XDG_CONFIG_HOME is an
// absolute path, else <home>/.config/kx14-manager/ports with <home> from
// $HOME, or from the password database when HOME is unset or empty. Empty
// when that leaves no absolute <home>: then there are no user-defined ports
// and none can be registered.
PortSources DefaultPortSources();

// The rule behind portsDir, for given values of XDG_CONFIG_HOME and HOME and
// the password database's home directory ("" for an absent value).
std::filesystem::path UserPortsDirectory(const std::string& xdgConfigHome,
                                         const std::string& home,
                                         const std::string& passwordHome);

struct ComPort {
  std::string name;              // as listed: the entry's name, or "COM<n>"
  std::filesystem::path device;  // the ports-directory entry, or /dev/<tty>
  bool userDefined = false;
};

// Ports in source order: user-defined ones first (ordered by their number,
// names whose number does not convert after them, ties by name), then the
// detected ones in COM order.
std::vector<ComPort> ListComPorts(const PortSources& sources);

// Port names in source order (user-defined, then detected): the stand-in for
// the registry's value list. Unsorted by the port-name order; names other than
// COM<n> pass through.
std::vector<std::string> ListComPortNames(const PortSources& sources);

// The device path that "COM<portNo>" maps to, or nothing.
std::optional<std::filesystem::path> ResolveComPort(int portNo, const PortSources& sources);

// ResolveComPort over this machine's sources, read afresh at each call: the
// resolver that the serial component is given where nothing maps numbers
// otherwise.
std::optional<std::filesystem::path> ResolveMachinePort(int portNo);

// The smallest n >= 1 that no listed port holds and for which the ports
// directory has no entry named "COM<n>" of any kind (so a link of that name
// can be created): the number a newly registered port should take.
std::int32_t FirstFreeComNumber(const PortSources& sources);

// "COM" followed by n in decimal.
std::string ComPortName(std::int32_t n);

}  // namespace kx14
