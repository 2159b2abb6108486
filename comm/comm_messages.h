#pragma once

#include <cstdint>

namespace kx14 {

// Notifications from the workers to the component's window-thread procedure.
inline constexpr std::uint32_t WM_COMMRECEIVE = 0x500;
inline constexpr std::uint32_t WM_COMMBREAK = 0x501;
inline constexpr std::uint32_t WM_COMMERROR = 0x502;

// Port events the receive worker watches: character received, break, line error.
inline constexpr std::uint32_t kEvRxChar = 0x0001;
inline constexpr std::uint32_t kEvBreak = 0x0040;
inline constexpr std::uint32_t kEvErr = 0x0080;
inline constexpr std::uint32_t kCommEventMask = kEvRxChar | kEvBreak | kEvErr;

// Line-error bits. Only overrun, parity and framing are ever reported;
// input-queue overflow and break have their own paths or none.
inline constexpr std::uint32_t kCeRxOver = 0x01;
inline constexpr std::uint32_t kCeOverrun = 0x02;
inline constexpr std::uint32_t kCeRxParity = 0x04;
inline constexpr std::uint32_t kCeFrame = 0x08;
inline constexpr std::uint32_t kCeBreak = 0x10;
inline constexpr std::uint32_t kReportedLineErrors = kCeOverrun | kCeRxParity | kCeFrame;

// Write posts no further chunk while this many are in flight.
inline constexpr std::int32_t kMaxPendingChunks = 32;

}  // namespace kx14
