#pragma once

// Pure translation between the control block and Linux termios2 (no device
// I/O). Raw and byte-transparent: no input or output processing, no echo, no
// signals, so 0x00, 0x11, 0x13, 0x0D, 0x0A and 0xFF pass unchanged unless
// XON/XOFF is the chosen flow control. BRKINT is never set (it would flush the
// queues and signal the process on a break); IGNBRK stays off too, so a break
// arrives as one 0x00 and wakes the receive worker, which reports it from the
// driver's break counter. INPCK stays off: a character with a parity or
// framing error is delivered as received and the error is reported through the
// driver's counters, as the parity-check flag of the block means.
//
// This header includes <asm/termbits.h>; a translation unit that includes it
// must not include <termios.h>.

#include <asm/termbits.h>

#include <cstdint>

#include "comm/dcb.h"

namespace kx14 {

// Which member of the block Linux cannot honour.
enum class SettingFault : std::uint8_t {
  kNone,
  kBaudRate,      // 0 would hang the line up
  kByteSize,      // outside 5..8
  kParity,        // outside none, odd, even, mark, space
  kStopBits,      // one and a half, or unknown
  kFlowControl,   // DTR/DSR handshake or RTS toggle: Linux has neither
  kXonXoffChars,  // XON/XOFF flow with the same character for both
};

// What the backend does to a modem line after applying the termios.
enum class LineLevel : std::uint8_t { kLeave, kRaise, kLower };

struct TermiosSettings {
  termios2 tio{};
  LineLevel dtr = LineLevel::kLeave;
  LineLevel rts = LineLevel::kLeave;
};

struct TermiosMapping {
  SettingFault fault = SettingFault::kNone;
  TermiosSettings settings;  // meaningful only when fault is kNone
};

// `current` supplies what the block does not describe (line discipline,
// unused control characters).
TermiosMapping DcbToTermios(const Dcb& dcb, const termios2& current);

// The block that describes the port's present termios (used to fill the
// working copy when a port is opened).
Dcb TermiosToDcb(const termios2& tio);

// The standard Bnnn code of a rate, or BOTHER when termios2 must carry the
// rate itself.
tcflag_t BaudCode(std::uint32_t rate);

}  // namespace kx14
