// The computer's turn: chooses the method by level and moves played (one-ply
// choice, opening book, middle-game search or an endgame solver), shows the
// thinking messages, and plays and records the move. In hint mode it only
// reports the square it would play (SquareX/SquareY), its value and book line.
#pragma once

namespace kerna {

class Game;

class ComputerPlayer {
 public:
  explicit ComputerPlayer(Game& game) : g_(game) {}

  void ComputerTurn();

 private:
  Game& g_;
};

}  // namespace kerna
