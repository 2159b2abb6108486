#include "comm/dcb_rules.h"

namespace kx14 {

std::optional<std::uint32_t> FlowFlagWord(TCommFlowCtrls flow) {
  switch (flow) {
    case TCommFlowCtrls::cfcRtsCts:
      return 0x2017;
    case TCommFlowCtrls::cfcDtrDsr:
      return 0x102B;
    case TCommFlowCtrls::cfcXonXoff:
      return 0x1313;
    case TCommFlowCtrls::cfcHalfHigh:
      return 0x0013;
    case TCommFlowCtrls::cfcHalfLow:
    case TCommFlowCtrls::cfcNone:
      return 0x1013;
  }
  return std::nullopt;
}

std::uint16_t FlowLimit(std::int32_t bufLenReceive) {
  return static_cast<std::uint16_t>(bufLenReceive / 4);
}

std::optional<std::uint8_t> ParityCode(TCommParityBits parity) {
  switch (parity) {
    case TCommParityBits::cpbNone:
      return 0;
    case TCommParityBits::cpbOdd:
      return 1;
    case TCommParityBits::cpbEven:
      return 2;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> StopBitsCode(TCommStopBits stop) {
  switch (stop) {
    case TCommStopBits::csb1:
      return 0;
    case TCommStopBits::csb1p5:
      return 1;
    case TCommStopBits::csb2:
      return 2;
  }
  return std::nullopt;
}

std::optional<std::int32_t> TurnDelayMs(std::int32_t bitRate) {
  if (bitRate < kMinBitRate) return std::nullopt;
  return 1000 / (bitRate / 10) + 1;
}

CommTimeouts TimeoutRecord(std::int32_t timeOutTrans, std::int32_t timeOutReceive) {
  CommTimeouts t;
  t.ReadIntervalTimeout = kMaxDword;
  t.ReadTotalTimeoutMultiplier = 0;
  t.ReadTotalTimeoutConstant = static_cast<std::uint32_t>(timeOutReceive);
  t.WriteTotalTimeoutMultiplier = 0;
  t.WriteTotalTimeoutConstant = static_cast<std::uint32_t>(timeOutTrans);
  return t;
}

bool IsUsablePortNo(std::int32_t portNo) { return portNo >= kMinPortNo && portNo <= kMaxPortNo; }

}  // namespace kx14
