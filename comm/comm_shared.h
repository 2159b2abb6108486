#pragma once

// State the component shares with its transmit worker. Held by shared_ptr on
// both sides, so a worker that is still finishing never touches freed memory.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "comm/comm_messages.h"
#include "comm/comm_types.h"
#include "comm/wake_signal.h"

namespace kx14 {

struct CommShared {
  // Held around each write the transmit worker starts and each output purge,
  // so a purge never lands in the middle of starting a write.
  std::mutex PortLock;

  // Guards PendingBytes and PendingChunks. Never held together with PortLock.
  std::mutex CountLock;
  std::condition_variable countChanged;  // waited on with CountLock
  std::int32_t PendingBytes = 0;
  std::int32_t PendingChunks = 0;

  // Read by the transmit worker around each burst.
  std::atomic<TCommFlowCtrls> flowCtrl{TCommFlowCtrls::cfcRtsCts};

  // Fired when the worker lets go of a chunk and the free room has reached
  // what a Write held at the chunk limit asked for: that Write waits on it
  // with window messages running instead of sleep-polling.
  WakeSignal chunkReleased;

  // Free chunk slots a held Write waits for, under CountLock. A Write with
  // much left asks for half the limit, so it refills many chunks per wake-up
  // instead of one while the worker still has half the limit queued; a Write
  // near its end asks for exactly what it has left, so it returns as early as
  // if it had been woken for every chunk.
  static constexpr std::int32_t kChunkRoomMark = kMaxPendingChunks / 2;
  std::int32_t chunkRoomWanted = 1;

  void ResetCounters();
  // Sets chunkRoomWanted to `chunks`, held within 1..kChunkRoomMark.
  void WantChunkRoom(std::int32_t chunks);
  void AddChunk(std::int32_t bytes);
  // Undoes AddChunk for a chunk that never reached the worker.
  void WithdrawChunk(std::int32_t bytes);
  // The worker is done with a chunk (written, failed or dropped). Floors at 0.
  void ReleaseChunk(std::int32_t bytes);
  std::int32_t PendingBytesNow();
  std::int32_t PendingChunksNow();
};

}  // namespace kx14
