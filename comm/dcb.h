#pragma once

// The component's working copy of the line settings and its time-out record,
// laid out like the records the settings were first designed around, so the
// values the rest of the program relies on (flag words, limits, time-outs)
// stay exactly as documented. The platform backend translates them.

#include <cstdint>

namespace kx14 {

struct Dcb {
  std::uint32_t DCBlength = 28;
  std::uint32_t BaudRate = 0;
  std::uint32_t Flags = 0;  // see dcb_flag
  std::uint16_t wReserved = 0;
  std::uint16_t XonLim = 0;
  std::uint16_t XoffLim = 0;
  std::uint8_t ByteSize = 0;
  std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::uint8_t StopBits = 0;  // 0 one, 1 one and a half, 2 two
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
  std::uint16_t wReserved1 = 0;

  friend bool operator==(const Dcb&, const Dcb&) = default;
};
static_assert(sizeof(Dcb) == 28, "the control block keeps its 28-byte layout");

namespace dcb_flag {
inline constexpr std::uint32_t kBinary = 0x0001;
inline constexpr std::uint32_t kParity = 0x0002;
inline constexpr std::uint32_t kOutxCtsFlow = 0x0004;
inline constexpr std::uint32_t kOutxDsrFlow = 0x0008;
inline constexpr std::uint32_t kDtrControlMask = 0x0030;
inline constexpr std::uint32_t kDtrControlDisable = 0x0000;
inline constexpr std::uint32_t kDtrControlEnable = 0x0010;
inline constexpr std::uint32_t kDtrControlHandshake = 0x0020;
inline constexpr std::uint32_t kDsrSensitivity = 0x0040;
inline constexpr std::uint32_t kTxContinueOnXoff = 0x0080;
inline constexpr std::uint32_t kOutX = 0x0100;
inline constexpr std::uint32_t kInX = 0x0200;
inline constexpr std::uint32_t kErrorChar = 0x0400;
inline constexpr std::uint32_t kNull = 0x0800;
inline constexpr std::uint32_t kRtsControlMask = 0x3000;
inline constexpr std::uint32_t kRtsControlDisable = 0x0000;
inline constexpr std::uint32_t kRtsControlEnable = 0x1000;
inline constexpr std::uint32_t kRtsControlHandshake = 0x2000;
inline constexpr std::uint32_t kRtsControlToggle = 0x3000;
inline constexpr std::uint32_t kAbortOnError = 0x4000;
}  // namespace dcb_flag

// Milliseconds; 0xFFFFFFFF in ReadIntervalTimeout is the "no interval" marker.
struct CommTimeouts {
  std::uint32_t ReadIntervalTimeout = 0;
  std::uint32_t ReadTotalTimeoutMultiplier = 0;
  std::uint32_t ReadTotalTimeoutConstant = 0;
  std::uint32_t WriteTotalTimeoutMultiplier = 0;
  std::uint32_t WriteTotalTimeoutConstant = 0;

  friend bool operator==(const CommTimeouts&, const CommTimeouts&) = default;
};

inline constexpr std::uint32_t kMaxDword = 0xFFFFFFFFu;

}  // namespace kx14
