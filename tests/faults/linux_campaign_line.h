#pragma once

// The campaign's line on Linux: the simulator's frame handler on a pty in this
// process (testing::InProcessDevice), registered as COM41 in a private ports
// directory. Scenarios that need the in-process device's hooks (hang-ups,
// injected bytes, held replies) use PtyCampaignTest, which shows the line's
// concrete parts.

#include "campaign_fixture.h"
#include "config_home.h"
#include "in_process_device.h"

namespace kx14::faults {

inline constexpr int kCampaignPort = 41;

// The line is also the campaign's far end: it hands the scenarios' settings
// to the in-process device, as the Windows line hands them to the simulator
// program.
class PtyCampaignLine final : public CampaignLine, public FarEnd {
 public:
  explicit PtyCampaignLine(const BlockBytes& block) : device(block) {}
  FarEnd& Device() override { return *this; }
  std::int32_t Attach() override;

  BlockBytes Block() const override { return device.Block(); }
  void SetBlock(const BlockBytes& block) override { device.SetBlock(block); }
  void SetBehaviour(const devsim::Behaviour& behaviour) override { device.SetBehaviour(behaviour); }
  void SetFaults(const devsim::Faults& faults) override { device.SetFaults(faults); }
  void SetDelay(std::chrono::milliseconds delay) override { device.SetDelay(delay); }

  ConfigHome home;
  testing::InProcessDevice device;
};

class PtyCampaignTest : public CampaignTest {
 protected:
  PtyCampaignTest() : CampaignTest(std::make_unique<PtyCampaignLine>(kDeviceBlock)) {}

  PtyCampaignLine& pty = static_cast<PtyCampaignLine&>(*line_);
  // The same device as the base's `device`, with its hooks.
  testing::InProcessDevice& device = pty.device;
  ConfigHome& home = pty.home;
};

}  // namespace kx14::faults
