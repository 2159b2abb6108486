#pragma once

// Properties of the simulator's frame handler (tools/devsim/device_responder.h)
// for any stream of bytes from the host, cut into any chunks at any times.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

// Input: one byte of faults (bits 0-5: silent, short, long, bad checksum,
// refuse, noise; bits 6-7: the random-fault rate 0, 1/4, 1/2, 1), one byte
// of seed, then chunks, each a header byte (bits 0-4: length, bits 5-6: time
// that passes before it in steps of 300 ms, bit 7: the checksum of the last
// 16 stream bytes follows the chunk) and its bytes.
//
// Checks: no block is ever stored that did not come in a program frame with
// a matching checksum; the held block is always the last one stored; every
// byte from the host is accounted for exactly once, in order, as part of a
// received frame, dropped or expired; replies and "sent" events agree; and
// without faults every command gets the device's exact answer.
PropertyReport CheckDeviceResponder(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
