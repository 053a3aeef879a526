// The computer's move at levels 0 and 1: every legal move is played on a layer
// of its own and the position after it is judged at once, by the placement
// weight of both sides' discs (level 0) or also by both sides' mobility and the
// evaluation's edge and diagonal terms (level 1), less the placement that an
// occupied corner takes back. Nothing is searched.
#pragma once

namespace kerna {

class Game;

class OnePlyChoice {
 public:
  explicit OnePlyChoice(Game& game) : g_(game) {}

  // Candidates, their values, best and second, and the variety rule: leaves
  // `Layer` on the chosen candidate's layer (which holds the position after
  // it), ShownValue its value rounded and SecondBestFlag 1 when the second was
  // taken. Expects every layer to hold the game position and the computer to have a move.
  void ChooseMove();

  // The steps of ChooseMove.
  void CollectCandidates();
  void CountReplyStatistics();
  void ValueCandidates();
  void FindBestAndSecond();
  void ApplyVarietyRule();

 private:
  Game& g_;
};

}  // namespace kerna
