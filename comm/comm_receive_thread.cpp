#include "comm/comm_receive_thread.h"

#include "comm/comm_messages.h"

namespace kx14 {

TCommReceiveThread::TCommReceiveThread(std::shared_ptr<SerialDevice> port, NotificationLink window)
    : port_(std::move(port)),
      window_(std::move(window)),
      signal_(std::make_shared<WorkerSignal>()) {}

TCommReceiveThread::~TCommReceiveThread() {
  Terminate();
  Join();
}

void TCommReceiveThread::Start() {
  thread_ = std::thread([this] { Run(); });
}

void TCommReceiveThread::Terminate() {
  signal_->Terminate();
  WakeEvent.Signal();
}

void TCommReceiveThread::Join() {
  if (thread_.joinable()) thread_.join();
}

void TCommReceiveThread::Run() {
  while (!signal_->Terminated()) {
    const PortWake wake = port_->WaitForEvent(WakeEvent);
    if (signal_->Terminated()) break;
    Report(wake);
  }
}

// The driver's error and break counters are read on every wake-up, so an
// error that came with the characters is reported before them.
void TCommReceiveThread::Report(const PortWake& wake) {
  const LineEvents events = port_->TakeLineEvents();
  const std::uint32_t errors = events.errorBits & kReportedLineErrors;
  if (errors != 0) {
    signal_->SendNotification(window_, WM_COMMERROR, static_cast<std::intptr_t>(errors), false);
  }
  if (events.breaks != 0 && !signal_->Terminated()) {
    const std::uint32_t mask = kEvBreak | (wake.received ? kEvRxChar : 0);
    signal_->SendNotification(window_, WM_COMMBREAK, static_cast<std::intptr_t>(mask), false);
  }
  if (wake.received && !signal_->Terminated()) {
    signal_->SendNotification(window_, WM_COMMRECEIVE, 0, false);
  }
}

}  // namespace kx14
