#include "tests/comm/comm_fixture.h"

namespace kx14::test {

void ExpectCommError(const std::function<void()>& action, const char* message) {
  try {
    action();
    ADD_FAILURE() << "no ECommError, expected: " << message;
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

}  // namespace kx14::test
