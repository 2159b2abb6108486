#pragma once

// The four outcomes that the read and program operations show in the
// window's information field MON_EDIT (UTF-8).

#include <string_view>

namespace kx14::info_text {

inline constexpr std::string_view kReadSucceeded = "読み取り成功";
inline constexpr std::string_view kReadFailed = "読み取り失敗";
inline constexpr std::string_view kProgramSucceeded = "書き込み成功";
inline constexpr std::string_view kProgramFailed = "書き込み失敗";

}  // namespace kx14::info_text
