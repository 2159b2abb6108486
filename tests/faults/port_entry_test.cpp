// The port's entry vanishes from the ports directory while the port is open
// (the simulator ended elsewhere, a user tidied the directory): the open port
// is a descriptor, not a name, so it keeps working until it is closed; a new
// opening looks the name up again and fails.

#include <gtest/gtest.h>

#include <string>

#include "comm/comm_error.h"
#include "linux_campaign_line.h"

namespace kx14::faults {
namespace {

namespace text = info_text;

enum class Vanishes { kDuringAnOperation, kBetweenOperations };

class PortEntryVanishes : public PtyCampaignTest, public ::testing::WithParamInterface<Vanishes> {};

TEST_P(PortEntryVanishes, OpenPortWorksUntilClosedThenCannotReopen) {
  if (GetParam() == Vanishes::kDuringAnOperation) {
    device.SetCommandHook([&](const ByteString&) { home.Unlink(kCampaignPort); });
  } else {
    home.Unlink(kCampaignPort);
  }
  ops.Program();
  device.SetCommandHook(nullptr);
  ASSERT_FALSE(home.HasEntry(kCampaignPort));
  EXPECT_EQ(view.informationShown,
            (Texts{std::string(text::kReadSucceeded), std::string(text::kProgramSucceeded)}));
  EXPECT_EQ(device.Block(), LastBlockSent());

  view.informationShown.clear();
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{std::string(text::kReadSucceeded)});

  comm.Close();
  try {
    comm.Open();
    ADD_FAILURE() << "a port without its entry opened";
  } catch (const ECommError& error) {
    EXPECT_STREQ(error.what(), comm_msg::kCannotOpen);
  }
  EXPECT_FALSE(comm.IsOpen());

  // Its return makes the port usable again.
  home.Link(kCampaignPort, device.SlavePath());
  comm.Open();
  view.informationShown.clear();
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{std::string(text::kReadSucceeded)});
}

INSTANTIATE_TEST_SUITE_P(Campaign, PortEntryVanishes,
                         ::testing::Values(Vanishes::kDuringAnOperation,
                                           Vanishes::kBetweenOperations),
                         [](const ::testing::TestParamInfo<Vanishes>& param) {
                           return param.param == Vanishes::kDuringAnOperation
                                      ? std::string("DuringAnOperation")
                                      : std::string("BetweenOperations");
                         });

}  // namespace
}  // namespace kx14::faults
