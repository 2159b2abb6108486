#pragma once

// The device at the far end of the campaign's line, as the scenarios that run
// on every platform drive it: its block and how it misbehaves. In process on a
// pty on Linux (linux_campaign_line.h, over testing::InProcessDevice); the
// simulator program on Windows, driven through its control pipe and read back
// from its frame log (tests/windows/win32_campaign_line.cpp).

#include <chrono>
#include <cstdint>
#include <memory>

#include "protocol/parameter_block.h"
#include "tools/devsim/behaviour.h"

namespace kx14::faults {

class FarEnd {
 public:
  virtual ~FarEnd() = default;
  // The block the device holds now: every block it stored from a program
  // frame that reached it before the host saw the frame's answer.
  virtual BlockBytes Block() const = 0;
  virtual void SetBlock(const BlockBytes& block) = 0;
  virtual void SetBehaviour(const devsim::Behaviour& behaviour) = 0;
  virtual void SetFaults(const devsim::Faults& faults) = 0;
  virtual void SetDelay(std::chrono::milliseconds delay) = 0;
};

// The far end and the COM port through which the component reaches it.
class CampaignLine {
 public:
  virtual ~CampaignLine() = default;
  virtual FarEnd& Device() = 0;
  // Makes the device reachable as a COM port (again, where a scenario took
  // it away) and returns its number.
  virtual std::int32_t Attach() = 0;
};

// The platform's line, with the device holding `block` and behaving normally.
std::unique_ptr<CampaignLine> MakeCampaignLine(const BlockBytes& block);

}  // namespace kx14::faults
