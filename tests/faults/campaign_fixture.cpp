#include "campaign_fixture.h"

#include <optional>

#include "protocol/frames.h"

namespace kx14 {

void PrintTo(const BlockControls& c, std::ostream* out) {
  *out << "{bup5Ah " << c.bup5Ah << ", yourId " << c.yourId << ", myId " << c.myId << ", masOn "
       << c.masOn << ", otOn " << c.otOn << ", bars " << c.lastBar << ' ' << c.modeBar << ' '
       << c.uaBar << ' ' << c.lowBar << ' ' << c.hichBar << ", thr " << c.thrBar << ", yobi1 "
       << c.yobi1Bar << ", yobi2 " << c.yobi2Bar << '}';
}

}  // namespace kx14

namespace kx14::faults {

void PrintTo(const WindowState& state, std::ostream* out) {
  PrintTo(state.controls, out);
  *out << " preset " << test::PresetName(state.preset) << ", level handlers run "
       << state.levelHandlersRun;
}

void CampaignTest::SetUp() {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);  // as the window configures CommX1
  Open();
}

void CampaignTest::TearDown() { comm.Close(); }

void CampaignTest::Open(std::int32_t timeOut) {
  comm.SetPortNo(line_->Attach());
  comm.SetTimeOutReceive(timeOut);
  comm.Open();
}

WindowState CampaignTest::State() const {
  return {view.controls, view.preset, view.presetHandlersRun.size()};
}

WindowState CampaignTest::AfterReadingDeviceBlock() {
  BlockControls controls = DecodeBlock(kDeviceBlock);
  controls.thrBar = 15;  // OT_MAX 13 selects Handy6, whose handler sets 15
  return {controls, THandicapPreset::Handy6, 1};
}

BlockBytes CampaignTest::LastBlockSent() const {
  const std::optional<BlockBytes> block = ParseProgramCommand(view.commandsSent.back());
  return block.value_or(BlockBytes{});
}

}  // namespace kx14::faults
