// The record rules of the opening-book file: turning its bytes into book
// lines. Kept apart from the loader so that it needs neither file nor screen.
#include <algorithm>
#include <array>
#include <cstring>

#include "data/opening_book.hpp"

namespace kerna {
namespace {

int ColumnOf(char c) {
  if (c >= 'a' && c <= 'h') return c - 'a' + 1;
  if (c >= 'A' && c <= 'H') return c - 'A' + 1;
  return 0;
}

int RowOf(char c) {
  return (c >= '1' && c <= '8') ? c - '0' : 0;
}

// The bytes of one record before its terminator. A record holds at most 255
// bytes with its terminator, so at most 254 are kept; 121 suffice for 60 moves.
struct Record {
  std::array<char, kBookRecordBytes - 1> bytes{};
  int length = 0;
};

// Reads the record starting at `pos` and leaves `pos` after it. Returns false
// when the end of the data was reached inside the record (the record still
// counts). Bytes beyond what a record holds are consumed but not kept.
bool ReadRecord(std::string_view data, size_t& pos, Record& record) {
  while (pos < data.size()) {
    const char c = data[pos++];
    if (c == ',') return true;
    if (c == '\r') {
      // The byte after a CR (the LF) is skipped, but never past the end of the
      // data: a file ending in a bare CR must not be read beyond its last byte.
      if (pos < data.size()) ++pos;
      return true;
    }
    if (record.length < static_cast<int>(record.bytes.size())) record.bytes[record.length++] = c;
  }
  return false;
}

}  // namespace

void ParseOpeningBook(std::string_view bytes, OpeningBook& book) {
  std::memset(book.MoveCount, 0, sizeof book.MoveCount);
  std::memset(book.Moves, 0, sizeof book.Moves);
  // A zero byte ends the data just as the end of the file does.
  const std::string_view data = bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));

  size_t pos = 0;
  int line = 1;
  for (;;) {
    Record record;
    const bool more = ReadRecord(data, pos, record);
    // Two characters per move; a trailing half pair is no move. For a record
    // ended by a comma or CR this is (L - 1) / 2 with L counting the terminator.
    book.MoveCount[line] = static_cast<uint8_t>(std::min(record.length / 2, kBookSlots));
    for (int i = 0; i + 1 < record.length && i / 2 + 1 <= kBookSlots; i += 2) {
      const int x = ColumnOf(record.bytes[i]);
      const int y = RowOf(record.bytes[i + 1]);
      if (x * y != 0) book.Moves[line][i / 2 + 1] = static_cast<uint8_t>(10 * x + y);
    }
    if (!more || line == kBookCapacity) break;  // records after the 7000th are ignored
    ++line;
  }
  book.LineCount = static_cast<int16_t>(line);
}

}  // namespace kerna
