#pragma once

// A serial line for tests, without a tty: the component's side is a
// SerialDevice, the test's side a socket that sees exactly the bytes the
// component wrote and feeds the bytes it should receive. The line records
// every modem-line change and every write with its time (for the half-duplex
// RTS timing), every control block it was given, and can refuse settings,
// fail writes with line errors, and inject line errors and breaks.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "comm/serial_device.h"

namespace kx14 {

class FakeLine {
 public:
  using Clock = std::chrono::steady_clock;

  struct Event {
    enum class Kind : std::uint8_t { kRtsOn, kRtsOff, kDtrOn, kDtrOff, kWrite };
    Kind kind;
    Clock::time_point at;
    std::size_t bytes = 0;  // for kWrite
  };

  FakeLine();  // throws std::system_error
  ~FakeLine();
  FakeLine(const FakeLine&) = delete;
  FakeLine& operator=(const FakeLine&) = delete;

  // The test's end of the line (blocking).
  int FarFd() const;
  // Closes the test's end: the component sees the far end hang up.
  void HangUp();

  // A device on this line; nothing while another one is open (busy).
  std::unique_ptr<SerialDevice> Open();
  bool IsOpen() const;

  // Refusals. A control block for which `refuse` returns true is refused.
  void RefuseStateWhen(std::function<bool(const Dcb&)> refuse);
  void RefuseTimeouts(bool refuse);
  void RefuseQueueSizes(bool refuse);
  // Every write fails and leaves these line-error bits to be taken.
  void FailWritesWith(std::uint32_t errorBits);
  // Registering a wake signal for event waits fails (no descriptor left).
  void FailWakeRegistration();

  // Input with trouble: a character that arrived with line errors, or a
  // break (which a Linux tty delivers as one 0x00).
  void InjectLineErrors(std::uint32_t errorBits, std::uint8_t garbled);
  void InjectBreak();

  std::vector<Event> Events() const;
  std::vector<Dcb> StatesSet() const;
  std::uint32_t LineEventsTaken() const;  // how often errors were asked for and found
  // Event waits begun so far, and whether one is in progress: a test can
  // tell that the receive worker has handled an arrival and waits again.
  std::uint32_t EventWaitsBegun() const;
  bool InEventWait() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
  friend class FakeSerialDevice;
};

}  // namespace kx14
