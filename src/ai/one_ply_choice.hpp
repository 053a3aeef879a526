// The computer's move at levels 0 and 1: every legal move is played on a layer
// of its own and the position after it is judged at once, by the placement
// weight of both sides' discs (level 0) or also by both sides' mobility and the
// evaluation's edge and diagonal terms (level 1), less the placement that an
// occupied corner takes back. Nothing is searched.
#pragma once

#include "ai/ai_state.hpp"
#include "ai/eval_state.hpp"
#include "ai/evaluation.hpp"
#include "ai/one_ply_state.hpp"
#include "board/board_rules.hpp"
#include "data/placement_tables.hpp"
#include "data/settings_state.hpp"
#include "platform/random.hpp"

namespace kerna {

class OnePlyChoice {
 public:
  OnePlyChoice(BoardState& board, BoardRules& rules, AiState& ai, OnePlyState& state,
               Evaluation& evaluation, const EvalState& evalState, const PlacementTables& placement,
               const SettingsState& settings, platform::Random& random)
      : board_(board),
        rules_(rules),
        ai_(ai),
        state_(state),
        evaluation_(evaluation),
        evalState_(evalState),
        placement_(placement),
        settings_(settings),
        random_(random) {}

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
  BoardState& board_;
  BoardRules& rules_;
  AiState& ai_;
  OnePlyState& state_;
  Evaluation& evaluation_;
  const EvalState& evalState_;
  const PlacementTables& placement_;
  const SettingsState& settings_;
  platform::Random& random_;
};

}  // namespace kerna
