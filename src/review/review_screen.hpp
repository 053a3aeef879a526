// The review screen (振り返り) in the game's window: the board on the left at
// position k (before move k + 1; k = 0 .. moves), that move framed by the
// selection box and ケルナ's best move filled as the hint square; on the panel
// the move, the values of the played and the best move for the mover, what it
// lost, the analysis's progress bar, the graph of the whole game, ケルナ's
// balloon and face, and the buttons: start, back, forward, end, next mistake
// and 終了 (Home, Left, Right, End, N and Escape). The analysis runs while the
// screen answers (on a thread of its own, or in slices between the screen's
// looks at the input); leaving stops it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/game.hpp"
#include "review/background_review.hpp"
#include "review/review_graph.hpp"
#include "review/reviewed_game.hpp"

namespace kerna::review {

class ReviewScreen {
 public:
  ReviewScreen(Game& game, Analyser analyser, AnalysisStart start = BackgroundReview::Start)
      : g_(game), analyser_(std::move(analyser)), start_(std::move(start)) {}

  // Shows the review of a GGF text (nothing: the file could not be read)
  // until the player leaves it. Whatever of the game it changed (the board's
  // position, her level and face, the buttons shown) is put back; the caller
  // redraws its own screen.
  void Show(const std::optional<std::string>& ggf_text);

  // The screen's fixed places, for the tests as much as for the drawing.
  static constexpr GraphArea kGraph{};
  static constexpr int kProgressRow = 14;  // in the progress bar's 20-pixel rows: y 280..320

 private:
  void ShowRefusal(const std::string& reason);
  void Browse(const ReviewedGame& game);
  void DrawBase();
  void DrawPosition();
  void DrawPanelText();
  void DrawProgress();
  void DrawGraph();
  // Takes in the moves valued since the last poll; true when there were any.
  bool CatchUp();
  void Step(int item);
  // The next mistake after position k, from the start again past the end.
  std::optional<int> NextMistake() const;
  // The move that lost the most, once every move is valued (before, a later
  // move could still lose more).
  std::optional<int> BiggestMistake() const;
  void Speak(uint8_t event, uint8_t face);
  void CommentOnStart();
  void CommentOnPosition();
  void PrintRow(int row, const std::string& utf8);
  static int ItemForKey(platform::Key key);

  Game& g_;
  Analyser analyser_;
  AnalysisStart start_;
  const ReviewedGame* game_ = nullptr;
  ReviewAnalysis* analysis_ = nullptr;
  std::vector<ReviewedMove> valued_;
  int k_ = 0;
  int boxedSquare_ = -1;        // the square framed on the board, -1 none
  bool allValuedSeen_ = false;  // every move valued (and a clean game praised)
  bool failureSeen_ = false;    // the analysis could not run, and the panel says so
};

}  // namespace kerna::review
