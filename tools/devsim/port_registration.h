#pragma once

// The simulator's entry in the user-defined ports directory, for as long as
// the object lives.

#include <filesystem>
#include <optional>
#include <string>

#include "ports/com_ports.h"

namespace kx14::devsim {

class PortRegistration {
 public:
  // Links COM<number> (or, without a number, the first free COM number) to
  // device. Throws std::system_error when the name is taken or the link
  // cannot be made.
  PortRegistration(const PortSources& sources, std::optional<int> number,
                   const std::filesystem::path& device);
  ~PortRegistration() { Release(); }
  PortRegistration(const PortRegistration&) = delete;
  PortRegistration& operator=(const PortRegistration&) = delete;

  const std::string& Name() const { return name_; }
  bool Registered() const { return registered_; }

  // Removes the entry if it is still our link (someone may have replaced
  // it). True when it was removed now; later calls do nothing.
  bool Release() noexcept;
  // Links the same name to the device again after Release. False when the
  // entry is registered already; throws std::system_error when the name has
  // been taken meanwhile or the link cannot be made.
  bool Restore();

 private:
  std::filesystem::path portsDir_;
  std::filesystem::path device_;
  std::string name_;
  bool registered_ = false;
};

}  // namespace kx14::devsim
