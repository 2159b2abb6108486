#include "tools/devsim/port_registration.h"

#include <system_error>

#include "ports/user_ports.h"

namespace kx14::devsim {
namespace {

// Another simulator may take the number we found free before our link is
// made; symlink() then fails with EEXIST and we look again.
constexpr int kRegisterAttempts = 100;

}  // namespace

PortRegistration::PortRegistration(const PortSources& sources, std::optional<int> number,
                                   const std::filesystem::path& device)
    : portsDir_(sources.portsDir), device_(device) {
  for (int attempt = 1;; ++attempt) {
    name_ = ComPortName(number.value_or(FirstFreeComNumber(sources)));
    try {
      RegisterUserPort(portsDir_, name_, device_);
      registered_ = true;
      return;
    } catch (const std::system_error& error) {
      const bool taken = error.code() == std::errc::file_exists;
      if (!taken || number.has_value() || attempt == kRegisterAttempts) throw;
    }
  }
}

bool PortRegistration::Restore() {
  if (registered_) return false;
  RegisterUserPort(portsDir_, name_, device_);
  registered_ = true;
  return true;
}

bool PortRegistration::Release() noexcept {
  if (!registered_) return false;
  registered_ = false;
  return UnregisterUserPort(portsDir_, name_, device_);
}

}  // namespace kx14::devsim
