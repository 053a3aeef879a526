// The hostess's fixed texts, as the CP932 bytes the text grid prints.
#pragma once

#include <string_view>

#include "platform/cp932.hpp"

namespace kerna::hostess_texts {

inline constexpr std::string_view kLoadingMessage =
    "セリフファイル読み込み中です。しばらくお待ち下さい"_sjis;
inline constexpr std::string_view kCornerFirstRow = "やった！"_sjis;
inline constexpr std::string_view kCornerSecondRow = "スミとっちゃった！"_sjis;
inline constexpr std::string_view kDrawText = "引き分けです    "_sjis;
inline constexpr std::string_view kWelcomeBackText = "続きを打ちましょう"_sjis;
inline constexpr std::string_view kStopFailed = "デバイスの停止に失敗"_sjis;
inline constexpr std::string_view kOpenFailed = "デバイスのオープンに失敗!"_sjis;
inline constexpr std::string_view kPlayFailed = "デバイスの再生に失敗"_sjis;
inline constexpr std::string_view kErrorCaption = "error";

}  // namespace kerna::hostess_texts
