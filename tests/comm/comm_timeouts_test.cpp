// How the time-out record bounds reads and writes, as a table.
#include "comm/comm_timeouts.h"

#include <gtest/gtest.h>

namespace kx14 {
namespace {

using std::chrono::milliseconds;

struct ReadRow {
  const char* name;
  CommTimeouts record;
  std::uint32_t count;
  ReadPlan plan;
};

class PlanReadTable : public ::testing::TestWithParam<ReadRow> {};

TEST_P(PlanReadTable, Plans) {
  EXPECT_EQ(PlanRead(GetParam().record, GetParam().count), GetParam().plan);
}

INSTANTIATE_TEST_SUITE_P(
    Records, PlanReadTable,
    ::testing::Values(
        // The component's own record: complete, or what came after the constant.
        ReadRow{"ComponentRecord",
                {kMaxDword, 0, 3000, 0, 3000},
                18,
                {false, false, milliseconds(3000), std::nullopt}},
        ReadRow{
            "ReturnAtOnce", {kMaxDword, 0, 0, 0, 0}, 18, {true, false, std::nullopt, std::nullopt}},
        ReadRow{"FirstBytes",
                {kMaxDword, kMaxDword, 500, 0, 0},
                18,
                {false, true, milliseconds(500), std::nullopt}},
        ReadRow{"NoTimeOut", {0, 0, 0, 0, 0}, 18, {false, false, std::nullopt, std::nullopt}},
        ReadRow{"PerByteAndInterval",
                {20, 10, 100, 0, 0},
                5,
                {false, false, milliseconds(150), milliseconds(20)}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PlanWrite, IsMultiplierTimesCountPlusConstant) {
  EXPECT_EQ(PlanWrite({kMaxDword, 0, 3000, 0, 2500}, 2048), milliseconds(2500));
  EXPECT_EQ(PlanWrite({0, 0, 0, 2, 10}, 5), milliseconds(20));
  EXPECT_EQ(PlanWrite({0, 0, 0, 0, 0}, 5), std::nullopt);
  // A negative property value is a huge unsigned time, not an instant failure.
  EXPECT_EQ(PlanWrite({0, 0, 0, 0, kMaxDword}, 1), milliseconds(kMaxDword));
}

}  // namespace
}  // namespace kx14
