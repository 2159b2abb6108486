#pragma once

// Round trips of the read exchange (1 byte out, 18 back) without the
// component, on a port this program opens itself: the floor, and the same
// floor with one of the component's Win32 habits added, so that what Wine
// charges for each habit shows beside what the component adds.

#include <string>
#include <vector>

namespace kx14::bench {

struct PlainLoopOptions {
  // The component's call pattern instead of one 18-byte read: a one-byte
  // read in flight first, then the queue count (ClearCommError) and a
  // second read for what the queue holds, as often as it takes.
  bool lookahead = false;
  // A comm-event wait (WaitCommEvent) in flight on the port throughout, as
  // the component's receive worker keeps one.
  bool eventWait = false;
};

// Microseconds per round trip after `warmUp` rounds; empty when the port
// cannot be opened.
std::vector<double> PlainRoundTrips(const std::string& device, const PlainLoopOptions& options,
                                    int warmUp, int rounds);

}  // namespace kx14::bench
