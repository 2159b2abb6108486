// The ten handicap presets, on every toolkit: captions, places, comments and
// limits, and that a preset's handler runs only when its button becomes
// selected (by mouse, arrow key or from code).

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

const char* const kHeading = "開発室から一言：";
bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class Presets : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }
  void ExpectLimit(int limit) {
    EXPECT_EQ(window->Position("THR_BAR"), limit);
    EXPECT_EQ(window->Text("THR_EDIT"), std::to_string(limit));
  }
  std::unique_ptr<WindowDriver> window;
};

struct PresetRow {
  int index;
  const char* caption;
  int top;
  int limit;
  const char* comment;
};

void PrintTo(const PresetRow& row, std::ostream* out) { *out << kPresets[row.index]; }

class PresetClicks : public Presets, public ::testing::WithParamInterface<PresetRow> {};

TEST_P(PresetClicks, ShowItsCommentAndSetItsLimit) {
  const PresetRow& row = GetParam();
  const std::string button = kPresets[row.index];
  EXPECT_EQ(window->Text(button), row.caption);
  EXPECT_EQ(window->PlaceOf(button), (Place{96, row.top, 105, 18}));
  // Start from another preset, so that Handy0 too becomes newly selected.
  const std::string other = kPresets[row.index == 9 ? 0 : 9];
  window->Click(other);
  EXPECT_TRUE(window->Checked(other));
  window->Click(button);
  EXPECT_TRUE(window->Checked(button));
  EXPECT_FALSE(window->Checked(other));
  EXPECT_EQ(window->Text("K_Comment"), row.comment);
  EXPECT_FALSE(EndsWith(row.comment, "\r\n"));
  ExpectLimit(row.limit);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PresetClicks,
    ::testing::Values(PresetRow{0, "Vorer仙人", 16, 1,
                                "開発室から一言：\r\n"
                                "さぁ～いよいよ「Vorer仙人」の領域に達しました。\r\n"
                                "これからはVorer仙人としてVorerの遊び方を切り開いてください。\r\n"
                                "（オーバーテイク回数：１回）"},
                      PresetRow{1, "Vorer名人", 40, 3,
                                "開発室から一言：\r\n"
                                "ここからは、未知の領域。Vorerの走りを極めよう！！\r\n"
                                "Vorer名人に相応しい走りで観客を魅了しよう。\r\n"
                                "\r\n"
                                "（オーバーテイク回数：３回）"},
                      PresetRow{2, "ハンデ無し", 64, 5,
                                "開発室から一言：\r\n"
                                "あなたはスバリ上級者！Vorer界を盛り上げて！！\r\n"
                                "\r\n"
                                "\r\n"
                                "（オーバーテイク回数：５回）"},
                      PresetRow{3, "ハンデ＋１", 88, 6,
                                "開発室から一言：\r\n"
                                "あと一歩で上級者。チャンス活かしてオーバーテイク！\r\n"
                                "\r\n"
                                "\r\n"
                                "（オーバーテイク回数：６回）"},
                      PresetRow{4, "ハンデ＋２", 112, 7,
                                "開発室から一言：\r\n"
                                "Vorerにマッチするセッティングを極めろ！上級者を脅かせ！！\r\n"
                                "\r\n"
                                "（オーバーテイク回数：７回）"},
                      PresetRow{5, "ハンデ＋３", 136, 8,
                                "開発室から一言：\r\n"
                                "ここまで来れば、練習あるのみ！めざせ「Vorer仙人」！！\r\n"
                                "\r\n"
                                "（オーバーテイク回数：８回）"},
                      PresetRow{6, "ハンデ＋４", 160, 9,
                                "開発室から一言：\r\n"
                                "Vorerの走りのコツを掴めたかな？油断せずにしっかり走ろう！\r\n"
                                "\r\n"
                                "（オーバーテイク回数：９回）"},
                      PresetRow{7, "ハンデ＋５", 184, 10,
                                "開発室から一言：\r\n"
                                "上手くオーバーテイクを使いこなそう。コーナーリングを大切に！！\r\n"
                                "\r\n"
                                "（オーバーテイク回数：１０回）"},
                      PresetRow{
                          8, "ハンデ＋６", 208, 15,
                          "開発室から一言：\r\n"
                          "まだまだ、Vorerの道は始まったばかり。ストレートで抜きまくれ！！\r\n"
                          "\r\n"
                          "（オーバーテイク回数：１５回）"},
                      PresetRow{9, "ハンデ＋ＭＡＸ", 232, 250,
                                "開発室から一言：\r\n"
                                "Vorerにチャレンジしてくれて、ありがとう。"
                                "オーバーテイク機能で自爆しないように練習してね！！\r\n"
                                "\r\n"
                                "（オーバーテイク回数：２５０回）"}));

