#pragma once

// The Linux simulator that scripts/windows-test.sh started for this run:
// its COM port under Wine (KX14_WINE_COM, "COM7"), its control pipe
// (KX14_DEVSIM_CONTROL) and its frame log (KX14_DEVSIM_LOG), both as Wine
// paths. Tests skip when the script did not set them. The script starts
// more simulators for the tests that need several adapters: the n-th of
// them has the same variables ending in "_<n>" (KX14_WINE_COM_1, ...).

#include <chrono>
#include <cstdint>
#include <string>

namespace kx14::test {

class DevsimLink {
 public:
  // The script's first simulator; with `number`, its extra simulator of
  // that number.
  DevsimLink() = default;
  explicit DevsimLink(int number) : suffix_("_" + std::to_string(number)) {}

  // False (and a reason) when the variables are missing.
  bool Available(std::string& why) const;
  std::int32_t PortNo() const;
  std::string PortName() const;

  // Sends one control line ("mode silent") and waits, at most 5 s, until the
  // simulator's log confirms a command of its kind. False when it did not.
  bool Control(const std::string& line) const;

  // The log's whole text now.
  std::string Log() const;
  // Waits, at most `timeout`, until the log holds `text` more often than
  // `before` times. True when it did.
  bool WaitForLog(const std::string& text, std::size_t before,
                  std::chrono::milliseconds timeout) const;
  std::size_t CountInLog(const std::string& text) const;

 private:
  std::string Env(const char* name) const;

  std::string suffix_;
};

}  // namespace kx14::test
