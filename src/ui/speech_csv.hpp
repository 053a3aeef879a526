// The lines file dat/speech.csv: CP932 fields ended by a comma, CR or LF, taken
// seven at a time (levels 0..6) per event row. Parsing is a pure function of the
// file's bytes so that the loader, the tests and the fuzz target share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kerna {

inline constexpr int kSpeechLevels = 7;
inline constexpr int kSpeechEvents = 63;
inline constexpr int kSpeechTextBytes = 40;                     // two balloon rows
inline constexpr int kSpeechEntryBytes = kSpeechTextBytes + 1;  // and a zero byte
inline constexpr int kBalloonRowBytes = 20;

using SpeechLines = uint8_t[kSpeechLevels][kSpeechEvents][kSpeechEntryBytes];

// The length of the longest prefix of `text` of at most `limit` bytes that does
// not end inside a two-byte character.
size_t Cp932PrefixLength(std::string_view text, size_t limit);

// Fills `table` from the file's bytes. A zero byte or the end of the bytes ends
// the data (text after the last terminator is ignored); empty fields take no
// place. Fields longer than 40 bytes are cut at a character boundary and rows
// beyond the table are ignored, so nothing is ever written outside the table.
// Entries the file does not reach are left as they were.
void ParseSpeechCsv(std::string_view bytes, SpeechLines& table);

}  // namespace kerna
