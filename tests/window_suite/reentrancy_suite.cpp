// What the window does with input that arrives while a read or program
// operation waits for the device (the wait lets window messages run), on
// every toolkit: a second press is ignored, a port change waits for the
// operation's end, and closing the window ends the exchange at once and the
// window afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

using std::chrono::milliseconds;

// Long enough for the input at kNestedAt to land inside the wait even on a
// loaded machine.
constexpr milliseconds kReplyDelay{800};
constexpr milliseconds kNestedAt{50};

int CountLines(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.rfind(prefix, 0) == 0;
  }));
}

class Reentrancy : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }
  std::unique_ptr<WindowDriver> window;
};

struct PressRow {
  const char* running;
  const char* pressed;
  Texts texts;
  int programFrames;
};

void PrintTo(const PressRow& row, std::ostream* out) { *out << row.running << ", " << row.pressed; }

class PressWhileWaiting : public Reentrancy, public ::testing::WithParamInterface<PressRow> {};

TEST_P(PressWhileWaiting, IsIgnored) {
  const PressRow& row = GetParam();
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{}, kReplyDelay}));
  bool ranInside = false;
  bool enabledInside = false;
  window->After(kNestedAt, [&] {
    ranInside = window->OperationRunning();
    enabledInside = window->Enabled("READ_BTN") && window->Enabled("PROGRAM_BTN");
    window->Click(row.pressed);
  });
  window->Click(row.running);
  EXPECT_TRUE(ranInside);
  EXPECT_TRUE(enabledInside);  // the command buttons stay enabled
  EXPECT_EQ(window->TakeInformationTexts(), row.texts);
  const std::vector<std::string> lines = window->DeviceLines();
  EXPECT_EQ(CountLines(lines, "rx E5"), 1);
  EXPECT_EQ(CountLines(lines, "rx F5"), row.programFrames);
}

const Texts kReadTexts{"読み取り成功"};
const Texts kProgramTexts{"読み取り成功", "書き込み成功"};

INSTANTIATE_TEST_SUITE_P(Rows, PressWhileWaiting,
                         ::testing::Values(PressRow{"READ_BTN", "READ_BTN", kReadTexts, 0},
                                           PressRow{"READ_BTN", "PROGRAM_BTN", kReadTexts, 0},
                                           PressRow{"PROGRAM_BTN", "READ_BTN", kProgramTexts, 1},
                                           PressRow{"PROGRAM_BTN", "PROGRAM_BTN", kProgramTexts,
                                                    1}));

TEST_F(Reentrancy, PortChangeWhileWaitingIsAppliedAfterTheOperation) {
  std::string port;
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{}, kReplyDelay}, &port));
  bool openAfterChoice = false;
  std::string textAfterChoice;
  window->After(kNestedAt, [&] {
    window->Choose("CommBox", "OFF");
    window->After(kNestedAt, [&] {
      openAfterChoice = window->PortOpen();
      textAfterChoice = window->Text("MON_EDIT");
    });
  });
  window->Click("READ_BTN");
  EXPECT_TRUE(openAfterChoice);  // the waiting exchange kept its port
  EXPECT_EQ(textAfterChoice, port + " 設定完了");
  EXPECT_EQ(window->TakeInformationTexts(), (Texts{"読み取り成功", "シリアルポートを閉じました"}));
  EXPECT_FALSE(window->PortOpen());
}

TEST_F(Reentrancy, LastPortChangeWhileWaitingWins) {
  std::string port;
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{}, kReplyDelay}, &port));
  window->After(kNestedAt, [&] {
    window->Choose("CommBox", "OFF");
    window->After(kNestedAt, [&] { window->Choose("CommBox", port); });
  });
  window->Click("PROGRAM_BTN");
  EXPECT_EQ(window->TakeInformationTexts(),
            (Texts{"読み取り成功", "書き込み成功", port + " 設定完了"}));
  EXPECT_TRUE(window->PortOpen());
}

struct CloseRow {
  const char* running;
  bool exitButton;  // else the title bar's close
  Texts texts;
};

void PrintTo(const CloseRow& row, std::ostream* out) {
  *out << row.running << (row.exitButton ? ", exit button" : ", close");
}

class CloseWhileWaiting : public Reentrancy, public ::testing::WithParamInterface<CloseRow> {};

TEST_P(CloseWhileWaiting, EndsTheOperationThenTheWindow) {
  const CloseRow& row = GetParam();
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{"silent"}}));
  window->SetReceiveTimeOut(std::chrono::seconds(10));  // only the close can end the wait early
  bool shownAfterClose = false;
  bool openAfterClose = true;
  window->After(kNestedAt, [&] {
    if (row.exitButton) {
      window->Click("EXIT_BTN");
    } else {
      window->CloseWindow();
    }
    shownAfterClose = window->WindowShown();
    openAfterClose = window->PortOpen();
  });
  const auto start = std::chrono::steady_clock::now();
  window->Click(row.running);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(shownAfterClose);  // the window waited for the operation
  EXPECT_FALSE(openAfterClose);  // the port closed at once
  EXPECT_EQ(window->TakeInformationTexts(), row.texts);
  EXPECT_FALSE(window->WindowShown());
  EXPECT_FALSE(window->OperationRunning());
  EXPECT_FALSE(window->PortOpen());
}

const Texts kFailedReadTexts{"読み取り失敗"};
const Texts kFailedProgramTexts{"読み取り失敗", "書き込み失敗"};

INSTANTIATE_TEST_SUITE_P(Rows, CloseWhileWaiting,
                         ::testing::Values(CloseRow{"READ_BTN", true, kFailedReadTexts},
                                           CloseRow{"READ_BTN", false, kFailedReadTexts},
                                           CloseRow{"PROGRAM_BTN", true, kFailedProgramTexts},
                                           CloseRow{"PROGRAM_BTN", false, kFailedProgramTexts}));

}  // namespace
}  // namespace kx14::test
