// CP932 conversion: compile-time literals, run-time conversion both ways.
#include <gtest/gtest.h>

#include "platform/cp932.hpp"

namespace kerna::platform {
namespace {

using kerna::operator""_sjis;

TEST(Cp932, LiteralIsConvertedAtCompileTime) {
  constexpr std::string_view value = "評価値 -12"_sjis;
  static_assert(value.size() == 10);
  EXPECT_EQ(value, std::string_view("\x95\x5d\x89\xbf\x92\x6c -12"));
  static_assert(u8"ｱ"_sjis == std::string_view("\xb1"));  // half-width katakana: one byte
  EXPECT_EQ(Sjis(u8"ケルナ"), std::string(u8"ケルナ"_sjis));
}

TEST(Cp932, RoundTripsJapaneseText) {
  const std::string utf8 = "ケルナのリバーシ V2.73 待った ヒント ～";
  EXPECT_EQ(FromCp932(ToCp932(utf8)), utf8);
  // The wave dash is written as Windows writes it.
  EXPECT_EQ(ToCp932("～"), "\x81\x60");
}

TEST(Cp932, UnknownCharactersAndBrokenBytes) {
  EXPECT_EQ(ToCp932("a😀b"), "a?b");
  EXPECT_EQ(FromCp932("\x82"), "\xEF\xBF\xBD");  // lead byte without its trail
  EXPECT_EQ(DecodeCp932(0x82A0), U'あ');
  EXPECT_EQ(EncodeCp932(U'あ'), 0x82A0);
  EXPECT_EQ(EncodeCp932(0x10000), -1);
}

}  // namespace
}  // namespace kerna::platform
