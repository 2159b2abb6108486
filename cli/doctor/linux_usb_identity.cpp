#include "cli/doctor/linux_usb_identity.h"

#include <system_error>

#include "cli/doctor/linux_device_path.h"
#include "cli/doctor/text_files.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

std::string Attribute(const fs::path& folder, const char* name) {
  return ReadFirstLine(folder / name).value_or("");
}

}  // namespace

std::optional<UsbIdentity> ReadUsbIdentity(const fs::path& sysRoot, const std::string& ttyName) {
  std::error_code error;
  const fs::path root = fs::canonical(sysRoot, error);
  fs::path folder = fs::canonical(sysRoot / "class" / "tty" / ttyName / "device", error);
  if (error) return std::nullopt;
  for (; IsUnder(folder, root); folder = folder.parent_path()) {
    const std::string vendor = Attribute(folder, "idVendor");
    const std::string product = Attribute(folder, "idProduct");
    if (vendor.empty() || product.empty()) continue;
    return UsbIdentity{vendor, product, Attribute(folder, "serial"),
                       Attribute(folder, "manufacturer"), Attribute(folder, "product")};
  }
  return std::nullopt;
}

bool IsCh34x(const UsbIdentity& usb) {
  return usb.vendor == "1a86" && (usb.product == "7523" || usb.product == "5523");
}

std::optional<fs::path> FindByIdName(const DoctorRoots& roots, const fs::path& device) {
  const fs::path byId = "/dev/serial/by-id";
  std::error_code error;
  for (fs::directory_iterator it(Localize(roots, byId), error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::path name = byId / it->path().filename();
    if (FollowLinks(roots, name).device == device.lexically_normal()) return name;
  }
  return std::nullopt;
}

}  // namespace kx14::cli
