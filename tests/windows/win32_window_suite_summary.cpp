// The shared window suites' figures on the Win32 window, printed once all
// have run ("window suite (win32): N passed, N failed"), to set beside the
// Qt window's line.
#include "campaign_summary.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kSummary =
    ::testing::AddGlobalTestEnvironment(new kx14::faults::CampaignSummary("window suite (win32)"));

}  // namespace
