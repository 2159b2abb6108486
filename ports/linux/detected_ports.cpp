#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "ports/detected_ports.h"
#include "ports/tty_name_order.h"

namespace kx14 {
namespace {

namespace fs = std::filesystem;

bool HasDeviceLink(const fs::path& ttyDir) {
  struct stat info {};
  return ::lstat((ttyDir / "device").c_str(), &info) == 0;
}

bool IsNumberedTtyS(std::string_view name) {
  constexpr std::string_view kPrefix = "ttyS";
  if (name.size() <= kPrefix.size() || name.substr(0, kPrefix.size()) != kPrefix) return false;
  return std::all_of(name.begin() + kPrefix.size(), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// The first word of a small attribute file. Opened non-blocking so that an
// odd entry in a tree handed to us (a FIFO) cannot stall the listing.
std::string ReadAttributeWord(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return {};
  std::array<char, 32> buffer{};
  const ssize_t count = ::read(fd, buffer.data(), buffer.size());
  ::close(fd);
  std::string word;
  for (ssize_t i = 0; i < count && !std::isspace(static_cast<unsigned char>(buffer[i])); ++i) {
    word.push_back(buffer[i]);
  }
  return word;
}

// PORT_UNKNOWN is 0 in the kernel's serial_core.h.
bool IsPhantomTtyS(const fs::path& ttyDir, std::string_view name) {
  return IsNumberedTtyS(name) && ReadAttributeWord(ttyDir / "type") == "0";
}

}  // namespace

std::vector<std::string> DetectSerialTtys(const fs::path& sysfsRoot) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(sysfsRoot / "class" / "tty", error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::path ttyDir = it->path();
    const std::string name = ttyDir.filename().string();
    if (!HasDeviceLink(ttyDir) || IsPhantomTtyS(ttyDir, name)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return TtyNameLess(a, b); });
  return names;
}

fs::path TtyDevicePath(std::string_view ttyName) {
  std::string relative(ttyName);
  std::replace(relative.begin(), relative.end(), '!', '/');
  return fs::path("/dev") / relative;
}

}  // namespace kx14
