// Emscripten 3.1.6's libc++ (13) has std::from_chars and std::to_chars for
// integers only; the game reads and writes its decimal numbers with the
// floating-point ones. The browser build includes this header before every
// source (-include) to supply them on top of the C library, with the same
// results for the forms the game uses: no leading blanks or '+', no hex, the
// shortest text that reads back for the plain float/double forms.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace std {

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
  const char* digits = first != last && *first == '-' ? first + 1 : first;
  if (digits == last || !(std::isdigit(static_cast<unsigned char>(*digits)) || *digits == '.' ||
                          *digits == 'i' || *digits == 'I' || *digits == 'n' || *digits == 'N')) {
    return {first, errc::invalid_argument};
  }
  // from_chars knows no hex: "0x1" is the number 0 followed by "x1".
  std::string text(first, last);
  const size_t hex = text.find_first_of("xX");
  if (hex != std::string::npos) text.resize(hex);
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return {first, errc::invalid_argument};
  value = parsed;
  return {first + (end - text.c_str()), errc()};
}

namespace kerna_charconv {

inline to_chars_result Copy(char* first, char* last, const char* text) {
  const size_t length = std::strlen(text);
  if (static_cast<size_t>(last - first) < length) return {last, errc::value_too_large};
  std::memcpy(first, text, length);
  return {first + length, errc()};
}

template <typename Real>
to_chars_result Shortest(char* first, char* last, Real value, int most_digits) {
  char text[64];
  for (int digits = 1; digits <= most_digits; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (static_cast<Real>(std::strtod(text, nullptr)) == value) break;
  }
  return Copy(first, last, text);
}

}  // namespace kerna_charconv

inline to_chars_result to_chars(char* first, char* last, float value) {
  return kerna_charconv::Shortest(first, last, value, 9);
}

inline to_chars_result to_chars(char* first, char* last, double value) {
  return kerna_charconv::Shortest(first, last, value, 17);
}

inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
  char text[512];
  const char* pattern = format == chars_format::fixed        ? "%.*f"
                        : format == chars_format::scientific ? "%.*e"
                                                             : "%.*g";
  std::snprintf(text, sizeof text, pattern, precision, value);
  return kerna_charconv::Copy(first, last, text);
}

}  // namespace std
