// Run-time CP932 <-> UTF-8 conversion over the committed tables.
#include "platform/cp932.hpp"

namespace kerna::platform {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t DecodeCp932(int code) {
  if (code >= 0 && code <= 0xFF) return cp932_table::kSingleByte[code];
  if (code >= 0x8100 && code < 0xFD00) return cp932_table::kDoubleByte[code - 0x8100];
  return 0xFFFF;
}

std::string ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const int code = EncodeCp932(NextUtf8(utf8.data(), utf8.size(), pos));
    if (code < 0) {
      out += '?';
      continue;
    }
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return out;
}

std::string Sjis(std::u8string_view utf8) {
  return ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::string FromCp932(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (size_t i = 0; i < cp932.size(); ++i) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    char32_t c = 0xFFFF;
    if (IsCp932LeadByte(b) && i + 1 < cp932.size()) {
      c = DecodeCp932(b << 8 | static_cast<unsigned char>(cp932[i + 1]));
      ++i;
    } else {
      c = DecodeCp932(b);
    }
    AppendUtf8(out, c == 0xFFFF ? char32_t{0xFFFD} : c);
  }
  return out;
}

}  // namespace kerna::platform
