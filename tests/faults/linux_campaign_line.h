#pragma once

// The campaign's line on Linux: the simulator's frame handler on a pty in this
// process, registered as COM41 in a private ports directory. Scenarios that
// need the in-process device's hooks (hang-ups, injected bytes, held replies)
// use PtyCampaignTest, which shows the line's concrete parts.

#include "campaign_fixture.h"
#include "config_home.h"
#include "simulated_device.h"

namespace kx14::faults {

inline constexpr int kCampaignPort = 41;

class PtyCampaignLine final : public CampaignLine {
 public:
  explicit PtyCampaignLine(const BlockBytes& block) : device(block) {}
  FarEnd& Device() override { return device; }
  std::int32_t Attach() override;

  ConfigHome home;
  SimulatedDevice device;
};

class PtyCampaignTest : public CampaignTest {
 protected:
  PtyCampaignTest() : CampaignTest(std::make_unique<PtyCampaignLine>(kDeviceBlock)) {}

  PtyCampaignLine& pty = static_cast<PtyCampaignLine&>(*line_);
  // The same device as the base's `device`, with its hooks.
  SimulatedDevice& device = pty.device;
  ConfigHome& home = pty.home;
};

}  // namespace kx14::faults
