// The poll()-based pump that tests and console programs use as the window.
#include "comm/linux_poll_message_pump.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kx14 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Pipe {
  Pipe() {
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
  }
  ~Pipe() {
    close(fds[0]);
    close(fds[1]);
  }
  int fds[2];
};

TEST(PollMessagePump, RunsTasksPostedFromOtherThreadsInOrderOnItsOwnThread) {
  PollMessagePump pump;
  std::vector<int> order;
  std::vector<std::thread::id> ranOn;
  std::thread poster([&] {
    for (int i = 0; i < 3; ++i) {
      pump.Post([&, i] {
        order.push_back(i);
        ranOn.push_back(std::this_thread::get_id());
      });
    }
  });
  poster.join();
  EXPECT_TRUE(order.empty()) << "tasks run only when the owner takes messages";
  pump.ProcessMessages();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(PollMessagePump, WaitReadableReturnsWhenTheDescriptorIsReadable) {
  PollMessagePump pump;
  Pipe p;
  std::thread writer([&] {
    std::this_thread::sleep_for(milliseconds(50));
    (void)!write(p.fds[1], "x", 1);
  });
  const auto start = Clock::now();
  pump.WaitReadable(p.fds[0], milliseconds(5000));
  writer.join();
  EXPECT_LT(Clock::now() - start, milliseconds(4000));
}

TEST(PollMessagePump, WaitReadableRunsAPostedTaskAndReturns) {
  PollMessagePump pump;
  Pipe p;
  bool ran = false;
  std::thread poster([&] {
    std::this_thread::sleep_for(milliseconds(50));
    pump.Post([&] { ran = true; });
  });
  const auto start = Clock::now();
  pump.WaitReadable(p.fds[0], milliseconds(5000));
  poster.join();
  EXPECT_LT(Clock::now() - start, milliseconds(4000));
  EXPECT_TRUE(ran);
}

TEST(PollMessagePump, WaitReadableWaitsAtLeastTheTimeOut) {
  PollMessagePump pump;
  const auto start = Clock::now();
  pump.WaitReadable(-1, milliseconds(80));
  EXPECT_GE(Clock::now() - start, milliseconds(80));
}

// A signal handler elsewhere in the program interrupts the wait (EINTR) again
// and again; the wait still ends at its own deadline.
TEST(PollMessagePump, WaitReadableKeepsItsDeadlineThroughInterruptions) {
  struct sigaction quiet {};
  quiet.sa_handler = [](int) {};
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &quiet, &previous), 0);
  PollMessagePump pump;
  const pthread_t waiter = pthread_self();
  std::atomic<bool> done{false};
  std::thread interrupter([&] {
    const auto stop = Clock::now() + milliseconds(1500);
    while (!done && Clock::now() < stop) {
      pthread_kill(waiter, SIGUSR1);
      std::this_thread::sleep_for(milliseconds(10));  // the interruption's pace
    }
  });
  const auto start = Clock::now();
  pump.WaitReadable(-1, milliseconds(200));
  const auto elapsed = Clock::now() - start;
  done = true;
  interrupter.join();
  sigaction(SIGUSR1, &previous, nullptr);
  EXPECT_LT(elapsed, milliseconds(1000));
}

TEST(PollMessagePump, ThrowingTaskLeavesTheTasksBehindItQueued) {
  PollMessagePump pump;
  int later = 0;
  pump.Post([] { throw std::runtime_error("handler failed"); });
  pump.Post([&] { ++later; });
  EXPECT_THROW(pump.ProcessMessages(), std::runtime_error);
  EXPECT_EQ(pump.PendingTasks(), 1u);
  pump.ProcessMessages();
  EXPECT_EQ(later, 1);
}

TEST(PollMessagePump, RunUntilStopsWhenTheConditionHolds) {
  PollMessagePump pump;
  int count = 0;
  std::thread poster([&] {
    for (int i = 0; i < 5; ++i) pump.Post([&] { ++count; });
  });
  EXPECT_TRUE(pump.RunUntil([&] { return count == 5; }, milliseconds(5000)));
  poster.join();
  EXPECT_FALSE(pump.RunUntil([] { return false; }, milliseconds(20)));
}

}  // namespace
}  // namespace kx14
