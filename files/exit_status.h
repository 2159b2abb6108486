#pragma once

// kx14ctl's exit statuses and the failure that carries one to main(), which
// prints its one-line message on stderr.

#include <stdexcept>
#include <string>

namespace kx14::cli {

enum class TExitStatus {
  Success = 0,
  DeviceFailed = 1,     // no answer, refused, read-back or comparison differed
  UsageError = 2,       // bad command line or bad input file: nothing was sent
  PortUnavailable = 3,  // no such port, busy, no access
};

class CliFailure : public std::runtime_error {
 public:
  CliFailure(TExitStatus status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  TExitStatus Status() const { return status_; }

 private:
  TExitStatus status_;
};

inline CliFailure UsageFailure(const std::string& message) {
  return CliFailure(TExitStatus::UsageError, message);
}

}  // namespace kx14::cli
