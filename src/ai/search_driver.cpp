// Orders of calls follow the computer turn's: a solver or the middle-game search
// always starts from a freshly expanded root and freshly reset tables.
#include "ai/search_driver.hpp"

#include <algorithm>

#include "game/game.hpp"

namespace kerna {

void SearchDriver::PrepareSearch() {
  BoardState& b = g_.board;
  SearchState& s = g_.searchState;
  b.Layer = 1;
  g_.search.BuildEmptySquareList();
  g_.ai.SecondBestFlag = 0;
  s.Nodes = 0;
  s.Evaluations = 0;
  s.RootTableDisplay.fill(0);
  b.SideToMove = b.ComputerSide;
  g_.progressBar.DrawFrame();
}

void SearchDriver::ExpandRoot() {
  g_.board.Layer = 1;
  g_.board.SideToMove = g_.board.ComputerSide;
  g_.search.ExpandPly();
  g_.ai.RootCount = g_.searchState.EN[1];
}

void SearchDriver::ExpandRootExact() {
  g_.board.Layer = 1;
  g_.board.SideToMove = g_.board.ComputerSide;
  g_.search.ExpandPlyExact();
  g_.ai.RootCount = g_.searchState.EN[1];
}

void SearchDriver::ResetSearchTables() {
  g_.search.Reset();
}

void SearchDriver::SetLookAheadDepth() {
  const int level = g_.flow.Level;
  g_.ai.LookAheadDepth = level <= 2 ? 2 : level <= 4 ? 3 : level == 5 ? 4 : 5;
}

void SearchDriver::SetDeepLookAheadDepth() {
  if (g_.flow.Level == 5) {
    g_.ai.LookAheadDepth = 6;
  } else {
    g_.ai.LookAheadDepth = g_.ai.RootCount <= 5 && g_.settings.SelfPlayMode == 0 ? 8 : 7;
  }
}

bool SearchDriver::TakeSingleCandidate() {
  SearchState& s = g_.searchState;
  if (s.EN[1] == 0) return true;  // nothing to choose: the turn passes before it gets here
  if (s.EN[1] != 1 || g_.flow.HintMode != 0) return false;
  g_.ai.ChosenX = g_.board.SquareX = s.MX[1][1];
  g_.ai.ChosenY = g_.board.SquareY = s.MY[1][1];
  s.SAKI[1][1] = 0;
  g_.ai.ShownValue = 0;
  return true;
}

void SearchDriver::ThinkMiddleGame() {
  PrepareSearch();
  ExpandRoot();
  SetLookAheadDepth();
  if (TakeSingleCandidate()) return;
  ResetSearchTables();
  if (g_.flow.Level <= 4) {
    g_.search.Search();
    g_.ranking.ChooseMove();
    return;
  }
  g_.ranking.RankRootCandidates();
  g_.ranking.DeviationScores();
  g_.ai.MovesCut = 0;
  if (g_.flow.Level == 6 && g_.ai.RootCount >= 6) g_.ranking.CutRootCandidates();
  SetDeepLookAheadDepth();
  if (g_.searchState.Observer != nullptr) g_.searchState.Observer->OnDeepPass();
  ResetSearchTables();
  g_.searchState.SEL[1] = 1;
  g_.search.Search();
  g_.ranking.ChooseMove();
}

void SearchDriver::EncodeSigned() {
  BoardState& b = g_.board;
  auto encode = [](int v) { return v == kBlack ? 1 : v == kWhite ? -1 : v; };
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      for (int layer = 0; layer <= 1; ++layer)
        b.cell[x][y][layer] = static_cast<int16_t>(encode(b.cell[x][y][layer]));
  g_.searchState.SavedComputerSide = b.ComputerSide;
  g_.searchState.SavedSideToMove = b.SideToMove;
  b.ComputerSide = static_cast<int16_t>(encode(b.ComputerSide));
  b.SideToMove = static_cast<int16_t>(encode(b.SideToMove));
}

void SearchDriver::DecodeSigned() {
  BoardState& b = g_.board;
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 8; ++y)
      for (int layer = 0; layer <= 1; ++layer) {
        int16_t& v = b.cell[x][y][layer];
        v = v == 1 ? kBlack : v == -1 ? kWhite : v;
      }
  b.ComputerSide = g_.searchState.SavedComputerSide;
  b.SideToMove = g_.searchState.SavedSideToMove;
}

void SearchDriver::ThinkWinLossDraw() {
  PrepareSearch();
  const int moves_played = 60 - g_.searchState.ENUL;
  g_.ai.EndgameDepthLimit = static_cast<uint8_t>(std::max(0, 56 - moves_played));
  ExpandRoot();
  g_.ai.LookAheadDepth = 4;
  if (TakeSingleCandidate()) return;
  ResetSearchTables();
  g_.ranking.RankRootCandidates();
  ResetSearchTables();
  g_.searchState.SEL[1] = 1;
  EncodeSigned();
  g_.search.SolveWinLossDraw();
  DecodeSigned();
  g_.ranking.ChooseSolvedMove();
  const int best = g_.searchState.SAKI[1][1];
  g_.ai.ShownValue = best == -1 ? kDecided : best == 0 ? 0 : -kDecided;
}

void SearchDriver::ThinkExact() {
  PrepareSearch();
  const int moves_played = 60 - g_.searchState.ENUL;
  g_.ai.EndgameDepthLimit = static_cast<uint8_t>(std::max(0, 57 - moves_played));
  ExpandRootExact();
  g_.ai.LookAheadDepth = 2;
  if (TakeSingleCandidate()) return;
  ResetSearchTables();
  g_.search.SolveExact();
  g_.ranking.ChooseSolvedMove();
  const int best = g_.searchState.SAKI[1][1];  // the negated margin
  g_.ai.ShownValue = static_cast<int16_t>(best < 0    ? kDecided - best
                                          : best == 0 ? 0
                                                      : -kDecided - best);
}

}  // namespace kerna
