#include <system_error>

#include "cli/doctor/checks.h"

namespace kx14::cli {
namespace {

// brltty counts as installed when its configuration is: the Debian package
// puts /etc/brltty.conf and /etc/brltty/ there (its udev rules live under
// /usr/lib, outside the roots we read).
bool BrlttyInstalled(const std::filesystem::path& etcRoot) {
  std::error_code error;
  return std::filesystem::exists(etcRoot / "brltty.conf", error) ||
         std::filesystem::exists(etcRoot / "brltty", error);
}

}  // namespace

std::optional<CheckResult> CheckCh34xWithoutPort(const DoctorContext& context) {
  if (!BrlttyInstalled(context.roots.etc)) return std::nullopt;
  const std::vector<std::string> unclaimed = Ch34xWithoutTty(context.roots.sys);
  if (unclaimed.empty()) return std::nullopt;
  return CheckResult{"brltty",
                     Verdict::kProblem,
                     "a CH340/CH341 adapter is plugged in (USB " + unclaimed.front() +
                         ") but has no serial port: brltty has most likely claimed it; remove "
                         "brltty, then unplug the adapter and plug it in again",
                     {"sudo apt remove brltty"}};
}

std::optional<CheckResult> CheckBrltty(const DoctorContext& context, const PortUnderTest& port) {
  if (!port.usb || !IsCh34x(*port.usb)) return std::nullopt;
  if (!BrlttyInstalled(context.roots.etc)) {
    return CheckResult{"brltty",
                       Verdict::kOk,
                       "brltty, which takes CH340/CH341 adapters for braille displays, is not "
                       "installed",
                       {}};
  }
  std::string message =
      "brltty is installed and takes CH340/CH341 adapters (" + port.usb->vendor + ":" +
      port.usb->product +
      ") for braille displays: the port can vanish right after it appears; unless you use a "
      "braille display, remove it";
  if (IsRunning(context.processes, "brltty")) message += " (it is running now)";
  return CheckResult{"brltty", Verdict::kWarning, message, {"sudo apt remove brltty"}};
}

}  // namespace kx14::cli
