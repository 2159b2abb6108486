#include <system_error>

#include "cli/doctor/checks.h"
#include "cli/doctor/shell_quote.h"
#include "ports/port_name_order.h"
#include "ports/user_ports.h"

namespace kx14::cli {
namespace {

std::string Describe(const UsbIdentity& usb) {
  std::string text = "USB adapter " + usb.vendor + ":" + usb.product;
  std::string names = usb.manufacturer;
  if (!usb.productName.empty()) names += (names.empty() ? "" : " ") + usb.productName;
  if (!names.empty()) text += " (" + names + ")";
  text += usb.serial.empty() ? ", no serial number" : ", serial " + usb.serial;
  return text;
}

// The name to pin under: the port's own COM name, so it keeps the number it
// shows now; for a port named by its device path, the first free number.
std::string PinName(const DoctorContext& context, const PortUnderTest& port) {
  if (port.name.rfind("COM", 0) == 0 && TryPortNameNumber(port.name)) return port.name;
  return ComPortName(FirstFreeComNumber(context.sources));
}

std::vector<std::string> PinCommands(const DoctorContext& context, const PortUnderTest& port,
                                     const std::filesystem::path& byId) {
  const std::string name = PinName(context, port);
  const std::string entry = ShellQuote((context.sources.portsDir / name).string());
  // -f -n: replace an entry of that name (the port's own link to the
  // kernel's name, which can change).
  const bool taken = UserPortEntryExists(context.sources.portsDir, name);
  return {"mkdir -p " + ShellQuote(context.sources.portsDir.string()),
          std::string(taken ? "ln -sfn " : "ln -s ") + ShellQuote(byId.string()) + " " + entry};
}

}  // namespace

std::optional<CheckResult> CheckUsbIdentity(const DoctorContext& context,
                                            const PortUnderTest& port) {
  if (!port.usb) return std::nullopt;
  const std::string identity = Describe(*port.usb);
  if (port.byIdLink) {
    return CheckResult{
        "usb",
        Verdict::kOk,
        identity + "; pinned to " + port.name + " through " + port.byIdLink->string(),
        {}};
  }
  const auto byId = FindByIdName(context.roots, port.device);
  if (!byId) {
    return CheckResult{"usb",
                       Verdict::kWarning,
                       identity +
                           "; no stable name under /dev/serial/by-id, so its COM number "
                           "can change when another adapter is plugged in",
                       {}};
  }
  return CheckResult{"usb", Verdict::kOk,
                     identity + "; stable name " + byId->string() +
                         " (to keep its COM number whatever else is plugged in, pin it)",
                     PinCommands(context, port, *byId)};
}

}  // namespace kx14::cli
