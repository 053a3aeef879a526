// The opening book: the table of recorded openings the computer follows while
// the game matches one of them, and its loader for dat\zyouseki.txt.
//
// The file is a run of records, one book line each, written as move pairs
// ("f5d6c3"). A record ends at a comma, at a CR (the byte after the CR is
// skipped, normally the LF) or at the end of the data. Every line is stored
// with its moves as square codes 10*X + Y in slots 1..60; a malformed pair
// keeps its slot at 0 but still uses the slot number. A line's move count is
// its number of whole pairs, which for a record ended by a comma or CR is
// (L - 1) / 2 with L counting the terminator; a last record ended by the end
// of the data is counted the same way, by its pairs, so that its count always
// covers the slots it fills.
//
// Input outside the format never reaches past the table: bytes after the
// 255th of a record are ignored, moves after slot 60 are ignored, and records
// after the 7000th are ignored.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform.hpp"

namespace kerna {

inline constexpr int kBookCapacity = 7000;    // lines 1..7000; line 0 is never used
inline constexpr int kBookSlots = 60;         // slots 1..60; slot 0 is never used
inline constexpr int kBookRecordBytes = 255;  // record length including its terminator

struct OpeningBook {
  int16_t LineCount = 0;
  uint8_t MoveCount[kBookCapacity + 1] = {};
  uint8_t Moves[kBookCapacity + 1][kBookSlots + 1] = {};
};

// Clears the book and fills it from the bytes of a book file. The loader's parse, kept
// apart from the file and screen so that tests and the fuzz target can feed it
// bytes directly.
void ParseOpeningBook(std::string_view bytes, OpeningBook& book);

class OpeningBookLoader {
 public:
  OpeningBookLoader(platform::Platform& io, OpeningBook& book) : io_(io), book_(book) {}

  // Shows the loading message and reads dat\zyouseki.txt into the book. A
  // missing file reads as empty: one empty line, so the computer plays without
  // a book.
  void LoadOpeningBook();

 private:
  platform::Platform& io_;
  OpeningBook& book_;
};

}  // namespace kerna
