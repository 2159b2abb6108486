#pragma once

// Stop, purge and notification-delivery state of one worker, shared by
// shared_ptr with the notifications the worker has posted (which may run
// after the worker has ended). It holds no descriptor, so a notification
// still queued in the pump keeps nothing but memory alive.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "comm/message_pump.h"
#include "comm/wake_signal.h"

namespace kx14 {

class TCustomCommX;

// Lets a notification find its component on the window's thread. The
// component owns the anchor; once the component is gone the notifications
// that are still queued find it expired and do nothing.
struct CommAnchor {
  TCustomCommX* comm = nullptr;
};

// Where a worker's notifications go: the window's pump, the component, and
// the port generation they belong to (a notification of a port that has been
// closed, or closed and opened again, is dropped).
struct NotificationLink {
  TMessagePump* pump = nullptr;
  std::weak_ptr<CommAnchor> anchor;
  std::uint64_t generation = 0;
};

class WorkerSignal : public std::enable_shared_from_this<WorkerSignal> {
 public:
  // Every flag below changes under `mutex` and is announced on `changed`.
  // The worker's own wake signal (for its waits in poll) is fired by the
  // worker object alongside.
  std::mutex mutex;
  std::condition_variable changed;

  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  void SetPurging(bool on);
  bool Purging() const { return purging_.load(); }

  // Sleeps for `duration`; false as soon as the worker is terminated.
  bool SleepFor(std::chrono::milliseconds duration);

  // The notification calls below need a WorkerSignal owned by a shared_ptr.

  // Sends a notification to the window's thread and waits until it has been
  // handled, the worker is terminated, or (when `purgeCancels`) a purge has
  // started. Never waits for a window thread that is itself waiting for this
  // worker: Close terminates and PurgeTransmit purges before they wait.
  void SendNotification(const NotificationLink& link, std::uint32_t msg, std::intptr_t lParam,
                        bool purgeCancels);

  // Posts a notification without waiting; the worker then waits for its
  // delivery with AllDeliveredOrWake before it sends anything more.
  void PostNotification(const NotificationLink& link, std::uint32_t msg, std::intptr_t lParam);

  // True when every notification posted so far has been handled. Otherwise
  // `wake` fires once the last one has been (so a worker can wait for that
  // and for its port in one wait) and the result is false.
  bool AllDeliveredOrWake(WakeSignal& wake);
  // The wake signal given above is going away; delivery no longer fires it.
  void ForgetWake();

 private:
  void MarkDelivered(std::uint64_t ticket);

  std::atomic<bool> terminated_{false};
  std::atomic<bool> purging_{false};
  std::uint64_t posted_ = 0;            // under mutex
  std::uint64_t delivered_ = 0;         // under mutex
  WakeSignal* deliveryWake_ = nullptr;  // under mutex
};

// Hands one notification to the component (window's thread only).
void DeliverNotification(const NotificationLink& link, std::uint32_t msg, std::intptr_t lParam);

}  // namespace kx14
