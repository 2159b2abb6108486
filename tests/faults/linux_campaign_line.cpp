#include "linux_campaign_line.h"

namespace kx14::faults {

std::int32_t PtyCampaignLine::Attach() {
  home.Link(kCampaignPort, device.SlavePath());
  return kCampaignPort;
}

std::unique_ptr<CampaignLine> MakeCampaignLine(const BlockBytes& block) {
  return std::make_unique<PtyCampaignLine>(block);
}

}  // namespace kx14::faults
