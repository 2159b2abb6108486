#include "comm/worker_signal.h"

#include <algorithm>

namespace kx14 {

void WorkerSignal::Terminate() {
  {
    std::lock_guard lock(mutex);
    terminated_ = true;
  }
  changed.notify_all();
}

void WorkerSignal::SetPurging(bool on) {
  {
    std::lock_guard lock(mutex);
    purging_ = on;
  }
  changed.notify_all();
}

bool WorkerSignal::SleepFor(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex);
  return !changed.wait_for(lock, duration, [this] { return terminated_.load(); });
}

void WorkerSignal::MarkDelivered(std::uint64_t ticket) {
  {
    std::lock_guard lock(mutex);
    delivered_ = std::max(delivered_, ticket);
    if (deliveryWake_ != nullptr && delivered_ >= posted_) {
      deliveryWake_->Signal();
      deliveryWake_ = nullptr;
    }
  }
  changed.notify_all();
}

bool WorkerSignal::AllDeliveredOrWake(WakeSignal& wake) {
  std::lock_guard lock(mutex);
  if (delivered_ >= posted_) return true;
  deliveryWake_ = &wake;
  return false;
}

void WorkerSignal::ForgetWake() {
  std::lock_guard lock(mutex);
  deliveryWake_ = nullptr;
}

void WorkerSignal::PostNotification(const NotificationLink& link, std::uint32_t msg,
                                    std::intptr_t lParam) {
  std::uint64_t ticket;
  {
    std::lock_guard lock(mutex);
    ticket = ++posted_;
  }
  // The task keeps this signal alive by itself: it may run after the worker
  // has ended (or never, if the pump is destroyed first).
  link.pump->Post([link, msg, lParam, ticket, signal = shared_from_this()]() {
    // Marked delivered even when a handler throws, so the worker goes on.
    struct MarkOnExit {
      WorkerSignal& s;
      std::uint64_t t;
      ~MarkOnExit() { s.MarkDelivered(t); }
    } mark{*signal, ticket};
    DeliverNotification(link, msg, lParam);
  });
}

void WorkerSignal::SendNotification(const NotificationLink& link, std::uint32_t msg,
                                    std::intptr_t lParam, bool purgeCancels) {
  PostNotification(link, msg, lParam);
  std::unique_lock lock(mutex);
  const std::uint64_t ticket = posted_;
  changed.wait(lock, [&] {
    return delivered_ >= ticket || terminated_.load() || (purgeCancels && purging_.load());
  });
}

}  // namespace kx14
