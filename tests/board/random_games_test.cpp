// Thousands of seeded random games, each move checked three ways: MakeMove,
// MakeMoveFast and a plain reference mover written independently here on an
// 8 x 8 array must leave the same board; TestLegal and CountLegalMoves must
// agree with the reference's legal squares; TestLegalOpenness must predict the
// openness MakeMove reports.
#include <random>
#include <vector>

#include "board_fixture.hpp"

namespace kerna::test {
namespace {

// The reference: straightforward rules with bounds tests, no walls, no layers.
struct Reference {
  int cell[8][8] = {};  // [x-1][y-1]

  bool Inside(int x, int y) const { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }
  int At(int x, int y) const { return cell[x - 1][y - 1]; }

  // Discs a move would flip, and their openness (empty neighbours, on the board
  // before the move, the moving square itself counting as empty).
  std::vector<std::pair<int, int>> Flips(int x, int y, int side, int* openness) const {
    std::vector<std::pair<int, int>> flips;
    *openness = 0;
    if (At(x, y) != 0) return flips;
    const int other = 3 - side;
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (dx == 0 && dy == 0) continue;
        std::vector<std::pair<int, int>> line;
        int wx = x + dx, wy = y + dy;
        while (Inside(wx, wy) && At(wx, wy) == other) {
          line.emplace_back(wx, wy);
          wx += dx;
          wy += dy;
        }
        if (line.empty() || !Inside(wx, wy) || At(wx, wy) != side) continue;
        for (auto [fx, fy] : line) {
          flips.emplace_back(fx, fy);
          for (int nx = fx - 1; nx <= fx + 1; ++nx) {
            for (int ny = fy - 1; ny <= fy + 1; ++ny) {
              if ((nx != fx || ny != fy) && Inside(nx, ny) && At(nx, ny) == 0) ++*openness;
            }
          }
        }
      }
    }
    return flips;
  }

  void Play(int x, int y, int side) {
    int unused = 0;
    for (auto [fx, fy] : Flips(x, y, side, &unused)) cell[fx - 1][fy - 1] = side;
    cell[x - 1][y - 1] = side;
  }
};

class RandomGames : public BoardTest {
 protected:
  std::string ShowReference(const Reference& r) {
    std::string out;
    for (int y = 1; y <= 8; ++y) {
      if (y > 1) out += '/';
      for (int x = 1; x <= 8; ++x) out += CharFromCell(static_cast<int16_t>(r.At(x, y)));
    }
    return out;
  }
};

TEST_F(RandomGames, MoveVariantsAndReferenceAgree) {
  std::mt19937 rng(20240611);
  int moves_checked = 0;
  const int games = kSanitized ? 100 : 2000;
  for (int game_no = 0; game_no < games; ++game_no) {
    Lay(kStart);
    Reference ref;
    for (int y = 1; y <= 8; ++y) {
      for (int x = 1; x <= 8; ++x) ref.cell[x - 1][y - 1] = CellFromChar(kStart[y - 1][x - 1]);
    }
    int16_t side = kBlack;
    int passes = 0;
    while (passes < 2) {
      // Layer 1 follows MakeMove, layer 2 MakeMoveFast; layer 1 is the one counted.
      std::vector<std::pair<int, int>> legal;
      for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
          Aim(x, y, side, 1);
          rules().TestLegal();
          int openness = 0;
          const bool ref_legal = !ref.Flips(x, y, side, &openness).empty();
          ASSERT_EQ(b().LegalFlag, ref_legal ? 1 : 0) << x << y;
          rules().TestLegalOpenness();
          ASSERT_EQ(b().LegalFlag, ref_legal ? 1 : 0) << x << y;
          if (ref_legal) {
            ASSERT_EQ(b().OpennessSum, openness) << x << y;
            legal.emplace_back(x, y);
          }
        }
      }
      Aim(0, 0, side, 1);
      rules().CountLegalMoves();
      ASSERT_EQ(b().LegalMoveCount, static_cast<int>(legal.size()));
      if (legal.empty()) {
        ++passes;
        side = b().OpponentTable[side];
        continue;
      }
      passes = 0;
      const auto [x, y] = legal[rng() % legal.size()];
      Aim(x, y, side, 1);
      rules().TestLegalOpenness();
      const int predicted = b().OpennessSum;
      Aim(x, y, side, 1);
      EXPECT_EQ(rules().MakeMove(), predicted);
      EXPECT_EQ(b().PlyOpenness[1], predicted);
      Aim(x, y, side, 2);
      rules().MakeMoveFast();
      ref.Play(x, y, side);
      ASSERT_EQ(Show(1), Show(2));
      ASSERT_EQ(Show(1), ShowReference(ref));
      ++moves_checked;
      side = b().OpponentTable[side];
    }
    Aim(0, 0, side, 1);
    rules().CountLegalMoves();
    int discs = 0;
    for (int x = 0; x < 8; ++x) {
      for (int y = 0; y < 8; ++y) discs += ref.cell[x][y] != 0;
    }
    ASSERT_EQ(b().MovesPlayed, discs - 4);
  }
  EXPECT_GT(moves_checked, games * 50);
  EXPECT_EQ(Show(0), Join(kStart));  // other layers are never touched
}

}  // namespace
}  // namespace kerna::test
