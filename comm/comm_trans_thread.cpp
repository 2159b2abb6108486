#include "comm/comm_trans_thread.h"

#include <chrono>

#include "comm/comm_messages.h"
#include "comm/comm_timeouts.h"

namespace kx14 {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {
// The half-duplex turnaround: the far end needs this long after RTS changes
// before the first character of a burst.
constexpr milliseconds kRtsLeadTime{50};
}  // namespace

TCommTransThread::TCommTransThread(std::shared_ptr<CommShared> comm,
                                   std::shared_ptr<SerialDevice> port, NotificationLink window)
    : comm_(std::move(comm)),
      port_(std::move(port)),
      window_(std::move(window)),
      signal_(std::make_shared<WorkerSignal>()) {}

TCommTransThread::~TCommTransThread() {
  Terminate();
  Join();
}

void TCommTransThread::Start() {
  thread_ = std::thread([this] { Run(); });
}

bool TCommTransThread::Post(Chunk chunk) {
  {
    std::lock_guard lock(signal_->mutex);
    if (signal_->Terminated()) return false;
    queue_.push_back(std::move(chunk));
  }
  signal_->changed.notify_all();
  return true;
}

std::size_t TCommTransThread::WriteNowIfIdle(const std::uint8_t* data, std::size_t count) {
  const TCommFlowCtrls flow = comm_->flowCtrl.load();
  if (flow == TCommFlowCtrls::cfcHalfHigh || flow == TCommFlowCtrls::cfcHalfLow) return 0;
  // Held across the write so that no chunk can be queued or taken meanwhile.
  std::lock_guard idle(signal_->mutex);
  if (busy_ || !queue_.empty() || signal_->Purging() || signal_->Terminated()) return 0;
  IoResult result;
  {
    std::lock_guard port(comm_->PortLock);
    result = port_->Write(data, count);
  }
  // Failures go the worker's way, which reports the line errors.
  return result.status == IoResult::Status::kDone ? result.bytes : 0;
}

void TCommTransThread::Terminate() {
  signal_->Terminate();
  wake_.Signal();
}

void TCommTransThread::SetPurging(bool on) {
  signal_->SetPurging(on);
  if (on) wake_.Signal();
}

void TCommTransThread::Join() {
  if (thread_.joinable()) thread_.join();
  DropQueued();  // chunks that arrived for a worker that never ran
}

void TCommTransThread::Run() {
  while (WaitForChunks()) {
    bool burst = false;
    Chunk chunk;
    while (TakeChunk(chunk)) {
      const auto size = static_cast<std::int32_t>(chunk.size());
      if (!StopWriting()) {
        if (!burst) {
          burst = true;
          BeginTrans();
        }
        WriteChunk(chunk);
      }
      chunk = Chunk();  // freed before the counts fall, like the block it stands for
      comm_->ReleaseChunk(size);
    }
    if (burst) EndTrans();
    SetIdle();
  }
  DropQueued();
}

void TCommTransThread::SetIdle() {
  std::lock_guard lock(signal_->mutex);
  busy_ = false;
}

bool TCommTransThread::WaitForChunks() {
  std::unique_lock lock(signal_->mutex);
  signal_->changed.wait(lock, [this] { return !queue_.empty() || signal_->Terminated(); });
  return !signal_->Terminated();
}

bool TCommTransThread::TakeChunk(Chunk& chunk) {
  std::lock_guard lock(signal_->mutex);
  if (queue_.empty()) return false;  // the burst ends; busy until SetIdle
  busy_ = true;
  chunk = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

void TCommTransThread::DropQueued() {
  std::deque<Chunk> dropped;
  {
    std::lock_guard lock(signal_->mutex);
    dropped.swap(queue_);
  }
  for (const Chunk& chunk : dropped) comm_->ReleaseChunk(static_cast<std::int32_t>(chunk.size()));
}

bool TCommTransThread::StopWriting() const { return signal_->Purging() || signal_->Terminated(); }

void TCommTransThread::WriteChunk(const Chunk& chunk) {
  const std::uint8_t* p = chunk.data();
  std::size_t rest = chunk.size();
  const auto limit = PlanWrite(port_->Timeouts(), static_cast<std::uint32_t>(rest));
  const bool bounded = limit.has_value();
  const Clock::time_point deadline = Clock::now() + limit.value_or(milliseconds::zero());
  for (;;) {
    if (StopWriting()) return;
    IoResult result;
    {
      std::lock_guard lock(comm_->PortLock);
      result = port_->Write(p, rest);
    }
    if (result.status == IoResult::Status::kDone) {
      p += result.bytes;
      rest -= result.bytes;
      if (rest == 0) return;
    } else if (result.status != IoResult::Status::kWouldBlock) {
      ReportLineErrors();  // the rest of this chunk is lost; the next one goes on
      return;
    }
    // Drained only before a wait, not before every write (a system call per
    // chunk), and before the flags are read again: a purge or stop that
    // comes later leaves the signal set and ends the wait at once.
    wake_.Drain();
    if (StopWriting()) return;
    std::optional<milliseconds> remaining;
    if (bounded) {
      remaining = std::chrono::ceil<milliseconds>(deadline - Clock::now());
      if (*remaining <= milliseconds::zero()) return;  // write time-out: the rest is dropped
    }
    const WaitOutcome outcome = port_->WaitWritable(wake_, remaining);
    if (outcome == WaitOutcome::kTimedOut) return;
    if (outcome == WaitOutcome::kHungUp) {
      ReportLineErrors();
      return;
    }
  }
}

void TCommTransThread::ReportLineErrors() {
  const std::uint32_t bits = port_->TakeLineEvents().errorBits & kReportedLineErrors;
  if (bits != 0) {
    signal_->SendNotification(window_, WM_COMMERROR, static_cast<std::intptr_t>(bits), true);
  }
}

void TCommTransThread::BeginTrans() {
  const TCommFlowCtrls flow = comm_->flowCtrl.load();
  if (flow != TCommFlowCtrls::cfcHalfHigh && flow != TCommFlowCtrls::cfcHalfLow) return;
  if (!signal_->SleepFor(kRtsLeadTime)) return;
  port_->SetRts(flow == TCommFlowCtrls::cfcHalfHigh);
  signal_->SleepFor(milliseconds(TurnDelay()));
}

void TCommTransThread::EndTrans() {
  const TCommFlowCtrls flow = comm_->flowCtrl.load();
  if (flow != TCommFlowCtrls::cfcHalfHigh && flow != TCommFlowCtrls::cfcHalfLow) return;
  WaitUntilSent();
  if (!signal_->SleepFor(milliseconds(TurnDelay()))) return;
  port_->SetRts(flow != TCommFlowCtrls::cfcHalfHigh);
}

// A write returns once the driver holds the bytes; the line may be turned
// around only after the last character has left. The kernel offers only an
// uninterruptible drain, so the output queue is checked once per turnaround
// delay, bounded by the write time-out.
void TCommTransThread::WaitUntilSent() {
  const auto limit = PlanWrite(port_->Timeouts(), 0).value_or(milliseconds(60000));
  const auto deadline = Clock::now() + limit;
  const milliseconds step(std::max(1, TurnDelay()));
  while (port_->OutputCount() > 0 && Clock::now() < deadline) {
    if (!signal_->SleepFor(step)) return;
  }
}

}  // namespace kx14
