// Ranking keeps every list in step: a candidate's column, row, score and
// display value always move together.
#include "ai/root_ranking.hpp"

#include <algorithm>
#include <cmath>

#include "ai/layer_geometry.hpp"

namespace kerna {

void RootRanking::SortRoot() {
  SearchState& s = search_;
  AiState& a = ai_;
  const int count = s.EN[1];
  for (int k = 1; k <= count; ++k) {
    a.RootMoveX[k] = s.MX[1][k];
    a.RootMoveY[k] = s.MY[1][k];
    a.RootMoveScore[k] = s.SAKI[1][k];
    a.RootDisplay[k] = s.RootTableDisplay[k];
  }
  for (int i = 1; i < count; ++i) {
    for (int j = i + 1; j <= count; ++j) {
      if (a.RootMoveScore[j] >= a.RootMoveScore[i]) continue;
      std::swap(a.RootMoveX[i], a.RootMoveX[j]);
      std::swap(a.RootMoveY[i], a.RootMoveY[j]);
      std::swap(a.RootMoveScore[i], a.RootMoveScore[j]);
      std::swap(a.RootDisplay[i], a.RootDisplay[j]);
    }
  }
  if (count < 1) return;
  a.SortBestX = a.RootMoveX[1];
  a.SortBestY = a.RootMoveY[1];
  a.SortBestValue = static_cast<float>(-a.RootMoveScore[1]);
  a.ShownValue = static_cast<int16_t>(-a.RootMoveScore[1]);
}

void RootRanking::WriteListsToRootTable() {
  SearchState& s = search_;
  const AiState& a = ai_;
  for (int k = 1; k <= s.EN[1]; ++k) {
    s.MX[1][k] = a.RootMoveX[k];
    s.MY[1][k] = a.RootMoveY[k];
    s.SAKI[1][k] = a.RootMoveScore[k];
    s.RootTableDisplay[k] = a.RootDisplay[k];
  }
}

void RootRanking::RankRootCandidates() {
  SearchState& s = search_;
  AiState& a = ai_;
  const int total = s.EN[1];
  for (int j = 1; j <= total; ++j) {
    // Every repetition starts from empty root scores (the reset clears them all),
    // so each ranked candidate keeps its own exact score.
    tree_.Reset();
    s.SEL[1] = 1;
    tree_.Search();
    SortRoot();
    // Best at position EN(1), worst at 1; the best then drops out of the next repetition.
    const int count = s.EN[1];
    for (int i = 1; i <= count; ++i) {
      const int at = count + 1 - i;
      s.MX[1][at] = a.RootMoveX[i];
      s.MY[1][at] = a.RootMoveY[i];
      s.SAKI[1][at] = a.RootMoveScore[i];
      s.RootTableDisplay[at] = a.RootDisplay[i];
      a.RankValue[at] = static_cast<float>(-a.RootMoveScore[i]);
    }
    --s.EN[1];
  }
  for (int lo = 1, hi = total; lo < hi; ++lo, --hi) {
    std::swap(s.MX[1][lo], s.MX[1][hi]);
    std::swap(s.MY[1][lo], s.MY[1][hi]);
    std::swap(s.SAKI[1][lo], s.SAKI[1][hi]);
    std::swap(s.RootTableDisplay[lo], s.RootTableDisplay[hi]);
    std::swap(a.RankValue[lo], a.RankValue[hi]);
  }
  // The deep pass searches the ranked list: all of it again.
  s.EN[1] = static_cast<int16_t>(total);
  // The ranking-pass result is the first candidate of the last sort (the one ranked last).
  a.RankResultX = a.SortBestX;
  a.RankResultY = a.SortBestY;
  a.RankResultValue = a.SortBestValue;
}

void RootRanking::DeviationScores() {
  AiState& a = ai_;
  const int count = static_cast<int>(a.RootCount);
  if (count < 1) return;
  float sum = 0;
  for (int i = 1; i <= count; ++i) sum += a.RankValue[i];
  a.RankMean = sum / static_cast<float>(count);
  float squares = 0;
  for (int i = 1; i <= count; ++i)
    squares += (a.RankValue[i] - a.RankMean) * (a.RankValue[i] - a.RankMean);
  a.RankDeviation = std::sqrt(squares / static_cast<float>(count));
  for (int i = 1; i <= count; ++i) {
    // All values equal: no spread to scale by; every candidate sits at the mean.
    a.TScore[i] =
        a.RankDeviation > 0 ? (a.RankValue[i] - a.RankMean) * 10 / a.RankDeviation + 50 : 50;
  }
}

void RootRanking::CutRootCandidates() {
  AiState& a = ai_;
  int count = static_cast<int>(a.RootCount);
  const int before = count;
  for (int l = 1; l <= count; ++l) {
    // With no spread the first candidate counts as at or below the threshold.
    if (a.RankDeviation > 0 && a.TScore[l] > settings_.SearchParameter) continue;
    a.MovesCut = static_cast<float>(count - l);
    count = l;
    break;
  }
  if (count <= 2) count = std::min(2, before);
  a.RootCount = static_cast<float>(count);
  search_.EN[1] = static_cast<int16_t>(count);
}

void RootRanking::ChooseMove() {
  AiState& a = ai_;
  SortRoot();
  WriteListsToRootTable();
  ai::CopyLayer(&board_.cell[0][0][0], 0, 1);
  const int count = search_.EN[1];
  if (count < 1) return;
  int chosen = 1;
  a.ShownValue = static_cast<int16_t>(-a.RootMoveScore[1]);
  a.SecondBestFlag = 0;
  // Variety plays the second candidate only when it is nearly as good: within
  // kVarietyGap of the best, at every level (levels 5 and 6 then confirm the
  // second's exact value, see SearchDriver).
  if (count >= 2 && settings_.ThinkingVaries == 1 && ai_.VarietyAllowed == 1 &&
      a.RootMoveScore[2] - a.RootMoveScore[1] <= kVarietyGap && random_.Next() < 0.5) {
    chosen = 2;
    a.ShownValue = static_cast<int16_t>(-a.RootMoveScore[2]);
    a.SecondBestFlag = 1;
  }
  a.ChosenX = a.RootMoveX[chosen];
  a.ChosenY = a.RootMoveY[chosen];
  board_.SquareX = a.ChosenX;
  board_.SquareY = a.ChosenY;
}

void RootRanking::ChooseSolvedMove() {
  SearchState& s = search_;
  AiState& a = ai_;
  for (int k = 1; k <= s.EN[1]; ++k)
    if (s.SAKI[1][k] == kNoScore) s.SAKI[1][k] = 2;  // unsearched: worse than a loss
  SortRoot();
  WriteListsToRootTable();
  if (s.EN[1] < 1) return;
  a.ChosenX = a.RootMoveX[1];
  a.ChosenY = a.RootMoveY[1];
  board_.SquareX = a.ChosenX;
  board_.SquareY = a.ChosenY;
}

}  // namespace kerna
