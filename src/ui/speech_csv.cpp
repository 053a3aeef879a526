// Parsing of the lines file into the speech table.
#include "ui/speech_csv.hpp"

#include <cstring>

#include "platform/cp932.hpp"

namespace kerna {

size_t Cp932PrefixLength(std::string_view text, size_t limit) {
  size_t length = 0;
  while (length < text.size()) {
    const bool pair =
        platform::IsCp932LeadByte(static_cast<uint8_t>(text[length])) && length + 1 < text.size();
    const size_t next = length + (pair ? 2 : 1);
    if (next > limit) break;
    length = next;
  }
  return length;
}

void ParseSpeechCsv(std::string_view bytes, SpeechLines& table) {
  // The data ends at the first zero byte, as if the file were a C string.
  bytes = bytes.substr(0, bytes.find('\0'));
  int level = 0;
  int event = 0;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size() && event < kSpeechEvents; ++i) {
    const char c = bytes[i];
    if (c != ',' && c != '\r' && c != '\n') continue;
    const std::string_view field = bytes.substr(start, i - start);
    start = i + 1;
    if (field.empty()) continue;  // an empty field takes no place
    uint8_t* entry = table[level][event];
    std::memset(entry, 0, kSpeechEntryBytes);
    std::memcpy(entry, field.data(), Cp932PrefixLength(field, kSpeechTextBytes));
    if (++level == kSpeechLevels) {
      level = 0;
      ++event;
    }
  }
}

}  // namespace kerna
