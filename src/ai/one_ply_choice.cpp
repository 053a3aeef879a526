// The one-ply choice works through the board rules (TestLegal, MakeMove) like a
// human move would: it is called once per move and touches at most a few
// thousand squares, so clarity wins over speed here.
#include "ai/one_ply_choice.hpp"

#include <cmath>

#include "ai/layer_geometry.hpp"

namespace kerna {

namespace {

// Level 0 weighs the discs with the placement values of its own stage.
constexpr int kLevelZeroStage = 4;
// Below this many points between the best and the second candidate the
// variety rule may play the second.
constexpr float kVarietyGap = 5.0f;
constexpr float kNoValue = -10000.0f;

}  // namespace

void OnePlyChoice::ChooseMove() {
  CollectCandidates();
  CountReplyStatistics();
  ValueCandidates();
  FindBestAndSecond();
  ApplyVarietyRule();
}

void OnePlyChoice::CollectCandidates() {
  BoardState& b = board_;
  int layer = 1;
  b.SideToMove = b.ComputerSide;
  for (int16_t x = 1; x <= 8; ++x) {
    for (int16_t y = 1; y <= 8; ++y) {
      if (layer > kMaxCandidates) break;
      b.Layer = static_cast<int16_t>(layer);
      b.SquareX = x;
      b.SquareY = y;
      rules_.TestLegal();
      if (b.LegalFlag == 0) continue;
      rules_.MakeMove();
      b.PlyMoveX[layer] = x;
      b.PlyMoveY[layer] = y;
      ++layer;
    }
  }
  state_.CandidateCount = static_cast<int16_t>(layer - 1);
}

void OnePlyChoice::CountReplyStatistics() {
  BoardState& b = board_;
  OnePlyState& p = state_;
  const int stage = ai_.Level == 0 ? kLevelZeroStage : ai_.GameStage;
  const int safe_stage = ai::ClampedStage(stage);
  for (int s = 0; s <= 1; ++s) {
    b.SideToMove = s == 0 ? b.ComputerSide : b.HumanSide;
    for (int k = 1; k <= p.CandidateCount; ++k) {
      int mobility = 0, weight = 0;
      b.Layer = static_cast<int16_t>(k);
      for (int16_t x = 1; x <= 8; ++x) {
        for (int16_t y = 1; y <= 8; ++y) {
          b.SquareX = x;
          b.SquareY = y;
          rules_.TestLegal();
          mobility += b.LegalFlag;
          if (b.cell[x][y][k] == b.SideToMove) weight += placement_.SquareClass[x][y][safe_stage];
        }
      }
      p.ReplyMobility[k][s] = static_cast<int16_t>(mobility);
      p.ReplyWeight[k][s] = static_cast<int16_t>(weight);
    }
  }
  b.SideToMove = b.ComputerSide;
}

void OnePlyChoice::ValueCandidates() {
  BoardState& b = board_;
  OnePlyState& p = state_;
  const EvalState& e = evalState_;
  const int comp = b.ComputerSide == kWhite ? kWhite : kBlack;
  const int human = b.HumanSide == kWhite ? kWhite : kBlack;
  // The computer has just moved on every candidate's layer: its edges take the
  // tempo column of the side that moved.
  b.SideToMove = b.ComputerSide;
  for (int k = 1; k <= p.CandidateCount; ++k) {
    b.Layer = static_cast<int16_t>(k);
    int comp_score = p.ReplyWeight[k][0];
    int human_score = p.ReplyWeight[k][1];
    if (ai_.Level == 1) {
      evaluation_.ComputeLineIndices();
      evaluation_.ComputeEdgeTerms();
      comp_score += p.ReplyMobility[k][0] + 10 * e.EdgeTempo[comp] + 10 * e.EdgeNoTempo[comp] +
                    50 * e.DiagonalSum[comp];
      human_score += p.ReplyMobility[k][1] + 10 * e.EdgeTempo[human] + 10 * e.EdgeNoTempo[human] +
                     50 * e.DiagonalSum[human];
    }
    evaluation_.ComputeCornerCorrection();
    comp_score -= e.CornerTakeBackComp;
    human_score -= e.CornerTakeBackOpp;
    p.CandidateValue[k] = static_cast<float>(comp_score - human_score);
  }
}

void OnePlyChoice::FindBestAndSecond() {
  OnePlyState& p = state_;
  // Only a strictly greater value takes the place, so ties keep the earlier candidate.
  float best = kNoValue;
  p.BestCandidate = 1;
  for (int k = 1; k <= p.CandidateCount; ++k) {
    if (p.CandidateValue[k] > best) {
      best = p.CandidateValue[k];
      p.BestCandidate = static_cast<int16_t>(k);
    }
  }
  float second = kNoValue;
  p.SecondCandidate = p.BestCandidate;
  for (int k = 1; k <= p.CandidateCount; ++k) {
    if (k == p.BestCandidate) continue;
    if (p.CandidateValue[k] > second) {
      second = p.CandidateValue[k];
      p.SecondCandidate = static_cast<int16_t>(k);
    }
  }
}

void OnePlyChoice::ApplyVarietyRule() {
  const OnePlyState& p = state_;
  AiState& a = ai_;
  int chosen = p.BestCandidate;
  a.ShownValue = static_cast<int16_t>(std::lround(p.CandidateValue[chosen]));
  const bool close =
      p.SecondCandidate != p.BestCandidate &&
      p.CandidateValue[p.BestCandidate] - p.CandidateValue[p.SecondCandidate] < kVarietyGap;
  if (settings_.ThinkingVaries == 1 && close && random_.Next() < 0.5) {
    chosen = p.SecondCandidate;
    a.ShownValue = static_cast<int16_t>(std::lround(p.CandidateValue[chosen]));
    a.SecondBestFlag = 1;
  }
  board_.Layer = static_cast<int16_t>(chosen);
}

}  // namespace kerna
