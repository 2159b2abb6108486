#include "ui/form/handicap_presets.h"

#include <initializer_list>
#include <vector>

namespace kx14 {
namespace {

const char* const kHeading = "開発室から一言：";

using CommentLines = std::vector<const char*>;

const std::array<CommentLines, kPresetCount>& Comments() {
  static const std::array<CommentLines, kPresetCount> comments = {{
      {kHeading, "さぁ～いよいよ「Vorer仙人」の領域に達しました。",
       "これからはVorer仙人としてVorerの遊び方を切り開いてください。",
       "（オーバーテイク回数：１回）"},
      {kHeading, "ここからは、未知の領域。Vorerの走りを極めよう！！",
       "Vorer名人に相応しい走りで観客を魅了しよう。", "", "（オーバーテイク回数：３回）"},
      {kHeading, "あなたはスバリ上級者！Vorer界を盛り上げて！！", "", "",
       "（オーバーテイク回数：５回）"},
      {kHeading, "あと一歩で上級者。チャンス活かしてオーバーテイク！", "", "",
       "（オーバーテイク回数：６回）"},
      {kHeading, "Vorerにマッチするセッティングを極めろ！上級者を脅かせ！！", "",
       "（オーバーテイク回数：７回）"},
      {kHeading, "ここまで来れば、練習あるのみ！めざせ「Vorer仙人」！！", "",
       "（オーバーテイク回数：８回）"},
      {kHeading, "Vorerの走りのコツを掴めたかな？油断せずにしっかり走ろう！", "",
       "（オーバーテイク回数：９回）"},
      {kHeading, "上手くオーバーテイクを使いこなそう。コーナーリングを大切に！！", "",
       "（オーバーテイク回数：１０回）"},
      {kHeading, "まだまだ、Vorerの道は始まったばかり。ストレートで抜きまくれ！！", "",
       "（オーバーテイク回数：１５回）"},
      {kHeading,
       "Vorerにチャレンジしてくれて、ありがとう。オーバーテイク機能で自爆しないように練習してね！"
       "！",
       "", "（オーバーテイク回数：２５０回）"},
  }};
  return comments;
}

}  // namespace

const std::array<HandicapPreset, kPresetCount>& HandicapPresets() {
  static const std::array<HandicapPreset, kPresetCount> presets = {{
      {"Vorer仙人", 16},
      {"Vorer名人", 40},
      {"ハンデ無し", 64},
      {"ハンデ＋１", 88},
      {"ハンデ＋２", 112},
      {"ハンデ＋３", 136},
      {"ハンデ＋４", 160},
      {"ハンデ＋５", 184},
      {"ハンデ＋６", 208},
      {"ハンデ＋ＭＡＸ", 232},
  }};
  return presets;
}

std::string PresetComment(int index) {
  std::string comment;
  for (const char* line : Comments().at(static_cast<std::size_t>(index))) {
    if (!comment.empty()) comment += "\r\n";
    comment += line;
  }
  return comment;
}

std::string CommentHeading() { return kHeading; }

}  // namespace kx14
