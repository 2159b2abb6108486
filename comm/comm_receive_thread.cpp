#include "comm/comm_receive_thread.h"

#include "comm/comm_messages.h"

namespace kx14 {

TCommReceiveThread::TCommReceiveThread(std::shared_ptr<SerialDevice> port, NotificationLink window)
    : port_(std::move(port)),
      window_(std::move(window)),
      signal_(std::make_shared<WorkerSignal>()) {
  // Here, not in the worker's first wait: a failure thrown inside the
  // worker's thread would end the process instead of failing the open.
  port_->PrepareEventWait(WakeEvent);
}

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
  signal_->ForgetWake();  // notifications still queued must not fire it
}

// The worker never runs ahead of the window thread: it sends nothing new
// until its last notifications have been handled. It waits for that in the
// same wait as for the port (delivery fires WakeEvent), so a handled
// notification costs no extra wake-up, and an arrival meanwhile is kept and
// reported right after.
void TCommReceiveThread::Run() {
  PortWake unreported;
  while (!signal_->Terminated()) {
    const PortWake wake = port_->WaitForEvent(WakeEvent);
    if (signal_->Terminated()) break;
    unreported.received = unreported.received || wake.received;
    if (!signal_->AllDeliveredOrWake(WakeEvent)) continue;
    Report(unreported);
    unreported = PortWake{};
  }
}

// The driver's error and break counters are read on every report, so an
// error that came with the characters is reported before them; the window
// thread handles the notifications in the order they are posted.
void TCommReceiveThread::Report(const PortWake& wake) {
  const LineEvents events = port_->TakeLineEvents();
  const std::uint32_t errors = events.errorBits & kReportedLineErrors;
  if (errors != 0) {
    signal_->PostNotification(window_, WM_COMMERROR, static_cast<std::intptr_t>(errors));
  }
  if (events.breaks != 0) {
    const std::uint32_t mask = kEvBreak | (wake.received ? kEvRxChar : 0);
    signal_->PostNotification(window_, WM_COMMBREAK, static_cast<std::intptr_t>(mask));
  }
  if (wake.received) signal_->PostNotification(window_, WM_COMMRECEIVE, 0);
}

}  // namespace kx14
