#include "tests/comm/comm_fixture.h"

#include <filesystem>
#include <thread>

namespace kx14::test {

void ExpectCommError(const std::function<void()>& action, const char* message) {
  try {
    action();
    ADD_FAILURE() << "no ECommError, expected: " << message;
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

std::optional<std::filesystem::path> ResolveOnly(int wanted, const std::string& path, int portNo) {
  if (portNo != wanted) return std::nullopt;
  return std::filesystem::path(path);
}

bool WaitUntil(const std::function<bool()>& condition, milliseconds deadline) {
  const auto end = Clock::now() + deadline;
  while (!condition()) {
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(milliseconds(1));  // re-check interval, not a guess
  }
  return true;
}

namespace {
std::size_t CountEntries(const char* dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}
}  // namespace

std::size_t CountThreads() { return CountEntries("/proc/self/task"); }
std::size_t CountOpenFds() { return CountEntries("/proc/self/fd"); }

std::string DescribeOpenFds() {
  std::string text;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    text += entry.path().filename().string() + "->" +
            std::filesystem::read_symlink(entry.path(), error).string() + " ";
  }
  return text;
}

}  // namespace kx14::test
