// Fuzz target: the opening-book loader's parse must take any bytes, stay
// within the table and leave only well-formed lines behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

  if (book->LineCount < 1 || book->LineCount > kerna::kBookCapacity) std::abort();
  for (int line = 0; line <= kerna::kBookCapacity; ++line) {
    if (book->MoveCount[line] > kerna::kBookSlots || book->Moves[line][0] != 0) std::abort();
    if (line > book->LineCount && book->MoveCount[line] != 0) std::abort();
    for (int slot = 1; slot <= kerna::kBookSlots; ++slot) {
      const int code = book->Moves[line][slot];
      if (!IsSquareCode(code)) std::abort();
      if (code != 0 && (line == 0 || line > book->LineCount || slot > book->MoveCount[line])) {
        std::abort();
      }
    }
  }
  return 0;
}
