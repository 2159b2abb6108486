#include "campaign_summary.h"

#include <cstdio>

namespace kx14::faults {

void CampaignSummary::TearDown() {
  const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
  std::printf("%s: %d passed, %d failed\n", name_.c_str(), run.successful_test_count(),
              run.failed_test_count());
  if (run.skipped_test_count() > 0) {
    std::printf("%s: %d skipped\n", name_.c_str(), run.skipped_test_count());
  }
  std::fflush(stdout);
}

}  // namespace kx14::faults
