// Opening and closing the port, starting and stopping the workers.
#include <chrono>
#include <thread>

#include "comm/comm_receive_thread.h"
#include "comm/comm_shared.h"
#include "comm/comm_trans_thread.h"
#include "comm/comm_x.h"
#include "comm/dcb_rules.h"
#include "comm/default_device.h"
#include "comm/serial_device.h"
#include "comm/worker_signal.h"

namespace kx14 {

using std::chrono::milliseconds;

namespace {
// Open lets the new workers settle before it returns; Close gives the line
// and the far end time after the purges and after the port is gone. The
// workers' safety does not rest on these pauses: they are joined.
constexpr milliseconds kStartPause{100};
constexpr milliseconds kClosePurgePause{100};
constexpr milliseconds kCloseEndPause{200};
}  // namespace

std::unique_ptr<SerialDevice> TCustomCommX::OpenDevice() const {
  try {
    if (opener_) return opener_(portNo_);
    if (!resolver_) return nullptr;  // nobody said how numbers become devices
    const auto path = resolver_(portNo_);
    if (!path) return nullptr;
    return OpenDefaultDevice(*path);
  } catch (const std::exception&) {
    return nullptr;  // a port list that cannot be read names no device
  }
}

void TCustomCommX::Open() {
  if (IsOpen()) throw ECommError(comm_msg::kAlreadyOpen);
  // Numbers beyond five digits have no device path; below 1 no COM name.
  if (!IsUsablePortNo(portNo_)) throw ECommError(comm_msg::kCannotOpen);
  std::unique_ptr<SerialDevice> device = OpenDevice();
  if (!device) throw ECommError(comm_msg::kCannotOpen);
  device_ = std::move(device);
  ++generation_;
  try {
    ConfigurePort();
    StartThreads();
  } catch (...) {
    Close();
    throw;
  }
}

// Each setting is applied as if assigned its current value, so each pushes the
// whole block by itself and a refusal names the setting that caused it. The
// block starts from the port's present settings.
void TCustomCommX::ConfigurePort() {
  shared_->ResetCounters();
  SetBufLen();
  device_->PurgeOutput();
  device_->PurgeInput();
  device_->GetState(dcb_);
  SetBitRate(bitRate_);
  SetCharSize(charSize_);
  SetParityBit(parityBit_);
  SetStopBit(stopBit_);
  SetFlowCtrl(flowCtrl_);
  SetTimeOuts();
  SetXonChar(xonChar_);
  SetXoffChar(xoffChar_);
}

void TCustomCommX::StartThreads() {
  TransThread.reset();
  ReceiveThread.reset();
  const NotificationLink link{&pump_, anchor_, generation_};
  try {
    TransThread = std::make_unique<TCommTransThread>(shared_, device_, link);
    TransThread->SetTurnDelay(TurnDelayMs(bitRate_).value_or(1));
    TransThread->Start();
  } catch (const std::exception&) {
    throw ECommError(comm_msg::kTransThread);
  }
  try {
    ReceiveThread = std::make_unique<TCommReceiveThread>(device_, link);
    ReceiveThread->Start();
  } catch (const std::exception&) {
    throw ECommError(comm_msg::kReceiveThread);
  }
  std::this_thread::sleep_for(kStartPause);
}

void TCustomCommX::Close() {
  if (!IsOpen()) return;
  SetDTR(false);
  SetRTS(false);
  PurgeTransmit();
  PurgeReceive();
  std::this_thread::sleep_for(kClosePurgePause);
  StopWorkers();
  ++generation_;
  device_.reset();  // the last owner: closes the descriptor, restores the tty
  std::this_thread::sleep_for(kCloseEndPause);
}

// Both workers are woken from whatever they wait for (the port, a chunk, a
// notification the window has not handled yet) and joined, so neither can
// touch the port after it is closed or this component after it is gone.
void TCustomCommX::StopWorkers() {
  if (TransThread) TransThread->Terminate();
  if (ReceiveThread) ReceiveThread->Terminate();
  if (TransThread) TransThread->Join();
  if (ReceiveThread) ReceiveThread->Join();
  TransThread.reset();
  ReceiveThread.reset();
}

void TCustomCommX::SetRTS(bool on) {
  if (IsOpen()) device_->SetRts(on);
}

void TCustomCommX::SetDTR(bool on) {
  if (IsOpen()) device_->SetDtr(on);
}

}  // namespace kx14
