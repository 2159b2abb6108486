#pragma once

// Pure rules that turn the component's properties into control-block values.

#include <cstdint>
#include <optional>

#include "comm/comm_types.h"
#include "comm/dcb.h"

namespace kx14 {

// The flag word a flow-control mode replaces the whole word with; nothing for
// a value outside the enumeration.
std::optional<std::uint32_t> FlowFlagWord(TCommFlowCtrls flow);

// XonLim and XoffLim: a quarter of the receive queue, truncated toward zero,
// kept to the low 16 bits like the record's members.
std::uint16_t FlowLimit(std::int32_t bufLenReceive);

std::optional<std::uint8_t> ParityCode(TCommParityBits parity);
std::optional<std::uint8_t> StopBitsCode(TCommStopBits stop);

// One character time (ten bits) at the rate, in whole milliseconds, plus 1 ms.
// Rates below kMinBitRate make the first division zero, so they are refused
// before they get here; the function then returns nothing.
inline constexpr std::int32_t kMinBitRate = 10;
std::optional<std::int32_t> TurnDelayMs(std::int32_t bitRate);

// The time-out record handed to the port for the two time-out properties.
CommTimeouts TimeoutRecord(std::int32_t timeOutTrans, std::int32_t timeOutReceive);

// Port numbers whose device path fits the five-digit buffer of the path.
inline constexpr std::int32_t kMinPortNo = 1;
inline constexpr std::int32_t kMaxPortNo = 99999;
bool IsUsablePortNo(std::int32_t portNo);

}  // namespace kx14
