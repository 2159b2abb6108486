#pragma once

// What the component needs from one opened serial device. One implementation
// per platform (linux/serial_device.h, win32/serial_device.h) plus a fake for
// tests. An object of this interface is an open device: destroying it closes
// the device and restores what opening changed.
//
// Threads: the window's thread configures, reads and purges; the transmit
// worker writes and waits for output room; the receive worker waits for port
// events. Every member is safe to call from those threads at the same time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "comm/dcb.h"
#include "comm/wait_object.h"
#include "comm/wake_signal.h"

namespace kx14 {

struct IoResult {
  enum class Status : std::uint8_t {
    kDone,        // `bytes` moved (possibly fewer than asked)
    kWouldBlock,  // nothing can move now
    kHungUp,      // the far end is gone
    kFailed,      // any other error
  };
  Status status = Status::kFailed;
  std::size_t bytes = 0;
};

// Driver counters turned into events since the previous call.
struct LineEvents {
  std::uint32_t errorBits = 0;  // overrun 0x02, parity 0x04, framing 0x08
  std::uint32_t breaks = 0;
};

struct PortWake {
  bool received = false;  // new input arrived since the last wait (an edge)
  bool hungUp = false;    // the far end closed; no further events will come
  bool woken = false;     // the wake signal fired
};

enum class WaitOutcome : std::uint8_t { kReady, kWoken, kTimedOut, kHungUp };

class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Ready when input may be waiting (or the far end hung up), for waiting
  // together with window messages; the next Read takes what there is. On
  // Linux the descriptor itself; on Windows an event that a read in flight
  // signals.
  virtual WaitObject InputWait() = 0;

  // The platform's own handle of the port (descriptor or HANDLE), shown by
  // the component's Handle property.
  virtual std::uintptr_t NativeHandle() const = 0;

  // Line settings. False when the device refuses them; then nothing changed.
  virtual bool GetState(Dcb& dcb) = 0;
  virtual bool SetState(const Dcb& dcb) = 0;
  virtual bool SetTimeouts(const CommTimeouts& timeouts) = 0;
  virtual CommTimeouts Timeouts() const = 0;
  virtual bool SetQueueSizes(std::int32_t input, std::int32_t output) = 0;

  // Non-blocking transfers.
  virtual IoResult Write(const std::uint8_t* data, std::size_t count) = 0;
  virtual IoResult Read(std::uint8_t* buffer, std::size_t count) = 0;

  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;

  // Modem lines; silently nothing where the device has none (a pty).
  virtual void SetRts(bool on) = 0;
  virtual void SetDtr(bool on) = 0;

  virtual std::int32_t InputCount() = 0;
  virtual std::int32_t OutputCount() = 0;  // bytes written but not yet on the wire
  virtual LineEvents TakeLineEvents() = 0;

  // Joins `wake` to the event wait ahead of the first WaitForEvent, so that
  // the failure to do so (no descriptor left) comes from the caller that
  // creates the waiting worker. Throws std::system_error.
  virtual void PrepareEventWait(WakeSignal& wake) = 0;

  // Blocks until input arrives (edge-triggered: input that was already
  // reported does not wake again), the far end hangs up, or `wake` fires.
  // `wake` is the signal given to PrepareEventWait.
  virtual PortWake WaitForEvent(WakeSignal& wake) = 0;

  // Stops or resumes the input reports of WaitForEvent (the window thread
  // pauses them while it reads the port itself). Resuming reports input that
  // is already waiting.
  virtual void WatchInput(bool on) = 0;
  // Whether TakeLineEvents may report anything now: never on a pty, which
  // keeps no counters; on Windows only once a status query kept error bits.
  virtual bool KeepsLineCounters() = 0;

  // Blocks until output room is available, `wake` fires or `timeout` passes
  // (no time-out: wait as long as it takes).
  virtual WaitOutcome WaitWritable(WakeSignal& wake,
                                   std::optional<std::chrono::milliseconds> timeout) = 0;
};

}  // namespace kx14
