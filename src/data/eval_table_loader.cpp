// Loading dat\table.dat at program start: the file and the screen. The record
// rules themselves are in eval_table_parse.cpp.
#include "data/eval_table_loader.hpp"

namespace kerna {
namespace {

constexpr int kWhiteText = 7;
constexpr int kBlueBackground = 1;
constexpr int kBlackBackground = 0;
constexpr int kMessageColumn = 14;
constexpr int kMessageRow = 8;
constexpr int kProgressRow = 9;

}  // namespace

void EvalTableLoader::LoadEvalTables() {
  platform::Platform& io = io_;
  io.SetTextColour(kWhiteText, kBlueBackground);
  io.MoveCursor(kMessageColumn, kMessageRow);
  io.Print("ファイル読み込み中です。しばらくお待ち下さい"_sjis);
  io.Print("\r\n");
  // The progress line is overwritten in place as the percentage counts up.
  ParseEvalTables(io.ReadWholeFile("dat\\table.dat"), tables_, [&io](int percent) {
    io.MoveCursor(kMessageColumn, kProgressRow);
    io.PrintNumber(percent);
    io.Print(" ");
    io.Print("%");
    io.Print("\r\n");
  });
  io.SetTextColour(kWhiteText, kBlackBackground);
}

}  // namespace kerna
