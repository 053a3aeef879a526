// Loading the opening book at program start: the file and the loading message.
// The record rules themselves are in opening_book_parse.cpp.
#include "data/opening_book.hpp"

namespace kerna {
namespace {

constexpr int kWhiteText = 7;
constexpr int kBlueBackground = 1;
constexpr int kBlackBackground = 0;

// "定石ファイル読み込み中です。しばらくお待ち下さい" in CP932, then a line break.
constexpr std::string_view kLoadingMessage =
    "\x92\xe8\x90\xce\x83\x74\x83\x40\x83\x43\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd"
    "\x92\x86\x82\xc5\x82\xb7\x81\x42\x82\xb5\x82\xce\x82\xe7\x82\xad\x82\xa8\x91\xd2"
    "\x82\xbf\x89\xba\x82\xb3\x82\xa2\r\n";

}  // namespace

void OpeningBookLoader::LoadOpeningBook() {
  platform::Platform& io = io_;
  io.SetTextColour(kWhiteText, kBlueBackground);
  io.MoveCursor(14, 8);
  io.Print(kLoadingMessage);
  ParseOpeningBook(io.ReadWholeFile("dat\\zyouseki.txt"), book_);
  io.SetTextColour(kWhiteText, kBlackBackground);
}

}  // namespace kerna
