// The computer turn ties the pieces together: the board rules for counting and
// playing, the book, the one-ply choice and the search driver for the search
// and the solvers. Instant moves (book, single candidate) wait 200 ms so that
// the human sees the turn change.
#include "ai/computer_turn.hpp"

#include "ai/layer_geometry.hpp"

namespace kerna {

namespace {

constexpr int kInstantMovePauseMs = 200;

}  // namespace

void ComputerPlayer::ComputerTurn() {
  BoardState& b = board_;
  hint_ = ai_.HintMode == 1;
  ai_.VarietyAllowed = hint_ ? 0 : 1;
  ai_.SearchSingleCandidate = hint_ ? 1 : 0;
  ai_.BookHit = 0;
  rules_.CopyPositionToLayers();
  b.Layer = 1;
  rules_.CountLegalMoves();
  if (!hint_) {
    if (b.MovesPlayed == 60) return;
    if (b.LegalMoveCount == 0) {
      // The game loop counts the pass.
      Listener().OnComputerPasses();
      return;
    }
  } else if (b.LegalMoveCount == 0) {
    return;  // nothing to propose
  }
  Listener().OnTurnStarted(hint_);

  switch (ChooseTurnMethod(ai_.Level, b.MovesPlayed, settings_.SelfPlayMode != 0)) {
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
  if (ai_.Level < kBookLevel) return false;
  board_.Layer = 1;
  book_.LookUpBook();
  if (ai_.BookHit < 1) return false;
  // No search ran, so SAKI(1, 1) still holds an older search's value: a book
  // move is shown as even instead, as the value line does when it prints "定石".
  ai_.ShownValue = 0;
  if (hint_) return true;
  io_.Sleep(kInstantMovePauseMs);
  PlayMove();
  ai_.ShownValue = 0;
  return true;
}

void ComputerPlayer::PlayOnePly() {
  BoardState& b = board_;
  onePly_.ChooseMove();  // leaves Layer on the chosen candidate's layer
  const int chosen = b.Layer;
  b.SquareX = static_cast<int16_t>(b.PlyMoveX[chosen]);
  b.SquareY = static_cast<int16_t>(b.PlyMoveY[chosen]);
  if (hint_) return;
  rules_.CopyLayerToPosition();
  b.LastMoveX = b.SquareX;
  b.LastMoveY = b.SquareY;
  b.SideToMove = b.ComputerSide;
  rules_.RecordMove();
  Listener().OnMovePlayed(MoveSource::kOnePly);
}

bool ComputerPlayer::SingleCandidateTaken() const {
  return ai_.RootCount == 1 && !hint_;
}

void ComputerPlayer::ThinkMiddleGame() {
  if (!hint_) Listener().OnThinking(TurnMethod::kMiddleGame);
  rules_.CopyPositionToLayers();
  driver_.ThinkMiddleGame();
  if (hint_) return;
  if (SingleCandidateTaken()) io_.Sleep(kInstantMovePauseMs);
  PlayMove();
}

void ComputerPlayer::SolveWinLossDraw() {
  if (!hint_) Listener().OnThinking(TurnMethod::kWinLossDraw);
  rules_.CopyPositionToLayers();
  driver_.ThinkWinLossDraw();
  if (hint_) return;
  if (SingleCandidateTaken()) {
    io_.Sleep(kInstantMovePauseMs);
    PlayMove();
    return;
  }
  // The value comes from the solver's result code, not from the move played.
  const int16_t value = ai_.ShownValue;
  PlaySolvedMove();
  ai_.ShownValue = value;
}

void ComputerPlayer::SolveExact() {
  if (!hint_) Listener().OnThinking(TurnMethod::kExact);
  rules_.CopyPositionToLayers();
  driver_.ThinkExact();
  if (hint_) return;
  if (SingleCandidateTaken()) io_.Sleep(kInstantMovePauseMs);
  PlaySolvedMove();
}

void ComputerPlayer::MakeAndRecordMove() {
  BoardState& b = board_;
  Listener().OnMoveChosen();
  b.LastMoveX = b.SquareX;
  b.LastMoveY = b.SquareY;
  // The search and the solvers leave layer 1 as they found it; the move is made
  // on a fresh copy of the game position all the same.
  ai::CopyLayer(&b.cell[0][0][0], 0, 1);
  b.Layer = 1;
  b.SideToMove = b.ComputerSide;
  rules_.MakeMove();
  rules_.RecordMove();
  rules_.CopyLayerToPosition();
}

void ComputerPlayer::PlayMove() {
  // ShownValue is the played move's own value, as the choice left it (the
  // second candidate's when the variety rule played it; 0 for a book move or
  // a single candidate).
  MakeAndRecordMove();
  Listener().OnMovePlayed(MoveSource::kSearched);
}

void ComputerPlayer::PlaySolvedMove() {
  MakeAndRecordMove();
  Listener().OnMovePlayed(MoveSource::kSolved);
}

}  // namespace kerna
