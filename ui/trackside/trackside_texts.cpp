#include "ui/trackside/trackside_texts.h"

#include <array>

namespace kx14::trackside {
namespace {

// Japanese, in the order of TText. The captions follow the main window's:
// short nouns, results as "...成功" / "...失敗".
constexpr auto kJapanese = std::to_array<const char*>({
    "KX-14 トラックサイド",
    "名簿を開く...",
    "名簿なし",
    "台 (識別: ",
    "名簿を使えません: ",
    "ID",
    "名前",
    "ハンデ",
    "備考",
    "名簿にない車両:",
    "書き込まない (スキップ)",
    "アダプタ",
    "ポート",
    "状態",
    "空き",
    "使用中: ",
    "PID 不明",
    "アクセス不可",
    "未接続",
    "レースで使用中",
    "ログファイル...",
    "ログなし",
    "開始",
    "停止",
    "アダプタの状態",
    "準備中",
    "車両待ち",
    "アダプタなし",
    "車両検出",
    "書き込み中",
    "書き込み成功",
    "書き込み失敗",
    "スキップ",
    "書き込み済みの車両",
    "停止",
    "結果 (新しい順)",
    "時刻",
    "アダプタ",
    "ドライバー",
    "名簿ハンデ",
    "旧ハンデ",
    "新ハンデ",
    "結果",
    "成功",
    "書き込み",
    "失敗",
    "スキップ",
    "ログ書けず",
    "台",
    "行",
    "未検出の車両",
    "行",
    "アダプタを選んでください",
    "名簿か、名簿にない車両のハンデを選んでください",
    "実行中",
    "停止中: 書き込み中の車両を終えています",
    "書き込み中の車両を終えてから閉じます",
    "停止しました",
    "ログを使えません: ",
    "ログに書けません: ",
    "履歴に記録できません: ",
});
static_assert(kJapanese.size() == static_cast<std::size_t>(TText::Count_), "one text for each");

}  // namespace

std::string Text(TText text) { return kJapanese[static_cast<std::size_t>(text)]; }

}  // namespace kx14::trackside
