#pragma once

#include <cstdint>
#include <functional>

namespace kx14 {

class TCustomCommX;

enum class TCommParityBits : std::uint8_t { cpbNone, cpbOdd, cpbEven };
enum class TCommStopBits : std::uint8_t { csb1, csb1p5, csb2 };
enum class TCommFlowCtrls : std::uint8_t {
  cfcRtsCts,
  cfcDtrDsr,
  cfcXonXoff,
  cfcHalfHigh,
  cfcHalfLow,
  cfcNone
};

// Component events. They run on the window's thread only.
using TCommReceiveEvent = std::function<void(TCustomCommX& Sender, std::int32_t ReceiveSize)>;
using TCommBreakEvent = std::function<void(TCustomCommX& Sender)>;
using TCommErrEvent = std::function<void(TCustomCommX& Sender, std::int32_t ErrorState)>;

}  // namespace kx14
