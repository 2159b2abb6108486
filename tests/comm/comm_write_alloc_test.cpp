// Write when a chunk cannot be allocated. A program of its own: it replaces
// the global operator new so that one chosen allocation fails.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/comm/comm_fixture.h"

namespace {

// Allocations of exactly this size are counted; the one whose count reaches
// kFailAt throws. An odd size that nothing else in the test asks for.
constexpr std::size_t kChunkSize = 1013;
constexpr int kFailAt = 2;
std::atomic<bool> armed{false};
std::atomic<int> chunkAllocations{0};

}  // namespace

void* operator new(std::size_t size) {
  if (size == kChunkSize && armed.load() && ++chunkAllocations == kFailAt) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace kx14::test {
namespace {

// In half-duplex mode every chunk is queued for the worker (none is written
// directly), so each one is allocated.
TEST_F(CommOnFakeLine, WriteStopsAndFailsAtAChunkThatCannotBeAllocated) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcHalfHigh);
  comm.SetBufLenTrans(static_cast<std::int32_t>(kChunkSize));
  comm.Open();
  ByteString data(3 * kChunkSize, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i / kChunkSize + 'a');
  armed = true;
  const bool written = comm.WriteString(data);
  armed = false;
  EXPECT_FALSE(written);
  ASSERT_TRUE(pump.RunUntil([&] { return comm.PendingBytes() == 0; }, milliseconds(5000)));
  EXPECT_EQ(comm.PendingChunks(), 0);
  // The chunk queued before the failure went out; nothing after it did.
  EXPECT_EQ(ReadFromFd(line.FarFd(), data.size(), milliseconds(500)), data.substr(0, kChunkSize));
}

}  // namespace
}  // namespace kx14::test
