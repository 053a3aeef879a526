// What the panel's message area shows while the computer thinks: whose turn
// it is, "考えています。", the look-ahead depth and the moves cut at levels 5
// and 6, and the openness of a solver's move.
#pragma once

#include "ai/ai_state.hpp"
#include "board/board_state.hpp"
#include "platform/platform.hpp"
#include "ui/panel_layout.hpp"
#include "ui/panel_text.hpp"

namespace kerna {

class ThinkingMessages {
 public:
  ThinkingMessages(platform::Platform& io, PanelText& text, const BoardState& board,
                   const AiState& ai)
      : io_(io), text_(text), board_(board), ai_(ai) {}

  // "私の（白）の番" or "私の（黒）の番" for SideToMove, on the turn message row.
  void PrintTurnMessage();
  // Blanks rows MessageRow .. MessageRow + 3.
  void ClearMessageRows();
  // Clears the message rows, prints "考えています。" on `row` and blanks the
  // think time.
  void ShowThinking(int row);
  // "開放度" and OpennessSum on MessageRow + 2.
  void PrintOpenness();
  // "7 手先読み" on MessageRow + 1 and, after a cut, "12 →( 4 手カット)" on MessageRow + 2.
  void PrintLookAhead();
  int MessageRow() const;

 private:
  platform::Platform& io_;
  PanelText& text_;
  const BoardState& board_;
  const AiState& ai_;
};

}  // namespace kerna
