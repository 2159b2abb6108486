#pragma once

// Asks a serial driver to hand received bytes over at once. USB-serial
// adapters collect incoming bytes and pass them on when a packet fills or a
// latency timer runs out (16 ms by default on FTDI chips): for the device's
// 18-byte reply at 9600 bit/s that is most of the round trip again. Two knobs
// exist: the ASYNC_LOW_LATENCY flag through TIOCSSERIAL (which FTDI's driver
// turns into a 1 ms timer) and the adapter's `latency_timer` attribute in
// sysfs where the driver offers one and it is writable.
//
// Both are capabilities: a pty, a gadget port or a plain UART answers ENOTTY
// or EINVAL or has no attribute, which is "not supported" and never a reason
// to fail the open. What the request changed is put back when the port
// closes (RestoreLatency), so other programs find the adapter as it was.

#include <filesystem>

namespace kx14 {

enum class LowLatencyOutcome {
  kGranted,      // the driver now delivers at once (or already did)
  kUnsupported,  // the device has no such knob
  kRefused,      // the knob exists but could not be set (permissions, I/O)
};

struct LowLatencyReport {
  LowLatencyOutcome asyncFlag = LowLatencyOutcome::kUnsupported;     // TIOCSSERIAL
  LowLatencyOutcome latencyTimer = LowLatencyOutcome::kUnsupported;  // sysfs, 1 ms
  // What the request changed, for RestoreLatency.
  bool asyncFlagSet = false;  // the flag was clear and the request set it
  int timerBefore = -1;       // the timer's value before it was lowered; -1: not lowered
};

// Whether an ioctl's error says the device has no such request (a pty, a
// gadget port or a plain UART answers ENOTTY or EINVAL), which is never a
// reason to fail.
bool IsUnsupportedRequest(int error);

// The sysfs attribute of the character device major:minor below `sysfsRoot`
// (normally "/sys"); whether it exists is not checked.
std::filesystem::path LatencyTimerPath(const std::filesystem::path& sysfsRoot, unsigned major,
                                       unsigned minor);

// Sets ASYNC_LOW_LATENCY on the open tty `fd` and lowers its adapter's
// latency_timer to 1 ms. Raises nothing; `fd` stays open and usable whatever
// the outcome.
LowLatencyReport RequestLowLatency(int fd, const std::filesystem::path& sysfsRoot = "/sys");

// Undoes what `changed` says RequestLowLatency changed on `fd`; best effort,
// raises nothing. Call it while `fd` is still open.
void RestoreLatency(int fd, const LowLatencyReport& changed,
                    const std::filesystem::path& sysfsRoot = "/sys");

}  // namespace kx14
