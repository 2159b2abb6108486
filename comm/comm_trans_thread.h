#pragma once

// The transmit worker: takes chunks from its queue and writes them to the
// port one after another; in the half-duplex modes it drives RTS around each
// burst (the chunks it takes without the queue running empty in between).

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

#include "comm/comm_shared.h"
#include "comm/serial_device.h"
#include "comm/wake_signal.h"
#include "comm/worker_signal.h"

namespace kx14 {

class TCommTransThread {
 public:
  using Chunk = std::vector<std::uint8_t>;

  TCommTransThread(std::shared_ptr<CommShared> comm, std::shared_ptr<SerialDevice> port,
                   NotificationLink window);
  ~TCommTransThread();  // terminates and joins a worker that still runs
  TCommTransThread(const TCommTransThread&) = delete;
  TCommTransThread& operator=(const TCommTransThread&) = delete;

  // Starts the thread. The queue takes chunks from construction on, so no
  // chunk can be posted before the worker is ready for it. Throws
  // std::system_error when no thread can be created.
  void Start();

  // Queues a chunk. False (and the chunk is dropped) once the worker has been
  // terminated; the caller then takes its counts back.
  bool Post(Chunk chunk);

  // Writes a chunk straight to the driver on the caller's thread when that
  // cannot change the order or the timing of anything: the worker is idle
  // (nothing queued, no burst under way), no purge runs, and the line is full
  // duplex (the half-duplex modes need the worker to drive RTS). Never
  // blocks. Returns how many leading bytes the driver took; the caller posts
  // the rest as a chunk. Skipping the hand-off saves a thread wake-up, which
  // dominates the latency of a short command.
  std::size_t WriteNowIfIdle(const std::uint8_t* data, std::size_t count);

  // Marks the worker terminated and wakes it from any wait; Join then returns
  // promptly. Chunks still queued are dropped and released.
  void Terminate();
  void Join();

  // While set, the worker drops chunks instead of writing them, aborts the
  // write in progress, and stops waiting for a notification to be handled.
  void SetPurging(bool on);
  bool Purging() const { return signal_->Purging(); }

  void SetTurnDelay(std::int32_t ms) { turnDelay_ = ms; }
  std::int32_t TurnDelay() const { return turnDelay_.load(); }

 private:
  void Run();
  bool WaitForChunks();
  bool TakeChunk(Chunk& chunk);
  void SetIdle();
  void WriteChunk(const Chunk& chunk);
  bool StopWriting() const;
  void ReportLineErrors();
  void BeginTrans();
  void EndTrans();
  void WaitUntilSent();
  void DropQueued();

  const std::shared_ptr<CommShared> comm_;
  const std::shared_ptr<SerialDevice> port_;
  const NotificationLink window_;
  const std::shared_ptr<WorkerSignal> signal_;
  WakeSignal wake_;          // ends a wait for output room (purge, stop)
  std::deque<Chunk> queue_;  // under signal_->mutex
  bool busy_ = false;        // under signal_->mutex: a burst is under way
  std::atomic<std::int32_t> turnDelay_{0};
  std::thread thread_;
};

}  // namespace kx14
