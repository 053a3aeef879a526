// Fuzz target: the opening-book loader's parse must take any bytes, stay
// within the table and leave only well-formed lines behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "data/opening_book.hpp"

namespace {

bool IsSquareCode(int code) {
  return code == 0 || (code / 10 >= 1 && code / 10 <= 8 && code % 10 >= 1 && code % 10 <= 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One table reused across runs: it is large, and the parse clears it first.
  static const auto book = std::make_unique<kerna::OpeningBook>();
  kerna::ParseOpeningBook(std::string_view(reinterpret_cast<const char*>(data), size), *book);

  const int lines = book->LineCount;
  if (lines < 1 || lines > kerna::kBookCapacity) std::abort();
  if (book->MoveCount[0] != 0) std::abort();
  for (int line = 0; line <= lines; ++line) {
    if (book->MoveCount[line] > kerna::kBookSlots || book->Moves[line][0] != 0) std::abort();
    for (int slot = 1; slot <= kerna::kBookSlots; ++slot) {
      const int code = book->Moves[line][slot];
      if (!IsSquareCode(code)) std::abort();
      // A slot holds a move only within its line's count, and never in line 0.
      if (code != 0 && (line == 0 || slot > book->MoveCount[line])) std::abort();
    }
  }
  // Past the last line nothing was written (compared in one block: the table is large).
  static const auto zero = std::make_unique<kerna::OpeningBook>();
  const size_t rest = static_cast<size_t>(kerna::kBookCapacity - lines);
  if (std::memcmp(&book->MoveCount[lines + 1], &zero->MoveCount[lines + 1], rest) != 0 ||
      std::memcmp(&book->Moves[lines + 1], &zero->Moves[lines + 1], rest * sizeof book->Moves[0]) !=
          0) {
    std::abort();
  }
  return 0;
}
