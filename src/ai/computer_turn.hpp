// The computer's turn: chooses the method by level and moves played (one-ply
// choice, opening book, middle-game search or an endgame solver), shows the
// thinking messages, and plays and records the move. In hint mode it only
// reports the square it would play (SquareX/SquareY), its value and book line.
#pragma once

#include <cstdint>

#include "ai/thinking_messages.hpp"

namespace kerna {

class Game;

enum class TurnMethod : uint8_t { kOnePly, kMiddleGame, kWinLossDraw, kExact };

// Levels 0 and 1 judge one ply; levels 4..6 solve the end of the game (level 6
// only outside self-play), earlier at the higher levels; otherwise the search.
constexpr TurnMethod ChooseTurnMethod(int level, int moves_played, bool self_play) {
  const int n = moves_played;
  if (level <= 1) return TurnMethod::kOnePly;
  if (level == 4 && n >= 51 && n <= 53) return TurnMethod::kWinLossDraw;
  if (level == 4 && n >= 54 && n <= 59) return TurnMethod::kExact;
  if (level == 5 && n >= 45 && n <= 50) return TurnMethod::kWinLossDraw;
  if (level == 5 && n >= 51 && n <= 59) return TurnMethod::kExact;
  if (level == 6 && !self_play && n >= 44 && n <= 47) return TurnMethod::kWinLossDraw;
  if (level == 6 && !self_play && n >= 48 && n <= 59) return TurnMethod::kExact;
  return TurnMethod::kMiddleGame;
}

class ComputerPlayer {
 public:
  explicit ComputerPlayer(Game& game) : g_(game), messages_(game) {}

  // Plays the computer's move for SideToMove (= ComputerSide), or passes with
  // the hostess's comment, or in hint mode only proposes the move. Keeps
  // BookHit, ShownValue and SecondBestFlag for the hint, the value line and the hostess.
  void ComputerTurn();

 private:
  // The opening book at levels 4..6: true when it gave the move (played, or
  // in hint mode proposed).
  bool TakeBookMove();
  void PlayOnePly();
  void ThinkMiddleGame();
  void SolveWinLossDraw();
  void SolveExact();
  // Plays SquareX/SquareY on layer 1 and reports -SAKI(1, 1) as its value.
  void PlayMove();
  // A solver's move: played on layer 1 with its openness shown.
  void PlaySolvedMove();
  void MakeAndRecordMove();
  bool SingleCandidateTaken() const;

  Game& g_;
  ThinkingMessages messages_;
};

}  // namespace kerna
