#pragma once

// Serial devices that the kernel reports under <sysfs>/class/tty.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx14 {

// Names of the ttys under sysfsRoot/class/tty that have a `device` link (a
// real device behind them, unlike virtual consoles and ptys), leaving out
// phantom ttyS<n> whose `type` reads 0: the 8250 driver creates its
// configured number of ttyS ports whether or not a UART answers, and reports
// the missing ones as PORT_UNKNOWN. Sorted by TtyNameLess, the order in which
// they take COM numbers. A missing tree gives an empty list.
std::vector<std::string> DetectSerialTtys(const std::filesystem::path& sysfsRoot);

// "/dev/<name>"; a "!" in a sysfs name stands for a "/" of a device in a
// subdirectory of /dev.
std::filesystem::path TtyDevicePath(std::string_view ttyName);

}  // namespace kx14
