// The texts are the game's own, printed with their exact blanks; numbers go
// through the game's number format. In hint mode the turn runs for the human
// and prints nothing here: the hint shows its own lines afterwards.
#include "ai/thinking_messages.hpp"

#include <string>

#include "game/game.hpp"

namespace kerna {

namespace {

constexpr std::string_view kMyTurnWhite = "私の（白）の番"_sjis;
constexpr std::string_view kMyTurnBlack = "私の（黒）の番"_sjis;
constexpr std::string_view kThinking = "考えています。"_sjis;
constexpr std::string_view kPliesAhead = "手先読み"_sjis;
constexpr std::string_view kCutOpen = "→("_sjis;
constexpr std::string_view kMovesCut = "手カット)"_sjis;
constexpr std::string_view kOpenness = "開放度"_sjis;

}  // namespace

int ThinkingMessages::MessageRow() const {
  return static_cast<int>(g_.start.MessageRow);
}

void ThinkingMessages::BlankRow(int row) {
  g_.io.MoveCursor(kColumn, row);
  g_.io.Print(std::string(kRowWidth, ' '));
}

void ThinkingMessages::PrintTurnMessage() {
  g_.io.MoveCursor(kColumn, kTurnRow);
  g_.io.Print(g_.board.SideToMove == kWhite ? kMyTurnWhite : kMyTurnBlack);
  g_.io.Print("\r\n");
}

void ThinkingMessages::ClearMessageRows() {
  const int row = MessageRow();
  for (int r = row; r <= row + 3; ++r) BlankRow(r);
}

void ThinkingMessages::ShowThinking(int row) {
  ClearMessageRows();
  g_.io.MoveCursor(kColumn, row);
  g_.io.Print(kThinking);
  BlankRow(MessageRow() + 4);
}

void ThinkingMessages::PrintOpenness() {
  g_.io.MoveCursor(kColumn, MessageRow() + 2);
  g_.io.Print(kOpenness);
  g_.io.Print(" ");
  g_.io.PrintNumber(g_.board.OpennessSum);
  g_.io.Print("     ");
}

void ThinkingMessages::OnProgress(int ply) {
  if (next_ != nullptr) next_->OnProgress(ply);
}

void ThinkingMessages::OnDeepPass() {
  if (g_.flow.HintMode == 0) PrintLookAhead();
  if (next_ != nullptr) next_->OnDeepPass();
}

void ThinkingMessages::PrintLookAhead() {
  const AiState& a = g_.ai;
  g_.io.MoveCursor(kColumn, MessageRow() + 1);
  g_.io.PrintNumber(a.LookAheadDepth);
  g_.io.Print(" ");
  g_.io.Print(kPliesAhead);
  g_.io.Print("\r\n");
  if (a.MovesCut <= 0) return;
  // Every legal move was a root candidate before the cut (the count is the turn's own).
  g_.io.MoveCursor(kColumn, MessageRow() + 2);
  g_.io.PrintNumber(g_.board.LegalMoveCount);
  g_.io.Print(" ");
  g_.io.Print(kCutOpen);
  g_.io.Print(" ");
  g_.io.PrintNumber(a.MovesCut);
  g_.io.Print(" ");
  g_.io.Print(kMovesCut);
  g_.io.Print("\r\n");
}

}  // namespace kerna
