#include "comm/comm_shared.h"

#include <algorithm>

namespace kx14 {

void CommShared::ResetCounters() {
  std::lock_guard lock(CountLock);
  PendingBytes = 0;
  PendingChunks = 0;
}

void CommShared::WantChunkRoom(std::int32_t chunks) {
  std::lock_guard lock(CountLock);
  chunkRoomWanted = std::clamp(chunks, 1, kChunkRoomMark);
}

void CommShared::AddChunk(std::int32_t bytes) {
  std::lock_guard lock(CountLock);
  PendingBytes += bytes;
  PendingChunks += 1;
}

void CommShared::WithdrawChunk(std::int32_t bytes) {
  {
    std::lock_guard lock(CountLock);
    PendingBytes -= bytes;
    PendingChunks -= 1;
  }
  countChanged.notify_all();
}

void CommShared::ReleaseChunk(std::int32_t bytes) {
  bool roomReached = false;
  {
    std::lock_guard lock(CountLock);
    PendingBytes = std::max(0, PendingBytes - bytes);
    PendingChunks = std::max(0, PendingChunks - 1);
    roomReached = kMaxPendingChunks - PendingChunks >= chunkRoomWanted;
  }
  countChanged.notify_all();
  if (roomReached) chunkReleased.Signal();
}

std::int32_t CommShared::PendingBytesNow() {
  std::lock_guard lock(CountLock);
  return PendingBytes;
}

std::int32_t CommShared::PendingChunksNow() {
  std::lock_guard lock(CountLock);
  return PendingChunks;
}

}  // namespace kx14
