#include "cli/doctor/usb_identity.h"

#include <algorithm>
#include <system_error>

#include "cli/doctor/device_path.h"
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

namespace {

// The folders of every tty with a device behind it.
std::vector<fs::path> TtyDeviceFolders(const fs::path& sysRoot) {
  std::vector<fs::path> folders;
  std::error_code error;
  for (fs::directory_iterator it(sysRoot / "class" / "tty", error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code missing;
    const fs::path folder = fs::canonical(it->path() / "device", missing);
    if (!missing) folders.push_back(folder);
  }
  return folders;
}

}  // namespace

std::vector<std::string> Ch34xWithoutTty(const fs::path& sysRoot) {
  const std::vector<fs::path> ttyFolders = TtyDeviceFolders(sysRoot);
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(sysRoot / "bus" / "usb" / "devices", error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code missing;
    const fs::path folder = fs::canonical(it->path(), missing);
    const UsbIdentity usb{
        Attribute(folder, "idVendor"), Attribute(folder, "idProduct"), {}, {}, {}};
    if (missing || !IsCh34x(usb)) continue;
    const bool hasTty = std::any_of(ttyFolders.begin(), ttyFolders.end(),
                                    [&](const fs::path& tty) { return IsUnder(tty, folder); });
    if (!hasTty) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
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
