#pragma once

// The USB adapter behind a tty, from sysfs, and its stable name under
// /dev/serial/by-id.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/doctor/doctor.h"

namespace kx14::cli {

struct UsbIdentity {
  std::string vendor;                     // idVendor, 4 hex digits ("1a86")
  std::string product;                    // idProduct ("7523")
  std::string serial;                     // empty when the adapter has none (CH340s have none)
  std::string manufacturer, productName;  // the adapter's own strings, may be empty
  friend bool operator==(const UsbIdentity&, const UsbIdentity&) = default;
};

// The USB device above <sys>/class/tty/<ttyName>/device: the nearest folder
// on the way up that has idVendor and idProduct. Nothing for a tty that is
// not on USB (a built-in UART, a pseudo-terminal).
std::optional<UsbIdentity> ReadUsbIdentity(const std::filesystem::path& sysRoot,
                                           const std::string& ttyName);

// The CH340 / CH341 family (QinHeng, 1a86:7523 and 1a86:5523).
bool IsCh34x(const UsbIdentity& usb);

// The CH340/CH341 devices under <sys>/bus/usb/devices that no tty of
// <sys>/class/tty sits below, by their folder names ("1-2").
std::vector<std::string> Ch34xWithoutTty(const std::filesystem::path& sysRoot);

// The entry of <dev>/serial/by-id that leads to `device` (machine terms),
// given as a machine path; udev makes one for every USB serial adapter.
std::optional<std::filesystem::path> FindByIdName(const DoctorRoots& roots,
                                                  const std::filesystem::path& device);

}  // namespace kx14::cli
