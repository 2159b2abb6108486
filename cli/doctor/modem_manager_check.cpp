#include <system_error>

#include "cli/doctor/checks.h"
#include "cli/doctor/device_path.h"
#include "cli/doctor/text_files.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRuleFile = "/etc/udev/rules.d/99-kx14-modemmanager-ignore.rules";

// The udev rule that tells ModemManager to leave the adapter alone: by USB
// identity, so it holds for whichever ttyACM number the adapter gets.
std::string IgnoreRule(const PortUnderTest& port) {
  const std::string property = "ENV{ID_MM_DEVICE_IGNORE}=\"1\"";
  if (!port.usb) return "KERNEL==\"" + TtyName(port.device) + "\", " + property;
  return "ATTRS{idVendor}==\"" + port.usb->vendor + "\", ATTRS{idProduct}==\"" + port.usb->product +
         "\", " + property;
}

// A rules file under <etc>/udev/rules.d that sets the property for this
// adapter (or, without a USB identity, for any device).
std::optional<fs::path> ExistingIgnoreRule(const DoctorContext& context,
                                           const PortUnderTest& port) {
  std::error_code error;
  for (fs::directory_iterator it(context.roots.etc / "udev" / "rules.d", error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string text = ReadSmallFile(it->path()).value_or("");
    if (text.find("ID_MM_DEVICE_IGNORE") == std::string::npos) continue;
    if (port.usb && text.find("\"" + port.usb->vendor + "\"") == std::string::npos) continue;
    return fs::path("/etc/udev/rules.d") / it->path().filename();
  }
  return std::nullopt;
}

}  // namespace

std::optional<CheckResult> CheckModemManager(const DoctorContext& context,
                                             const PortUnderTest& port) {
  if (TtyName(port.device).rfind("ttyACM", 0) != 0) return std::nullopt;
  if (!IsRunning(context.processes, "ModemManager")) {
    return CheckResult{"modemmanager", Verdict::kOk, "ModemManager is not running", {}};
  }
  if (const auto rule = ExistingIgnoreRule(context, port)) {
    return CheckResult{"modemmanager",
                       Verdict::kOk,
                       "ModemManager is running; " + rule->string() + " tells it to leave " +
                           port.device.string() + " alone",
                       {}};
  }
  return CheckResult{
      "modemmanager",
      Verdict::kWarning,
      "ModemManager is running and may probe " + port.device.string() +
          " as a modem when it appears (it sends AT commands and holds the port for seconds)",
      {"echo '" + IgnoreRule(port) + "' | sudo tee " + kRuleFile,
       "sudo udevadm control --reload-rules", "sudo udevadm trigger --subsystem-match=tty"}};
}

}  // namespace kx14::cli
