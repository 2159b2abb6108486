#include "tools/devsim/pty_endpoint.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace kx14::devsim {
namespace {

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// No echo, no line editing, no CR/LF translation, no flow control, no
// signals: every byte value passes unchanged both ways, as on the device's
// serial line.
void MakeRaw(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) ThrowErrno("tcgetattr");
  ::cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  if (::tcsetattr(fd, TCSANOW, &settings) != 0) ThrowErrno("tcsetattr");
}

}  // namespace

PtyEndpoint::PtyEndpoint() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) ThrowErrno("posix_openpt");
  try {
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) ThrowErrno("unlockpt");
    std::array<char, 128> name{};
    if (::ptsname_r(master_, name.data(), name.size()) != 0) ThrowErrno("ptsname_r");
    slavePath_ = name.data();
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) ThrowErrno("open pty slave");
    MakeRaw(slave_);
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) ThrowErrno("fcntl");
  } catch (...) {
    if (slave_ >= 0) ::close(slave_);
    ::close(master_);
    throw;
  }
}

PtyEndpoint::~PtyEndpoint() {
  ::close(slave_);
  ::close(master_);
}

}  // namespace kx14::devsim
