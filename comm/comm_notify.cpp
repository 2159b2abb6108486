// The notification window: what the workers report runs here, on the
// window's thread.
#include "comm/comm_messages.h"
#include "comm/comm_x.h"
#include "comm/worker_signal.h"

namespace kx14 {

void DeliverToComponent(TCustomCommX& comm, std::uint64_t generation, std::uint32_t msg,
                        std::intptr_t lParam) {
  // A notification of a port that has been closed since is dropped.
  if (comm.generation_ != generation || !comm.IsOpen()) return;
  comm.CommWndProc(msg, 0, lParam);
}

void DeliverNotification(const NotificationLink& link, std::uint32_t msg, std::intptr_t lParam) {
  if (const auto anchor = link.anchor.lock()) {
    DeliverToComponent(*anchor->comm, link.generation, msg, lParam);
  }
}

std::intptr_t TCustomCommX::CommWndProc(std::uint32_t msg, std::uintptr_t /*wParam*/,
                                        std::intptr_t lParam) {
  switch (msg) {
    case WM_COMMRECEIVE:
      DoReceive();
      return 0;
    case WM_COMMBREAK:
      DoBreak();
      return 0;
    case WM_COMMERROR:
      DoError(static_cast<std::int32_t>(lParam));
      return 0;
    default:
      return 0;
  }
}

void TCustomCommX::DoReceive() {
  if (!IsOpen() || !OnReceive) return;
  const std::int32_t n = ReceiveCount();
  if (n != 0) OnReceive(*this, n);
}

void TCustomCommX::DoBreak() {
  if (IsOpen() && OnBreak) OnBreak(*this);
}

void TCustomCommX::DoError(std::int32_t errorState) {
  if (IsOpen() && OnError) OnError(*this, errorState);
}

}  // namespace kx14
