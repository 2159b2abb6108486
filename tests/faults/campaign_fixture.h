#pragma once

// What every scenario of the fault campaign starts from: the platform's far
// end holding kDeviceBlock (far_end.h), the real serial component opened on
// its COM port, and the read and program operations over a recording window.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "comm_device_view.h"
#include "far_end.h"
#include "protocol/device_operations.h"
#include "protocol/information_texts.h"

namespace kx14 {
void PrintTo(const BlockControls& controls, std::ostream* out);
}  // namespace kx14

namespace kx14::faults {

// Every scenario but the two around the real time-out answers at once or
// not at all, so a short wait keeps the campaign quick.
inline constexpr std::int32_t kQuickTimeOut = 200;
inline constexpr std::int32_t kRealTimeOut = 3000;
// Far beyond any answer the scenarios wait for; a hang would end here.
inline constexpr std::chrono::seconds kGenerous{10};

// Every field differs from the window's start values, so a read that
// changes anything shows, and OT_MAX 13 makes the read pick Handy6.
inline constexpr BlockBytes kDeviceBlock = {0x5A, 0x12, 0x34, 0x56, 0x00, 0xAB, 0xCD, 0x09,
                                            11,   22,   33,   44,   55,   13,   7,    0x40};

// The window's controls and handicap level, with the count of level handlers
// run (the comment shown changes with each).
struct WindowState {
  BlockControls controls;
  THandicapPreset preset;
  std::size_t levelHandlersRun;
  friend bool operator==(const WindowState&, const WindowState&) = default;
};
void PrintTo(const WindowState& state, std::ostream* out);

using Texts = std::vector<std::string>;
// Which of the window's two operations a case runs.
enum class Operation { kRead, kProgram };
// The information line's outcomes, as the campaign's expectations spell them.
inline const std::string kReadOk{info_text::kReadSucceeded};
inline const std::string kReadFailed{info_text::kReadFailed};
inline const std::string kProgramOk{info_text::kProgramSucceeded};
inline const std::string kProgramFailed{info_text::kProgramFailed};

class CampaignTest : public ::testing::Test {
 protected:
  CampaignTest() : CampaignTest(MakeCampaignLine(kDeviceBlock)) {}
  explicit CampaignTest(std::unique_ptr<CampaignLine> line) : line_(std::move(line)) {}

  void SetUp() override;
  void TearDown() override;

  // Attaches the far end and opens its port with `timeOut`.
  void Open(std::int32_t timeOut = kQuickTimeOut);
  WindowState State() const;
  // The window after a successful read of kDeviceBlock from the start state.
  static WindowState AfterReadingDeviceBlock();
  // The block the last exchange carried to the device, if it was a program frame.
  BlockBytes LastBlockSent() const;

  std::unique_ptr<CampaignLine> line_;
  FarEnd& device = line_->Device();
  PollMessagePump pump;
  TCommX comm{pump};
  testing::CommDeviceView view{pump, comm};
  TDeviceOperations ops{view};
};

}  // namespace kx14::faults
