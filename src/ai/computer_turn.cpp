// The computer turn ties the pieces together: the board rules for counting and
// playing, the book, the one-ply choice, the search driver for the search and
// the solvers, the thinking messages and the hostess for a pass. Instant moves
// (book, single candidate) wait 200 ms so that the human sees the turn change.
#include "ai/computer_turn.hpp"

#include "ai/layer_moves.hpp"
#include "game/game.hpp"

namespace kerna {

namespace {

constexpr int kInstantMovePauseMs = 200;
constexpr int kBookLevel = 4;

// While the turn searches, the search reports to the turn's messages, which
// pass the progress on to whoever listened before (the progress bar).
class ObserverScope {
 public:
  ObserverScope(SearchState& search, ThinkingMessages& messages)
      : search_(search), saved_(search.Observer) {
    messages.ForwardTo(saved_);
    search_.Observer = &messages;
  }
  ~ObserverScope() { search_.Observer = saved_; }
  ObserverScope(const ObserverScope&) = delete;
  ObserverScope& operator=(const ObserverScope&) = delete;

 private:
  SearchState& search_;
  SearchObserver* saved_;
};

}  // namespace

void ComputerPlayer::ComputerTurn() {
  BoardState& b = g_.board;
  const bool hint = g_.flow.HintMode == 1;
  g_.ai.BookHit = 0;
  g_.rules.CopyPositionToLayers();
  b.Layer = 1;
  g_.rules.CountLegalMoves();
  if (!hint) {
    if (b.MovesPlayed == 60) return;
    if (b.LegalMoveCount == 0) {
      g_.hostess.CommentOnPass();  // face 0 and event 50; the game loop counts the pass
      return;
    }
    messages_.PrintTurnMessage();
  } else if (b.LegalMoveCount == 0) {
    return;  // nothing to propose
  }

  switch (ChooseTurnMethod(g_.flow.Level, b.MovesPlayed, g_.settings.SelfPlayMode != 0)) {
    case TurnMethod::kOnePly:
      PlayOnePly();
      break;
    case TurnMethod::kMiddleGame:
      if (!TakeBookMove()) ThinkMiddleGame();
      break;
    case TurnMethod::kWinLossDraw:
      if (!TakeBookMove()) SolveWinLossDraw();
      break;
    case TurnMethod::kExact:
      if (!TakeBookMove()) SolveExact();
      break;
  }
}

bool ComputerPlayer::TakeBookMove() {
  if (g_.flow.Level < kBookLevel) return false;
  g_.board.Layer = 1;
  g_.bookLookup.LookUpBook();
  if (g_.ai.BookHit < 1) return false;
  // No search ran, so SAKI(1, 1) still holds an older search's value: a book
  // move is shown as even instead, as the value line does when it prints "定石".
  g_.ai.ShownValue = 0;
  if (g_.flow.HintMode == 1) return true;
  g_.io.Sleep(kInstantMovePauseMs);
  PlayMove();
  g_.ai.ShownValue = 0;
  return true;
}

void ComputerPlayer::PlayOnePly() {
  BoardState& b = g_.board;
  g_.onePlyChoice.ChooseMove();  // leaves Layer on the chosen candidate's layer
  const int chosen = b.Layer;
  b.SquareX = static_cast<int16_t>(b.PlyMoveX[chosen]);
  b.SquareY = static_cast<int16_t>(b.PlyMoveY[chosen]);
  if (g_.flow.HintMode == 1) return;
  g_.rules.CopyLayerToPosition();
  b.LastMoveX = b.SquareX;
  b.LastMoveY = b.SquareY;
  b.SideToMove = b.ComputerSide;
  g_.rules.RecordMove();
  messages_.ClearMessageRows();
}

bool ComputerPlayer::SingleCandidateTaken() const {
  return g_.ai.RootCount == 1 && g_.flow.HintMode == 0;
}

void ComputerPlayer::ThinkMiddleGame() {
  const bool hint = g_.flow.HintMode == 1;
  if (!hint) messages_.ShowThinking(static_cast<int>(g_.start.MessageRow));
  g_.rules.CopyPositionToLayers();
  {
    ObserverScope scope(g_.searchState, messages_);
    g_.searchDriver.ThinkMiddleGame();
  }
  if (hint) return;
  if (SingleCandidateTaken()) g_.io.Sleep(kInstantMovePauseMs);
  PlayMove();
}

void ComputerPlayer::SolveWinLossDraw() {
  const bool hint = g_.flow.HintMode == 1;
  if (!hint) messages_.ShowThinking(static_cast<int>(g_.start.MessageRow) + 1);
  g_.rules.CopyPositionToLayers();
  {
    ObserverScope scope(g_.searchState, messages_);
    g_.searchDriver.ThinkWinLossDraw();
  }
  if (hint) return;
  if (SingleCandidateTaken()) {
    g_.io.Sleep(kInstantMovePauseMs);
    PlayMove();
    return;
  }
  // The value comes from the solver's result code, not from the move played.
  const int16_t value = g_.ai.ShownValue;
  PlaySolvedMove();
  g_.ai.ShownValue = value;
}

void ComputerPlayer::SolveExact() {
  const bool hint = g_.flow.HintMode == 1;
  if (!hint) messages_.ShowThinking(static_cast<int>(g_.start.MessageRow) + 1);
  g_.rules.CopyPositionToLayers();
  {
    ObserverScope scope(g_.searchState, messages_);
    g_.searchDriver.ThinkExact();
  }
  if (hint) return;
  if (SingleCandidateTaken()) g_.io.Sleep(kInstantMovePauseMs);
  PlaySolvedMove();
}

void ComputerPlayer::MakeAndRecordMove() {
  BoardState& b = g_.board;
  b.LastMoveX = b.SquareX;
  b.LastMoveY = b.SquareY;
  // The search and the solvers leave layer 1 as they found it; the move is made
  // on a fresh copy of the game position all the same.
  ai::CopyLayer(&b.cell[0][0][0], 0, 1);
  b.Layer = 1;
  b.SideToMove = b.ComputerSide;
  g_.rules.MakeMove();
  g_.rules.RecordMove();
  g_.rules.CopyLayerToPosition();
}

void ComputerPlayer::PlayMove() {
  const SearchState& s = g_.searchState;
  g_.ai.ShownValue = static_cast<int16_t>(-s.SAKI[1][1]);
  messages_.ClearMessageRows();
  MakeAndRecordMove();
  g_.ai.ShownValue = static_cast<int16_t>(-s.SAKI[1][1]);
  g_.screen.RedrawPanelRows();
}

void ComputerPlayer::PlaySolvedMove() {
  messages_.ClearMessageRows();
  MakeAndRecordMove();
  messages_.PrintOpenness();
  g_.screen.RedrawPanelRows();
}

}  // namespace kerna
