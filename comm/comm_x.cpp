// Construction, destruction and the properties of the component.
#include "comm/comm_x.h"

#include "comm/comm_receive_thread.h"
#include "comm/comm_shared.h"
#include "comm/comm_trans_thread.h"
#include "comm/dcb_rules.h"
#include "comm/serial_device.h"
#include "comm/worker_signal.h"

namespace kx14 {

TCustomCommX::TCustomCommX(TMessagePump& pump)
    : pump_(pump),
      anchor_(std::make_shared<CommAnchor>(CommAnchor{this})),
      shared_(std::make_shared<CommShared>()) {
  shared_->flowCtrl = flowCtrl_;
}

TCustomCommX::~TCustomCommX() {
  Close();
  // Notifications still queued in the pump find the anchor expired.
  anchor_.reset();
}

void TCustomCommX::SetPortResolver(PortResolver resolver) { resolver_ = std::move(resolver); }
void TCustomCommX::SetDeviceOpener(DeviceOpener opener) { opener_ = std::move(opener); }

bool TCustomCommX::IsOpen() const { return device_ != nullptr; }

std::uint32_t TCustomCommX::Handle() const {
  return device_ ? static_cast<std::uint32_t>(device_->NativeHandle()) : kInvalidHandle;
}

std::int32_t TCustomCommX::PendingBytes() const { return shared_->PendingBytesNow(); }
std::int32_t TCustomCommX::PendingChunks() const { return shared_->PendingChunksNow(); }
std::int32_t TCustomCommX::TurnDelay() const { return TransThread ? TransThread->TurnDelay() : 0; }
bool TCustomCommX::TransmitPurging() const { return TransThread && TransThread->Purging(); }

// The working copy keeps a refused value: the next push sends it again.
void TCustomCommX::PushDcb(const char* refusalMessage) {
  if (!device_->SetState(dcb_)) throw ECommError(refusalMessage);
}

std::int32_t TCustomCommX::PortNo() const { return portNo_; }
void TCustomCommX::SetPortNo(std::int32_t value) {
  portNo_ = value;
  if (!IsOpen()) return;
  Close();
  Open();
}

std::int32_t TCustomCommX::BitRate() const { return bitRate_; }
void TCustomCommX::SetBitRate(std::int32_t value) {
  if (value < kMinBitRate) throw ECommError(comm_msg::kBitRate);
  bitRate_ = value;
  if (!IsOpen()) return;
  dcb_.BaudRate = static_cast<std::uint32_t>(value);
  PushDcb(comm_msg::kBitRate);
  if (TransThread) TransThread->SetTurnDelay(*TurnDelayMs(value));
}

std::int32_t TCustomCommX::CharSize() const { return charSize_; }
void TCustomCommX::SetCharSize(std::int32_t value) {
  charSize_ = value;
  if (!IsOpen()) return;
  dcb_.ByteSize = static_cast<std::uint8_t>(value & 0xFF);
  PushDcb(comm_msg::kCharSize);
}

TCommParityBits TCustomCommX::ParityBit() const { return parityBit_; }
void TCustomCommX::SetParityBit(TCommParityBits value) {
  parityBit_ = value;
  const auto code = ParityCode(value);
  if (!IsOpen() || !code) return;
  dcb_.Parity = *code;
  PushDcb(comm_msg::kParity);
}

TCommStopBits TCustomCommX::StopBit() const { return stopBit_; }
void TCustomCommX::SetStopBit(TCommStopBits value) {
  stopBit_ = value;
  const auto code = StopBitsCode(value);
  if (!IsOpen() || !code) return;
  dcb_.StopBits = *code;
  PushDcb(comm_msg::kStopBit);
}

TCommFlowCtrls TCustomCommX::FlowCtrl() const { return flowCtrl_; }
void TCustomCommX::SetFlowCtrl(TCommFlowCtrls value) {
  flowCtrl_ = value;
  shared_->flowCtrl = value;
  const auto flags = FlowFlagWord(value);
  if (!IsOpen() || !flags) return;
  dcb_.Flags = *flags;
  dcb_.XonLim = FlowLimit(bufLenReceive_);
  dcb_.XoffLim = FlowLimit(bufLenReceive_);
  PushDcb(comm_msg::kFlowCtrl);
}

std::int32_t TCustomCommX::TimeOutTrans() const { return timeOutTrans_; }
void TCustomCommX::SetTimeOutTrans(std::int32_t value) {
  timeOutTrans_ = value;
  SetTimeOuts();
}

std::int32_t TCustomCommX::TimeOutReceive() const { return timeOutReceive_; }
void TCustomCommX::SetTimeOutReceive(std::int32_t value) {
  timeOutReceive_ = value;
  SetTimeOuts();
}

char TCustomCommX::XonChar() const { return xonChar_; }
void TCustomCommX::SetXonChar(char value) {
  xonChar_ = value;
  if (!IsOpen()) return;
  dcb_.XonChar = value;
  PushDcb(comm_msg::kXonChar);
}

char TCustomCommX::XoffChar() const { return xoffChar_; }
void TCustomCommX::SetXoffChar(char value) {
  xoffChar_ = value;
  if (!IsOpen()) return;
  dcb_.XoffChar = value;
  PushDcb(comm_msg::kXoffChar);
}

std::int32_t TCustomCommX::BufLenTrans() const { return bufLenTrans_; }
void TCustomCommX::SetBufLenTrans(std::int32_t value) {
  if (value <= 0) throw ECommError(comm_msg::kBufLen);
  bufLenTrans_ = value;
  SetBufLen();
}

std::int32_t TCustomCommX::BufLenReceive() const { return bufLenReceive_; }
void TCustomCommX::SetBufLenReceive(std::int32_t value) {
  bufLenReceive_ = value;
  SetBufLen();
  SetFlowCtrl(flowCtrl_);  // the flow-control limits follow the queue size
}

void TCustomCommX::SetTimeOuts() {
  if (!IsOpen()) return;
  if (!device_->SetTimeouts(TimeoutRecord(timeOutTrans_, timeOutReceive_))) {
    throw ECommError(comm_msg::kTimeOuts);
  }
}

void TCustomCommX::SetBufLen() {
  if (!IsOpen()) return;
  if (!device_->SetQueueSizes(bufLenReceive_, bufLenTrans_)) throw ECommError(comm_msg::kBufLen);
}

}  // namespace kx14
