// The texts are the game's own, printed with their exact blanks; numbers go
// through the game's number format.
#include "ui/thinking_messages.hpp"

#include <string>

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
  return text_.MessageRow();
}

void ThinkingMessages::PrintTurnMessage() {
  io_.MoveCursor(kPanelMessageColumn, kTurnMessageRow);
  io_.Print(board_.SideToMove == kWhite ? kMyTurnWhite : kMyTurnBlack);
  io_.Print("\r\n");
}

void ThinkingMessages::ClearMessageRows() {
  text_.BlankRows(MessageRow(), MessageRow() + 3);
}

void ThinkingMessages::ShowThinking(int row) {
  ClearMessageRows();
  text_.PrintAt(kPanelMessageColumn, row, kThinking);
  text_.BlankThinkTimeRow();
}

void ThinkingMessages::PrintOpenness() {
  io_.MoveCursor(kPanelMessageColumn, MessageRow() + 2);
  io_.Print(kOpenness);
  io_.Print(" ");
  io_.PrintNumber(board_.OpennessSum);
  io_.Print("     ");
}

void ThinkingMessages::PrintLookAhead() {
  const AiState& a = ai_;
  io_.MoveCursor(kPanelMessageColumn, MessageRow() + 1);
  io_.PrintNumber(a.LookAheadDepth);
  io_.Print(" ");
  io_.Print(kPliesAhead);
  io_.Print("\r\n");
  if (a.MovesCut <= 0) return;
  // Every legal move was a root candidate before the cut (the count is the turn's own).
  io_.MoveCursor(kPanelMessageColumn, MessageRow() + 2);
  io_.PrintNumber(board_.LegalMoveCount);
  io_.Print(" ");
  io_.Print(kCutOpen);
  io_.Print(" ");
  io_.PrintNumber(a.MovesCut);
  io_.Print(" ");
  io_.Print(kMovesCut);
  io_.Print("\r\n");
}

}  // namespace kerna
