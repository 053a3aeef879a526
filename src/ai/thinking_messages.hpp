// What the computer turn prints in the panel's message area while it thinks:
// whose turn it is, "考えています。", the look-ahead depth and the moves cut at
// levels 5 and 6, and the openness of a solver's move. It also stands between
// the search and the progress bar, so that the look-ahead line appears the
// moment the deep pass's depth is settled.
#pragma once

#include "ai/search_state.hpp"

namespace kerna {

class Game;

class ThinkingMessages : public SearchObserver {
 public:
  // Messages start at text column 56; the turn message stands on row 22.
  static constexpr int kColumn = 56;
  static constexpr int kTurnRow = 22;
  // Blanks that clear one message row from column 56 without leaving the message frame.
  static constexpr int kRowWidth = 22;

  explicit ThinkingMessages(Game& game) : g_(game) {}

  // "私の（白）の番" or "私の（黒）の番" for SideToMove, on row 22.
  void PrintTurnMessage();
  // Blanks rows MessageRow .. MessageRow + 3.
  void ClearMessageRows();
  // Clears the message rows, prints "考えています。" on `row` and blanks MessageRow + 4.
  void ShowThinking(int row);
  // "開放度" and OpennessSum on MessageRow + 2.
  void PrintOpenness();

  // While the turn searches, the search reports here; progress goes on to
  // `next` (the progress bar), and the deep pass's depth and cut are printed.
  void ForwardTo(SearchObserver* next) { next_ = next; }
  void OnProgress(int ply) override;
  void OnDeepPass() override;

 private:
  // "7 手先読み" on MessageRow + 1 and, after a cut, "12 →( 4 手カット)" on MessageRow + 2.
  void PrintLookAhead();
  void BlankRow(int row);
  int MessageRow() const;

  Game& g_;
  SearchObserver* next_ = nullptr;
};

}  // namespace kerna
