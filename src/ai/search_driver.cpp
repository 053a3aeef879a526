// Orders of calls follow the computer turn's: a solver or the middle-game search
// always starts from a freshly expanded root and freshly reset tables.
#include "ai/search_driver.hpp"

#include <algorithm>
#include <array>

namespace kerna {

void SearchDriver::PrepareSearch() {
  BoardState& b = board_;
  SearchState& s = search_;
  b.Layer = 1;
  tree_.BuildEmptySquareList();
  ai_.SecondBestFlag = 0;
  s.Nodes = 0;
  s.Evaluations = 0;
  s.RootTableDisplay.fill(0);
  b.SideToMove = b.ComputerSide;
  search_.Listener().OnSearchStarted();
}

void SearchDriver::ExpandRoot() {
  board_.Layer = 1;
  board_.SideToMove = board_.ComputerSide;
  tree_.ExpandPly();
  ai_.RootCount = search_.EN[1];
}

void SearchDriver::ExpandRootExact() {
  board_.Layer = 1;
  board_.SideToMove = board_.ComputerSide;
  tree_.ExpandPlyExact();
  ai_.RootCount = search_.EN[1];
}

void SearchDriver::ResetSearchTables() {
  tree_.Reset();
}

void SearchDriver::SetLookAheadDepth() {
  const int level = ai_.Level;
  ai_.LookAheadDepth = level <= 2 ? 2 : level <= 4 ? 3 : level == 5 ? 4 : 5;
}

void SearchDriver::SetDeepLookAheadDepth() {
  if (ai_.Level == 5) {
    ai_.LookAheadDepth = 6;
  } else {
    ai_.LookAheadDepth = ai_.RootCount <= 5 && settings_.SelfPlayMode == 0 ? 8 : 7;
  }
}

bool SearchDriver::TakeSingleCandidate() {
  SearchState& s = search_;
  if (s.EN[1] == 0) return true;  // nothing to choose: the turn passes before it gets here
  if (s.EN[1] != 1 || ai_.SearchSingleCandidate != 0) return false;
  ai_.ChosenX = board_.SquareX = s.MX[1][1];
  ai_.ChosenY = board_.SquareY = s.MY[1][1];
  s.SAKI[1][1] = 0;
  ai_.ShownValue = 0;
  return true;
}

void SearchDriver::ThinkMiddleGame() {
  PrepareSearch();
  ExpandRoot();
  SetLookAheadDepth();
  if (TakeSingleCandidate()) return;
  ResetSearchTables();
  if (ai_.Level <= 4) {
    tree_.Search();
    ranking_.ChooseMove();
    return;
  }
  ReportPart(0, 2);  // the ranking passes, then the deep pass
  ranking_.RankRootCandidates();
  ranking_.DeviationScores();
  ai_.MovesCut = 0;
  if (ai_.Level == 6 && ai_.RootCount >= 6) ranking_.CutRootCandidates();
  SetDeepLookAheadDepth();
  search_.Listener().OnDeepPass();
  ReportPart(1, 2);
  ResetSearchTables();
  search_.SEL[1] = 1;
  tree_.Search();
  ranking_.ChooseMove();
  if (ai_.SecondBestFlag == 1) ConfirmSecondCandidate();
}

void SearchDriver::ReportPart(int part, int parts) {
  search_.Listener().OnPartStarted(part, parts);
}

void SearchDriver::ConfirmSecondCandidate() {
  AiState& a = ai_;
  SearchState& s = search_;
  // Keep the root table as the choice left it; the second is searched alone.
  const int16_t count = s.EN[1];
  std::array<int16_t, kCandidateRows> mx{}, my{}, saki{};
  for (int k = 1; k <= count; ++k) mx[k] = s.MX[1][k], my[k] = s.MY[1][k], saki[k] = s.SAKI[1][k];
  s.EN[1] = 1;
  s.MX[1][1] = a.RootMoveX[2];
  s.MY[1][1] = a.RootMoveY[2];
  ResetSearchTables();
  s.SEL[1] = 1;
  tree_.Search();
  const int exact = s.SAKI[1][1];
  s.EN[1] = count;
  for (int k = 1; k <= count; ++k) s.MX[1][k] = mx[k], s.MY[1][k] = my[k], s.SAKI[1][k] = saki[k];
  if (exact - a.RootMoveScore[1] <= kVarietyGap) {
    a.RootMoveScore[2] = static_cast<int16_t>(exact);
    a.ShownValue = static_cast<int16_t>(-exact);
    return;
  }
  // Not nearly as good after all: the best is played.
  a.SecondBestFlag = 0;
  a.ShownValue = static_cast<int16_t>(-a.RootMoveScore[1]);
  a.ChosenX = board_.SquareX = a.RootMoveX[1];
  a.ChosenY = board_.SquareY = a.RootMoveY[1];
}

void SearchDriver::EncodeSigned() {
  BoardState& b = board_;
  auto encode = [](int v) { return v == kBlack ? 1 : v == kWhite ? -1 : v; };
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      for (int layer = 0; layer <= 1; ++layer)
        b.cell[x][y][layer] = static_cast<int16_t>(encode(b.cell[x][y][layer]));
  search_.SavedComputerSide = b.ComputerSide;
  search_.SavedSideToMove = b.SideToMove;
  b.ComputerSide = static_cast<int16_t>(encode(b.ComputerSide));
  b.SideToMove = static_cast<int16_t>(encode(b.SideToMove));
}

void SearchDriver::DecodeSigned() {
  BoardState& b = board_;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      for (int layer = 0; layer <= 1; ++layer) {
        int16_t& v = b.cell[x][y][layer];
        v = v == 1 ? kBlack : v == -1 ? kWhite : v;
      }
  b.ComputerSide = search_.SavedComputerSide;
  b.SideToMove = search_.SavedSideToMove;
}

void SearchDriver::ThinkWinLossDraw() {
  PrepareSearch();
  const int moves_played = 60 - search_.ENUL;
  ai_.EndgameDepthLimit = static_cast<uint8_t>(std::max(0, 56 - moves_played));
  ExpandRoot();
  ai_.LookAheadDepth = 4;
  if (TakeSingleCandidate()) return;
  ResetSearchTables();
  ReportPart(0, 2);  // the ranking passes order the root, then the solver
  ranking_.RankRootCandidates();
  ReportPart(1, 2);
  ResetSearchTables();
  search_.SEL[1] = 1;
  EncodeSigned();
  tree_.SolveWinLossDraw();
  DecodeSigned();
  ranking_.ChooseSolvedMove();
  const int best = search_.SAKI[1][1];
  ai_.ShownValue = best == -1 ? kDecided : best == 0 ? 0 : -kDecided;
}

void SearchDriver::ThinkExact() {
  PrepareSearch();
  const int moves_played = 60 - search_.ENUL;
  ai_.EndgameDepthLimit = static_cast<uint8_t>(std::max(0, 57 - moves_played));
  ExpandRootExact();
  ai_.LookAheadDepth = 2;
  if (TakeSingleCandidate()) return;
  ResetSearchTables();
  tree_.SolveExact();
  ranking_.ChooseSolvedMove();
  const int best = search_.SAKI[1][1];  // the negated margin
  ai_.ShownValue = static_cast<int16_t>(best < 0    ? kDecided - best
                                        : best == 0 ? 0
                                                    : -kDecided - best);
}

}  // namespace kerna
