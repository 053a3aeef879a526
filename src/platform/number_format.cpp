// The game's number format (see number_format.hpp).
#include "platform/number_format.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kerna::platform {

std::string FormatNumber(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (value == 0) return "0";  // also -0
  // Round to 15 significant digits first; the rounded exponent picks the form.
  char scientific[40];
  std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(value));
  const std::string_view rounded = scientific;
  const size_t e = rounded.find('e');
  const int exponent = std::atoi(scientific + e + 1);
  std::string out = value < 0 ? "-" : "";
  if (exponent > 15 || exponent < -3) {
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out.append(rounded.substr(0, e));
    return out + tail;
  }
  // Fixed form from the same 15 rounded digits, so it never shows more of them.
  std::string digits{scientific[0]};
  digits.append(rounded.substr(2, e - 2));
  std::string fixed;
  if (exponent >= 0) {
    digits.resize(std::max<size_t>(digits.size(), exponent + 1), '0');
    fixed = digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
  } else {
    fixed = "0." + std::string(-exponent - 1, '0') + digits;
  }
  while (fixed.back() == '0') fixed.pop_back();
  if (fixed.back() == '.') fixed.pop_back();
  return out + fixed;
}

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

double ParseNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i + 1 < text.size() && text[i] == '&') {
    const char kind = text[i + 1];
    const int base = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
    if (base != 0) {
      double value = 0;
      for (i += 2; i < text.size() && DigitValue(text[i]) < base; ++i) {
        value = value * base + DigitValue(text[i]);
      }
      return value;
    }
  }
  // Collect the longest prefix that is a decimal number, then let strtod read it.
  std::string number;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
  bool any_digit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i, any_digit = true) number += text[i];
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    for (; i < text.size() && IsDigit(text[i]); ++i, any_digit = true) number += text[i];
  }
  if (!any_digit) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      number += 'e';
      number.append(text.substr(i + 1, j - i - 1));
      for (; j < text.size() && IsDigit(text[j]); ++j) number += text[j];
    }
  }
  return std::strtod(number.c_str(), nullptr);
}

double IntegerPart(double value) {
  return std::floor(value);
}

double Absolute(double value) {
  return std::fabs(value);
}

int Sign(double value) {
  return value > 0 ? 1 : value < 0 ? -1 : 0;
}

}  // namespace kerna::platform
