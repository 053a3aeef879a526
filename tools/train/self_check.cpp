// Symmetry and consistency checks of fitted tables.
#include "self_check.hpp"

#include "dataset.hpp"
#include "report.hpp"

namespace kerna::train {

Bitboard Transform(const Bitboard& board, int symmetry) {
  Bitboard out;
  for (int y = 1; y <= 8; ++y)
    for (int x = 1; x <= 8; ++x) {
      int tx = (symmetry & 1) ? 9 - x : x;
      int ty = (symmetry & 2) ? 9 - y : y;
      if (symmetry & 4) std::swap(tx, ty);
      const int cell = board.Cell(x, y);
      if (cell) out.Of(cell) |= uint64_t{1} << SquareBit(tx, ty);
    }
  return out;
}

Bitboard SwapColours(const Bitboard& board) {
  return {board.black, board.white};
}

std::string CheckTables(const EvaluationTables& tables, const std::vector<std::string>& games) {
  for (const std::string& moves : games) {
    const auto game = ReplayGame(moves);
    if (!game) continue;
    for (const ReplayedPosition& pos : game->positions) {
      const int stage = StageOf(pos.movesPlayed);
      const EvaluationInput input{pos.board, pos.justMoved, kWhite, stage};
      const int value = Evaluate(tables, input);
      const Sample sample = MakeSample(pos.board, pos.justMoved, pos.movesPlayed, stage, 0, 0);
      if (ValueOfSample(tables, sample) != value) return "sample value differs in " + moves;
      if (BoardOfSample(sample).white != pos.board.white ||
          BoardOfSample(sample).black != pos.board.black)
        return "the board read back from a sample differs in " + moves;
      const EvaluationInput asBlack{pos.board, pos.justMoved, kBlack, stage};
      if (Evaluate(tables, asBlack) != -value)
        return "black's view is not the negation in " + moves;
      for (int symmetry = 1; symmetry < 8; ++symmetry) {
        const EvaluationInput mirrored{Transform(pos.board, symmetry), pos.justMoved, kWhite,
                                       stage};
        if (Evaluate(tables, mirrored) != value)
          return "mirror image " + std::to_string(symmetry) + " differs in " + moves;
      }
      const EvaluationInput twin{SwapColours(pos.board), Opponent(pos.justMoved), kBlack, stage};
      if (Evaluate(tables, twin) != value) return "colour-swapped twin differs in " + moves;
    }
  }
  return "";
}

}  // namespace kerna::train
