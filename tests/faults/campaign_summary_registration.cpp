// The fault campaign's figures, printed once all its tests have run.
#include "campaign_summary.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kSummary =
    ::testing::AddGlobalTestEnvironment(new kx14::faults::CampaignSummary("faults"));

}  // namespace
