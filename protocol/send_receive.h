#pragma once

// The single command exchange with the device over the window's serial port
// component.

#include "base/byte_string.h"
#include "comm/comm_x.h"

namespace kx14 {

// The exchange reads into a fixed buffer of this size: no reply is longer.
inline constexpr int kReceiveBufferSize = 256;

// One exchange, one attempt, no retry:
//   gives up the rest of the time slice; purges the input (bytes left over
//   from an earlier exchange); queues `command` for the transmit worker; and,
//   unless replyLength is 0, waits in comm.Read for exactly replyLength bytes
//   (at most the receive time-out; the wait lets window messages run).
// On return `reply` holds the complete reply or nothing, and `command` holds
// a copy of `reply`. A short, late, missing or failed reply leaves both
// empty and the bytes that did arrive are dropped; bytes beyond replyLength
// stay in the input until the next exchange's purge. replyLength 0 sends and
// returns at once with both strings empty. With the port closed the purge
// and the write do nothing and Read fails at once: both strings empty.
// A replyLength outside 0..kReceiveBufferSize cannot be received into the
// buffer: nothing is sent, nothing is purged, and both strings are empty.
// Raises nothing of its own; runs on the window's thread only.
// Returns the count that Read returned (-1 when it failed, 0 when nothing
// was read or waited for), for traces of short replies.
int SendReceive(TCustomCommX& comm, ByteString& command, int replyLength, ByteString& reply);

}  // namespace kx14
