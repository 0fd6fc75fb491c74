#pragma once

#include <string_view>

namespace velune::texts {

// The game's own words, as the window shows them.
inline constexpr std::string_view kTitle = "Velune";
inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kEmptyCaption = "\u3000";  // one ideographic space
inline constexpr std::string_view kContinueMark = "\u3000\u3000\u25BC";
inline constexpr std::string_view kPromptText = "（彼女にあげなければ・・・）★";
inline constexpr std::string_view kGiveCaption = "あげる・・・";
inline constexpr std::string_view kLoveNote = "♪";
inline constexpr std::string_view kLoveWord = " love・・・";
inline constexpr std::string_view kStoryTip = "右クリックすっ飛ばし";
inline constexpr std::string_view kListTip = "ここのリストからあげるものを選んでね";
inline constexpr std::string_view kGiveTip = "上のリストからあげるものを選んでね";
inline constexpr std::string_view kAboutSecondLine = "良かったら同封のアンケートに答えてね♪";

}  // namespace velune::texts
