#include "protocol/device_operations.h"

#include <optional>

#include "protocol/frames.h"
#include "protocol/information_texts.h"

namespace kx14 {

// Marks an operation as running for its whole extent, also when a handler
// that runs inside it throws (the window's error box then shows the
// exception, and the buttons must work again afterwards).
class TDeviceOperations::BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

namespace {

// The read command's exchange; the block only for a complete reply whose
// checksum matches.
std::optional<BlockBytes> FetchBlock(TDeviceView& view) {
  ByteString command = ReadCommandFrame();
  ByteString reply;
  view.SendReceive(command, kReadReplyLength, reply);
  return ParseReadReply(reply);
}

void ApplyIdentity(TDeviceView& view, const BlockControls& device) {
  view.SelectBup(device.bup5Ah);
  view.SetYourId(device.yourId);
  view.SetMyId(device.myId);
}

void ApplyChannelBars(TDeviceView& view, const BlockControls& device) {
  view.SetBarPosition(TByteField::LASTCH, device.lastCh);
  view.SetBarPosition(TByteField::MODE, device.mode);
  view.SetBarPosition(TByteField::LOW_CH, device.lowCh);
  view.SetBarPosition(TByteField::HIGH_CH, device.highCh);
  view.SetBarPosition(TByteField::ST_ADJ, device.stAdj);
}

void ApplyWholeBlock(TDeviceView& view, const BlockControls& device) {
  ApplyIdentity(view, device);
  view.SelectMasterF(device.masterF);
  view.SelectOvertake(device.overtake);
  ApplyChannelBars(view, device);
  view.SetBarPosition(TByteField::OT_MAX, device.otMax);
  view.SetBarPosition(TByteField::OT_TIME, device.otTime);
  view.SetBarPosition(TByteField::MAXPWR, device.maxPwr);
}

// Values that every program operation stores, whatever the window held:
// overtaking on, an overtake time of 3 s and a maximum power of 74 %.
constexpr int kProgramOtTime = 3;
constexpr int kProgramMaxPwrPosition = 74;

void ForceProgramValues(TDeviceView& view) {
  view.SelectOvertake(true);
  view.SetBarPosition(TByteField::OT_TIME, kProgramOtTime);
  view.SetBarPosition(TByteField::MAXPWR, kProgramMaxPwrPosition);
}

}  // namespace

TDeviceOperations::TDeviceOperations(TDeviceView& view) : view_(view) {}

TOperationOutcome TDeviceOperations::Read() {
  if (busy_) return TOperationOutcome::ooIgnored;
  BusyScope scope(busy_);
  return RunRead();
}

TOperationOutcome TDeviceOperations::Program() {
  if (busy_) return TOperationOutcome::ooIgnored;
  BusyScope scope(busy_);
  return RunProgram();
}

TOperationOutcome TDeviceOperations::RunRead() {
  view_.ProcessMessages();
  const std::optional<BlockBytes> block = FetchBlock(view_);
  if (!block) {
    view_.ShowInformation(info_text::kReadFailed);
    return TOperationOutcome::ooReadFailed;
  }
  ApplyWholeBlock(view_, DecodeBlock(*block));
  view_.ShowInformation(info_text::kReadSucceeded);
  // OT_MAX as it stands now, after its own limiting and its handler.
  view_.SelectHandicap(HandicapForOvertakeCount(view_.ReadControls().otMax));
  return TOperationOutcome::ooReadSucceeded;
}

TOperationOutcome TDeviceOperations::RunProgram() {
  view_.ProcessMessages();
  if (const std::optional<BlockBytes> block = FetchBlock(view_)) {
    const BlockControls device = DecodeBlock(*block);
    ApplyIdentity(view_, device);
    ApplyChannelBars(view_, device);
    view_.ShowInformation(info_text::kReadSucceeded);
  } else {
    view_.ShowInformation(info_text::kReadFailed);
  }
  ForceProgramValues(view_);

  // Built from the controls as they stand after the sets above: their
  // handlers may have changed more than the values set.
  ByteString command = ProgramCommandFrame(EncodeBlock(view_.ReadControls()));
  ByteString reply;
  view_.SendReceive(command, kProgramReplyLength, reply);
  if (IsProgramAccepted(reply)) {
    view_.ShowInformation(info_text::kProgramSucceeded);
    return TOperationOutcome::ooProgramSucceeded;
  }
  view_.ShowInformation(info_text::kProgramFailed);
  return TOperationOutcome::ooProgramFailed;
}

}  // namespace kx14
