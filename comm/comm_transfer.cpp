// The data path on the window's thread: Write, Read, the purges and the input
// count.
#include <algorithm>
#include <chrono>
#include <limits>
#include <new>

#include "comm/comm_messages.h"
#include "comm/comm_receive_thread.h"
#include "comm/comm_shared.h"
#include "comm/comm_timeouts.h"
#include "comm/comm_trans_thread.h"
#include "comm/comm_x.h"
#include "comm/serial_device.h"

namespace kx14 {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {
// Re-check interval of a Write held at the chunk limit; the wait normally
// ends earlier, when the worker has freed the room the Write asked for.
constexpr milliseconds kChunkRoomWait{100};
// A read without a time-out still wakes now and then (it would anyway for
// every window message).
constexpr milliseconds kUnboundedReadSlice{60000};
}  // namespace

// Waits with window messages running until `chunks` slots are free (or the
// re-check interval passed). False when the port was closed (or closed and
// reopened) meanwhile.
bool TCustomCommX::WaitForChunkRoom(std::int32_t chunks) {
  const std::uint64_t generation = generation_;
  shared_->WantChunkRoom(chunks);
  shared_->chunkReleased.Drain();
  if (kMaxPendingChunks - shared_->PendingChunksNow() >= chunks) return true;
  pump_.WaitReadable(shared_->chunkReleased.Fd(), kChunkRoomWait);
  return IsOpen() && generation_ == generation;
}

// False when the chunk cannot be allocated or the worker takes no more; then
// nothing of it is queued or counted.
bool TCustomCommX::PostChunk(const std::uint8_t* data, std::int32_t n) {
  TCommTransThread::Chunk chunk;
  try {
    chunk.assign(data, data + n);
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Counted before it is posted, so the worker can never let go of it
  // before it was counted; taken back if it is not queued after all.
  shared_->AddChunk(n);
  bool posted = false;
  try {
    posted = TransThread->Post(std::move(chunk));
  } catch (const std::bad_alloc&) {
    posted = false;  // no room in the queue
  }
  if (!posted) shared_->WithdrawChunk(n);
  return posted;
}

bool TCustomCommX::Write(const void* data, std::int32_t count) {
  if (count == 0) return true;
  if (count < 0 || data == nullptr) return false;
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (count > 0) {
    if (!IsOpen() || !TransThread) return false;
    if (shared_->PendingChunksNow() >= kMaxPendingChunks) {
      const std::int32_t chunksLeft = (count - 1) / bufLenTrans_ + 1;
      if (!WaitForChunkRoom(std::min(chunksLeft, CommShared::kChunkRoomMark))) return false;
      continue;
    }
    const std::int32_t n = std::min(count, bufLenTrans_);
    const auto direct = static_cast<std::int32_t>(TransThread->WriteNowIfIdle(p, n));
    // A chunk that cannot be queued ends the Write: the chunks before it
    // still go out, none after it does, and the caller learns of the gap.
    if (direct < n && !PostChunk(p + direct, n - direct)) return false;
    count -= n;
    p += n;
  }
  return true;
}

bool TCustomCommX::WriteString(const ByteString& s) {
  if (s.empty()) return true;
  if (s.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
  return Write(s.data(), static_cast<std::int32_t>(s.size()));
}

void TCustomCommX::ReportReadFailure() {
  const std::uint32_t bits = device_->TakeLineEvents().errorBits & kReportedLineErrors;
  if (bits != 0) CommWndProc(WM_COMMERROR, 0, static_cast<std::intptr_t>(bits));
}

// While a read waits on the port, the bytes that arrive are the read's own,
// as with an overlapped read that takes them straight into its buffer: the
// receive worker stops watching input meanwhile, so a reply costs no wake-up
// of a second thread and no notification that would only find the input
// queue empty. What is still waiting when the read ends is reported then,
// and so are line errors and breaks the driver counted meanwhile.
bool TCustomCommX::PauseInputWatch() {
  if (inputWatchPaused_ == generation_) return false;  // an outer Read did
  device_->WatchInput(false);
  inputWatchPaused_ = generation_;
  return true;
}

void TCustomCommX::ResumeInputWatch(std::uint64_t generation) {
  // A handler may have closed the port (or opened another) during the read.
  if (!IsOpen() || generation_ != generation) return;
  inputWatchPaused_ = 0;
  device_->WatchInput(true);
  if (ReceiveThread && device_->KeepsLineCounters()) ReceiveThread->Nudge();
}

namespace {

// When a read must end at the latest: its total time, or the longest gap
// after the last byte; nothing when neither applies.
std::optional<Clock::time_point> ReadEnd(const ReadPlan& plan, Clock::time_point start,
                                         std::int32_t got, Clock::time_point lastByte) {
  std::optional<Clock::time_point> end;
  if (plan.total) end = start + *plan.total;
  if (plan.interval && got > 0) {
    const auto gapEnd = lastByte + *plan.interval;
    end = end ? std::min(*end, gapEnd) : gapEnd;
  }
  return end;
}

}  // namespace

std::int32_t TCustomCommX::Read(void* buffer, std::int32_t count) {
  if (!IsOpen() || !ReceiveThread || buffer == nullptr || count < 0) return -1;
  if (count == 0) return 0;
  auto* out = static_cast<std::uint8_t*>(buffer);
  const std::uint64_t generation = generation_;
  const std::uint64_t purges = receivePurges_;
  struct WatchPause {
    TCustomCommX& comm;
    std::uint64_t generation;
    bool paused;
    ~WatchPause() {
      if (paused) comm.ResumeInputWatch(generation);
    }
  } pause{*this, generation, PauseInputWatch()};
  const ReadPlan plan = PlanRead(device_->Timeouts(), static_cast<std::uint32_t>(count));
  const auto start = Clock::now();
  Clock::time_point lastByte = start;
  std::int32_t got = 0;
  // The wait comes first: it returns at once when bytes are already there,
  // and otherwise saves a read that could only find nothing.
  bool waitFirst = !plan.returnAtOnce;
  for (;;) {
    if (waitFirst) {
      const auto end = ReadEnd(plan, start, got, lastByte);
      const auto now = Clock::now();
      if (end && now >= *end) return got;
      // Window messages run here; a handler may close the port or even open
      // it again, so nothing of the port is touched before this check.
      pump_.WaitReadable(device_->Fd(),
                         end ? std::chrono::ceil<milliseconds>(*end - now) : kUnboundedReadSlice);
      if (!IsOpen() || generation_ != generation || !ReceiveThread) return -1;
      if (receivePurges_ != purges) return got;  // a handler purged the input
    }
    const IoResult result = device_->Read(out + got, static_cast<std::size_t>(count - got));
    if (result.status == IoResult::Status::kDone) {
      got += static_cast<std::int32_t>(result.bytes);
      lastByte = Clock::now();
      if (got == count || plan.returnOnFirstBytes) return got;
      waitFirst = false;  // take what else is already there
      continue;
    }
    if (result.status != IoResult::Status::kWouldBlock) {
      ReportReadFailure();
      return -1;
    }
    if (plan.returnAtOnce) return got;
    waitFirst = true;
  }
}

void TCustomCommX::PurgeTransmit() {
  if (!IsOpen()) return;
  if (!TransThread) {
    device_->PurgeOutput();
    return;
  }
  // Purging also releases the worker from a notification it waits to have
  // handled: this wait does not let window messages run, so the two must
  // never wait for each other.
  TransThread->SetPurging(true);
  std::unique_lock count(shared_->CountLock, std::defer_lock);
  for (;;) {
    {
      std::lock_guard port(shared_->PortLock);
      device_->PurgeOutput();
    }
    count.lock();
    const bool empty = shared_->countChanged.wait_for(
        count, milliseconds(1), [this] { return shared_->PendingBytes == 0; });
    count.unlock();
    if (empty) break;
  }
  TransThread->SetPurging(false);
}

void TCustomCommX::PurgeReceive() {
  if (!IsOpen()) return;
  device_->PurgeInput();
  ++receivePurges_;
}

std::int32_t TCustomCommX::ReceiveCount() {
  if (!IsOpen()) return 0;
  device_->TakeLineEvents();  // cleared, not reported
  return device_->InputCount();
}

}  // namespace kx14
