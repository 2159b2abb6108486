#pragma once

#include <stdexcept>
#include <string>

namespace kx14 {

// Every failure of the serial component, with one of the fixed messages below
// (UTF-8).
class ECommError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace comm_msg {
inline constexpr const char* kAlreadyOpen = "ポートは、すでにオープンされています";
inline constexpr const char* kCannotOpen = "ポートをオープンできませんでした";
inline constexpr const char* kTransThread = "送信用スレッドを生成できませんでした";
inline constexpr const char* kReceiveThread = "受信用スレッドを生成できませんでした";
inline constexpr const char* kBitRate = "通信速度の設定でエラーが発生しました";
inline constexpr const char* kCharSize = "通信ビット数の設定でエラーが発生しました";
inline constexpr const char* kParity = "通信パリティチェックの設定でエラーが発生しました";
inline constexpr const char* kStopBit = "通信ストップビット数の設定でエラーが発生しました";
inline constexpr const char* kFlowCtrl = "通信フロー制御の設定で失敗しました";
inline constexpr const char* kTimeOuts = "通信タイムアウト時間の設定で失敗しました";
inline constexpr const char* kXonChar = "Ｘｏｎ文字の設定でエラーが発生しました";
inline constexpr const char* kXoffChar = "Ｘｏｆｆ文字の設定でエラーが発生しました";
inline constexpr const char* kBufLen = "通信用ポートのバッファを準備できませんでした";
}  // namespace comm_msg

}  // namespace kx14
