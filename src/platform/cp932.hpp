// Text conversion between UTF-8 (how this project's sources spell Japanese) and
// CP932 (the Shift-JIS bytes the game stores, prints and reads from its files).
//
// Game code writes Japanese literals readably and converts them at compile time:
//
//   io.Print("評価値 "_sjis);          // std::string_view of CP932 bytes, no run-time cost
//
// The literal operator lives in namespace kerna (game code finds it without a
// using-declaration; elsewhere: `using kerna::operator""_sjis;`). A character
// that CP932 cannot encode is a compile error. For text known only at run time
// use ToCp932 / FromCp932 below; Sjis(u8"…") is the run-time spelling of the
// literal for code that prefers a function.
//
// The tables come from tools/cp932 (generated once from glibc iconv and
// committed), so nothing here depends on the system's iconv.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/cp932_table.hpp"

namespace kerna::platform {

// True for the first byte of a two-byte CP932 character.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsCp932TrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The CP932 code of a Unicode character (one byte, or lead << 8 | trail); -1 when
// CP932 has no such character.
constexpr int EncodeCp932(char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  if (c > 0xFFFF) return -1;
  const auto& table = cp932_table::kEncode;
  size_t low = 0;
  size_t high = sizeof table / sizeof table[0];
  while (low < high) {
    const size_t mid = (low + high) / 2;
    if (table[mid].unicode < c) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (low < sizeof table / sizeof table[0] && table[low].unicode == c) return table[low].cp932;
  return -1;
}

// Decodes one UTF-8 character at text[pos], advancing pos; U+FFFD for a bad sequence.
template <typename Char>
constexpr char32_t NextUtf8(const Char* text, size_t size, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char b0 = byte(pos);
  int extra = 0;
  char32_t c = 0;
  if (b0 < 0x80) {
    c = b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1, c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, c = b0 & 0x07;
  } else {
    ++pos;
    return 0xFFFD;
  }
  ++pos;
  for (int i = 0; i < extra; ++i) {
    if (pos >= size || (byte(pos) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (byte(pos) & 0x3F);
    ++pos;
  }
  return c;
}

// UTF-8 -> CP932; a character CP932 lacks becomes '?'.
std::string ToCp932(std::string_view utf8);
// CP932 -> UTF-8; a byte or pair that decodes to nothing becomes U+FFFD.
std::string FromCp932(std::string_view cp932);
// The Unicode character of one CP932 code (one byte, or lead << 8 | trail); 0xFFFF if none.
char32_t DecodeCp932(int code);
// ToCp932 for a u8"" literal.
std::string Sjis(std::u8string_view utf8);

// A string literal's bytes, usable as a template argument.
template <typename Char, size_t N>
struct LiteralText {
  Char bytes[N]{};
  consteval LiteralText(const Char (&text)[N]) {
    for (size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
};

// The CP932 bytes of a literal, computed by the compiler. CP932 never needs more
// bytes than UTF-8 for the same text, so N is enough room.
template <size_t N>
struct Cp932Bytes {
  char bytes[N]{};
  size_t size = 0;
  constexpr std::string_view view() const { return {bytes, size}; }
};

template <typename Char, size_t N>
consteval Cp932Bytes<N> EncodeLiteral(const LiteralText<Char, N>& text) {
  Cp932Bytes<N> out;
  size_t pos = 0;
  while (pos < N - 1) {  // the last element is the terminating zero
    const int code = EncodeCp932(NextUtf8(text.bytes, N - 1, pos));
    if (code < 0) throw "character not in CP932";  // makes the literal ill-formed
    if (code > 0xFF) out.bytes[out.size++] = static_cast<char>(code >> 8);
    out.bytes[out.size++] = static_cast<char>(code & 0xFF);
  }
  return out;
}

template <LiteralText text>
inline constexpr auto kCp932Literal = EncodeLiteral(text);

}  // namespace kerna::platform

namespace kerna {

// "評価値"_sjis or u8"評価値"_sjis: the CP932 bytes as a std::string_view with static storage.
template <platform::LiteralText text>
consteval std::string_view operator""_sjis() {
  return platform::kCp932Literal<text>.view();
}

}  // namespace kerna
