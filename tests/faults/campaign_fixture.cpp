#include "campaign_fixture.h"

#include <optional>

#include "ports/com_ports.h"
#include "protocol/frames.h"

namespace kx14 {

void PrintTo(const BlockControls& c, std::ostream* out) {
  *out << "{bup5Ah " << c.bup5Ah << ", yourId " << c.yourId << ", myId " << c.myId << ", masterF "
       << c.masterF << ", overtake " << c.overtake << ", bars " << c.lastCh << ' ' << c.mode << ' '
       << c.lowCh << ' ' << c.highCh << ' ' << c.stAdj << ", thr " << c.otMax << ", yobi1 "
       << c.otTime << ", yobi2 " << c.maxPwr << '}';
}

}  // namespace kx14

namespace kx14::faults {

void PrintTo(const WindowState& state, std::ostream* out) {
  PrintTo(state.controls, out);
  *out << " preset " << testing::PresetName(state.preset) << ", level handlers run "
       << state.levelHandlersRun;
}

void CampaignTest::SetUp() {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);  // as the window configures CommX1
  Open();
}

void CampaignTest::TearDown() { comm.Close(); }

void CampaignTest::Open(std::int32_t timeOut) {
  comm.SetPortResolver(ResolveMachinePort);
  comm.SetPortNo(line_->Attach());
  comm.SetTimeOutReceive(timeOut);
  comm.Open();
}

WindowState CampaignTest::State() const {
  return {view.ReadControls(), view.Preset(), view.presetHandlersRun.size()};
}

WindowState CampaignTest::AfterReadingDeviceBlock() {
  BlockControls controls = DecodeBlock(kDeviceBlock);
  controls.otMax = 15;  // OT_MAX 13 selects Handy6, whose handler sets 15
  return {controls, THandicapPreset::Handy6, 1};
}

BlockBytes CampaignTest::LastBlockSent() const {
  const std::optional<BlockBytes> block = ParseProgramCommand(view.commandsSent.back());
  return block.value_or(BlockBytes{});
}

}  // namespace kx14::faults
