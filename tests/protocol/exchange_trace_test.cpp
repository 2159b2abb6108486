// The window's trace, asked for with KX14_TRACE: a file that cannot be
// written is said once on stderr, and the program runs on.

#include "protocol/exchange_trace.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "temp_dir.h"

namespace kx14 {
namespace {

TEST(TraceFromEnvironment, SaysWhenTheFileCannotBeWrittenAndWritesItOtherwise) {
  testing::TempDir dir;
  const std::string unwritable = (dir.path() / "no such folder" / "trace.txt").string();
  ::setenv("KX14_TRACE", unwritable.c_str(), 1);
  std::ostringstream err;
  EXPECT_EQ(TExchangeTrace::FromEnvironment(err), nullptr);
  const std::string said = err.str();
  EXPECT_NE(said.find(unwritable), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

  const std::string good = (dir.path() / "trace.txt").string();
  ::setenv("KX14_TRACE", good.c_str(), 1);
  std::ostringstream quiet;
  auto trace = TExchangeTrace::FromEnvironment(quiet);
  ::unsetenv("KX14_TRACE");
  ASSERT_NE(trace, nullptr);
  trace->FrameSent(ByteString("\xE5", 1));
  EXPECT_EQ(quiet.str(), "");
  std::ifstream written(good);
  std::string line;
  std::getline(written, line);
  EXPECT_NE(line.find("tx E5"), std::string::npos) << line;
}

}  // namespace
}  // namespace kx14