TEST_F(Presets, Handy0IsSelectedAtStartWithoutItsHandler) {
  EXPECT_TRUE(window->Checked("Handy0"));
  EXPECT_EQ(window->Text("K_Comment"), kHeading);
  // The stored level agrees with the one shown: Handy0's count, 5.
  ExpectLimit(5);
}

TEST_F(Presets, ClickingTheSelectedPresetChangesNothing) {
  window->Click("Handy0");  // right after start
  EXPECT_EQ(window->Text("K_Comment"), kHeading);
  EXPECT_EQ(window->Position("THR_BAR"), 5);

  window->Click("Handy3");
  window->SetPosition("THR_BAR", 42);  // e.g. a value read from the device
  window->SetText("K_Comment", "x");
  window->Click("Handy3");
  EXPECT_EQ(window->Position("THR_BAR"), 42);
  EXPECT_EQ(window->Text("K_Comment"), "x");

  window->Click("Handy0");  // now a change
  ExpectLimit(5);
  EXPECT_TRUE(EndsWith(window->Text("K_Comment"), "（オーバーテイク回数：５回）"));
}

TEST_F(Presets, LimitsReachBothEndsOfTheBar) {
  window->Click("Handy_7");
  ExpectLimit(250);
  window->Click("Handy_S");
  ExpectLimit(1);
}

// The comment is replaced although the limit stays: the bar's handler does
// not run (its field keeps a text it would rewrite).
TEST_F(Presets, EqualLimitStillReplacesTheComment) {
  window->SetPosition("THR_BAR", 8);
  window->SetText("THR_EDIT", "untouched");
  window->Click("Handy3");
  EXPECT_TRUE(EndsWith(window->Text("K_Comment"), "（オーバーテイク回数：８回）"));
  EXPECT_EQ(window->Position("THR_BAR"), 8);
  EXPECT_EQ(window->Text("THR_EDIT"), "UNTOUCHED");  // an upper-case field
}

TEST_F(Presets, ArrowKeysMoveTheSelectionAndRunTheHandler) {
  window->Focus("Handy0");
  ASSERT_EQ(window->Focused(), "Handy0");
  window->Press(Key::kDown);
  EXPECT_TRUE(window->Checked("Handy1"));
  EXPECT_EQ(window->Focused(), "Handy1");
  EXPECT_EQ(window->Position("THR_BAR"), 6);
  window->Press(Key::kUp);
  window->Press(Key::kUp);
  EXPECT_TRUE(window->Checked("Handy_M"));
  EXPECT_EQ(window->Position("THR_BAR"), 3);
  EXPECT_TRUE(EndsWith(window->Text("K_Comment"), "（オーバーテイク回数：３回）"));
}

// What a read does: set the limit it read, then select the preset.
TEST_F(Presets, SelectingFromCodeRunsTheHandlerOnlyOnAChange) {
  window->SetPosition("THR_BAR", 12);
  window->Select("Handy6");
  EXPECT_EQ(window->Position("THR_BAR"), 15);
  EXPECT_TRUE(EndsWith(window->Text("K_Comment"), "（オーバーテイク回数：１５回）"));
  window->SetText("K_Comment", "kept");
  window->SetPosition("THR_BAR", 12);
  window->Select("Handy6");  // already selected
  EXPECT_EQ(window->Position("THR_BAR"), 12);
  EXPECT_EQ(window->Text("K_Comment"), "kept");
}

TEST_F(Presets, PresetsFormOneGroupApartFromTheOnOffPairs) {
  for (const char* clicked : kPresets) {
    window->Click(clicked);
    for (const char* button : kPresets) {
      EXPECT_EQ(window->Checked(button), std::string(button) == clicked) << button;
    }
  }
  EXPECT_TRUE(window->Checked("OT_OFF"));
  EXPECT_TRUE(window->Checked("MAS_OFF"));
  EXPECT_TRUE(window->Checked("BUP_5Ah"));
  window->Select("OT_ON");
  EXPECT_TRUE(window->Checked("Handy_7"));
  EXPECT_FALSE(window->Checked("OT_OFF"));
  EXPECT_TRUE(window->Checked("MAS_OFF"));
}

}  // namespace
}  // namespace kx14::test
