// The track-side window against simulated adapters, written once for every
// toolkit: a race of six roster cars on three adapters, a car the roster
// does not hold, a roster refused, an adapter pulled and plugged back, the
// log's folder removed mid-run, and a stop or a close while a car is being
// programmed.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "protocol/handicap_preset.h"
#include "temp_dir.h"
#include "tests/trackside_suite/trackside_driver.h"
#include "ui/trackside/trackside_controls.h"
#include "ui/trackside/trackside_texts.h"

namespace kx14::test {
namespace {

using namespace std::chrono_literals;
using namespace trackside::controls;
using trackside::TText;
using Rows = std::vector<std::vector<std::string>>;

// A read or store takes well under a second; a delayed device a few.
constexpr auto kDeadline = 20s;

// The results table's columns.
constexpr std::size_t kYourIdColumn = 2;
constexpr std::size_t kRosterLevelColumn = 5;
constexpr std::size_t kNewLevelColumn = 7;
constexpr std::size_t kResultColumn = 8;

// The simulator's block for a car known by YOURID 0x0000<yourIdHex>.
std::string CarBlock(const std::string& yourIdHex) {
  return "5A 00 00 " + yourIdHex + " 00 00 02 00 00 00 00 00 00 05 03 51";
}

// Six cars, YOURID 17 to 22 (0x11 to 0x16), each with its own level.
constexpr const char* kSixCars =
    "YOURID,level,name,note\n"
    "17,3,Yamada,\n"
    "18,S,Sato,rookie\n"
    "19,MAX,Suzuki,\n"
    "20,0,Tanaka,\n"
    "21,5,Takahashi,\n"
    "22,M,Ito,spare car\n";

// The item of the other cars' list that gives level `level` (item 0 skips).
int OtherCarsItem(THandicapPreset level) {
  const auto place = std::find(kHandicapPresets.begin(), kHandicapPresets.end(), level);
  return static_cast<int>(place - kHandicapPresets.begin()) + 1;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string CountText(TText word, int count) {
  return trackside::Text(word) + " " + std::to_string(count);
}

class TracksideSuite : public ::testing::Test {
 protected:
  TracksideSuite() : window_(OpenTracksideWindow()) {}

  std::string WriteFile(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = work_.path() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  void OpenRoster(const std::string& text, const std::string& name = "roster.csv") {
    window_->AnswerFileDialog(WriteFile(name, text));
    window_->Click(kOpenRoster);
  }

  void ChooseLog(const std::string& path) {
    window_->AnswerFileDialog(path);
    window_->Click(kChooseLog);
  }

  // Plugs in a car, and ticks its adapter once the window lists it.
  std::unique_ptr<SimulatedAdapter> ChosenAdapter(std::vector<std::string> args) {
    std::unique_ptr<SimulatedAdapter> adapter = window_->PlugAdapter(args);
    const std::string port = adapter->Port();
    EXPECT_TRUE(window_->PumpUntil([&] { return AdapterListed(port); }, kDeadline))
        << port << " never appeared in the adapter list";
    window_->TickAdapter(port, true);
    return adapter;
  }

  bool AdapterListed(const std::string& port) {
    const Rows rows = window_->Rows(kAdapters);
    return std::any_of(rows.begin(), rows.end(),
                       [&](const auto& row) { return !row.empty() && row[0] == port; });
  }

  void Start() {
    ASSERT_TRUE(window_->Enabled(kStart)) << window_->Text(kStartHint);
    window_->Click(kStart);
    // A log that cannot be opened is said, and nothing starts.
    ASSERT_FALSE(window_->Enabled(kStart)) << window_->Text(kMessage);
  }

  bool WaitForResults(std::size_t count) {
    return window_->PumpUntil([&] { return window_->Rows(kResults).size() >= count; }, kDeadline);
  }

  bool WaitForStatus(TText state) {
    return window_->PumpUntil(
        [&] {
          const Rows lines = window_->Rows(kStatuses);
          return !lines.empty() && Contains(lines[0][0], trackside::Text(state));
        },
        kDeadline);
  }

  bool WaitUntilIdle() {
    return window_->PumpUntil([&] { return window_->Enabled(kStart); }, kDeadline);
  }

  testing::TempDir work_;
  std::unique_ptr<TracksideDriver> window_;
};

TEST_F(TracksideSuite, SixRosterCarsOnThreeAdaptersGetTheirLevelsNewestFirstEachLoggedOnce) {
  OpenRoster(kSixCars);
  const std::string log = (work_.path() / "race.csv").string();
  ChooseLog(log);
  std::vector<std::unique_ptr<SimulatedAdapter>> adapters;
  for (const char* car : {"11", "12", "13"})
    adapters.push_back(ChosenAdapter({"--block", CarBlock(car)}));
  Start();
  ASSERT_TRUE(WaitForResults(3));
  // The second car on each adapter: the first one unplugged, another put in.
  const char* secondCars[] = {"14", "15", "16"};
  for (std::size_t i = 0; i < adapters.size(); ++i)
    adapters[i]->Control("block " + CarBlock(secondCars[i]));
  ASSERT_TRUE(WaitForResults(6)) << window_->Text(kCounts);

  const Rows results = window_->Rows(kResults);
  const std::map<std::string, std::string> levels = {{"17", "3"}, {"18", "S"}, {"19", "MAX"},
                                                     {"20", "0"}, {"21", "5"}, {"22", "M"}};
  std::set<std::string> newest;
  for (std::size_t row = 0; row < results.size(); ++row) {
    const std::string& id = results[row][kYourIdColumn];
    EXPECT_EQ(results[row][kNewLevelColumn], levels.at(id)) << "YOURID " << id;
    EXPECT_EQ(results[row][kRosterLevelColumn], levels.at(id)) << "YOURID " << id;
    EXPECT_EQ(results[row][kResultColumn], trackside::Text(TText::ResultOk));
    if (row < 3) newest.insert(id);
  }
  EXPECT_EQ(newest, (std::set<std::string>{"20", "21", "22"})) << "the newest cars come first";
  EXPECT_TRUE(Contains(window_->Text(kCounts), CountText(TText::CountProgrammed, 6)))
      << window_->Text(kCounts);
  EXPECT_TRUE(window_->Rows(kNotSeen).empty());
  for (const auto& adapter : adapters) EXPECT_EQ(adapter->Stores(), 2);

  window_->Click(kStop);
  ASSERT_TRUE(WaitUntilIdle());
  std::ifstream file(log);
  std::string line;
  int rows = 0;
  while (std::getline(file, line)) ++rows;
  EXPECT_EQ(rows, 7) << "a header and one row per car";
}

// Cars the roster does not hold get the level chosen for them, or nothing
// at all when they are to be skipped.
TEST_F(TracksideSuite, ACarNotInTheRosterGetsTheLevelChosenOrIsSkipped) {
  OpenRoster(kSixCars);
  window_->ChooseItem(kOtherCars, OtherCarsItem(THandicapPreset::Handy3));
  const auto adapter = ChosenAdapter({"--block", CarBlock("99")});
  Start();
  ASSERT_TRUE(WaitForResults(1));
  Rows results = window_->Rows(kResults);
  EXPECT_EQ(results[0][kRosterLevelColumn], "");
  EXPECT_EQ(results[0][kNewLevelColumn], "3");
  EXPECT_EQ(results[0][kResultColumn], trackside::Text(TText::ResultOk));
  EXPECT_EQ(window_->Rows(kNotSeen).size(), 6U);
  window_->Click(kStop);
  ASSERT_TRUE(WaitUntilIdle());

  window_->ChooseItem(kOtherCars, 0);
  Start();
  ASSERT_TRUE(WaitForResults(1));
  results = window_->Rows(kResults);
  EXPECT_TRUE(Contains(results[0][kResultColumn], trackside::Text(TText::Skipped)))
      << results[0][kResultColumn];
  EXPECT_TRUE(Contains(window_->Text(kCounts), CountText(TText::CountSkipped, 1)));
  EXPECT_EQ(adapter->Stores(), 1) << "a skipped car is never written";
}

// A roster with a mistake replaces the good one before it: the race never
// runs on a roster other than the one last chosen.
TEST_F(TracksideSuite, ABadRosterIsShownWithItsLineAndReasonAndNothingCanStart) {
  OpenRoster(kSixCars);
  const auto adapter = ChosenAdapter({"--block", CarBlock("11")});
  ASSERT_TRUE(window_->Enabled(kStart));

  OpenRoster("YOURID,level,name\n17,3,Yamada\n18,fast,Sato\n", "bad.csv");
  const std::string message = window_->Text(kRosterMessage);
  EXPECT_TRUE(Contains(message, "bad.csv")) << message;
  EXPECT_TRUE(Contains(message, "3")) << message;
  EXPECT_TRUE(Contains(message, "unknown level")) << message;
  EXPECT_TRUE(window_->Rows(kRoster).empty());
  EXPECT_FALSE(window_->Enabled(kStart));
  window_->Click(kStart);
  EXPECT_TRUE(window_->Rows(kStatuses).empty());
  EXPECT_EQ(adapter->Stores(), 0);
}

TEST_F(TracksideSuite, AnAdapterPulledAndPluggedBackIsShownGoneAndItsCarIsNotCountedTwice) {
  OpenRoster(kSixCars);
  const auto adapter = ChosenAdapter({"--block", CarBlock("11")});
  Start();
  ASSERT_TRUE(WaitForResults(1));

  adapter->Control("unregister");
  EXPECT_TRUE(WaitForStatus(TText::AdapterGone));
  adapter->Control("register");
  EXPECT_TRUE(WaitForStatus(TText::CarReturned));
  EXPECT_TRUE(Contains(window_->Rows(kStatuses)[0][0], "Yamada")) << "whose car came back";
  EXPECT_EQ(window_->Rows(kResults).size(), 1U);
  EXPECT_TRUE(Contains(window_->Text(kCounts), CountText(TText::CountProgrammed, 1)));
  EXPECT_EQ(adapter->Stores(), 1);
}

// The log's stick pulled mid-run: the row of the car done then is shown in
// red and counted, the car itself still counts, and the race goes on.
TEST_F(TracksideSuite, TheLogsFolderRemovedMidRunIsShownInRedCountedAndTheRaceGoesOn) {
  OpenRoster(kSixCars);
  const std::filesystem::path stick = window_->PlugStick(work_.path() / "stick");
  ChooseLog((stick / "race.csv").string());
  const auto adapter = ChosenAdapter({"--block", CarBlock("11")});
  Start();
  ASSERT_TRUE(WaitForResults(1));

  window_->PullStick();
  adapter->Control("block " + CarBlock("12"));
  ASSERT_TRUE(WaitForResults(2));
  EXPECT_TRUE(window_->PumpUntil([&] { return window_->RowInRed(kResults, 0); }, kDeadline));
  EXPECT_FALSE(window_->RowInRed(kResults, 1));
  const std::string counts = window_->Text(kCounts);
  EXPECT_TRUE(Contains(counts, CountText(TText::CountLogLost, 1))) << counts;
  EXPECT_TRUE(Contains(counts, CountText(TText::CountProgrammed, 2))) << counts;
  EXPECT_TRUE(Contains(window_->Text(kMessage), trackside::Text(TText::LogRowLost)));

  adapter->Control("block " + CarBlock("13"));
  ASSERT_TRUE(WaitForResults(3)) << "the race went on";
  EXPECT_EQ(adapter->Stores(), 3);
}

// Each reply comes late, so the car is still being programmed when the stop
// comes: it is stored and read back before the race ends.
TEST_F(TracksideSuite, StopWhileACarIsBeingProgrammedFinishesThatCarFirst) {
  window_->ChooseItem(kOtherCars, OtherCarsItem(THandicapPreset::Handy2));
  const auto adapter = ChosenAdapter({"--delay", "700", "--block", CarBlock("11")});
  Start();
  ASSERT_TRUE(WaitForStatus(TText::Programming));

  window_->Click(kStop);
  EXPECT_FALSE(window_->Enabled(kStop));
  EXPECT_FALSE(window_->Enabled(kStart)) << "the car in hand is not done yet";
  ASSERT_TRUE(WaitUntilIdle());
  const Rows results = window_->Rows(kResults);
  ASSERT_EQ(results.size(), 1U);
  EXPECT_EQ(results[0][kResultColumn], trackside::Text(TText::ResultOk));
  EXPECT_EQ(adapter->Stores(), 1);
}

TEST_F(TracksideSuite, ClosingWhileACarIsBeingProgrammedClosesOnceThatCarIsDone) {
  window_->ChooseItem(kOtherCars, OtherCarsItem(THandicapPreset::Handy2));
  const auto adapter = ChosenAdapter({"--delay", "700", "--block", CarBlock("11")});
  const std::string log = (work_.path() / "race.csv").string();
  ChooseLog(log);
  Start();
  ASSERT_TRUE(WaitForStatus(TText::Programming));

  window_->Close();
  EXPECT_TRUE(window_->WindowShown()) << "closed in the middle of a car";
  EXPECT_EQ(window_->Text(kMessage), trackside::Text(TText::Closing));
  ASSERT_TRUE(window_->PumpUntil([&] { return !window_->WindowShown(); }, kDeadline));
  EXPECT_EQ(adapter->Stores(), 1);
  std::ifstream file(log);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_TRUE(Contains(text.str(), ",ok")) << text.str();
}

}  // namespace
}  // namespace kx14::test
