// The training tool's relabelling search and the samples it reads boards from:
// the alpha-beta search must give the plain minimax value with the fitted
// evaluation, a sampled relabelling must search the same positions on any
// thread count, and a sample must give back the board it was made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "dataset.hpp"
#include "evaluation_model.hpp"
#include "othello.hpp"
#include "parameter_classes.hpp"
#include "search_labels.hpp"
#include "table_fitter.hpp"

namespace kerna {
namespace {

namespace kt = train;

uint64_t Next(uint64_t& state) {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;
  return state >> 33;
}

// Tables with arbitrary values inside the bounds that keep the sums from wrapping.
kt::EvaluationTables ArbitraryTables() {
  kt::EvaluationTables t;
  uint64_t state = 7;
  for (int i = 0; i < kt::kIndices; ++i) {
    for (auto& v : t.pattern[i]) v = static_cast<int8_t>(static_cast<int>(Next(state) % 31) - 15);
    for (auto& v : t.edge[i]) v = static_cast<int8_t>(static_cast<int>(Next(state) % 21) - 10);
  }
  for (auto& row : t.place)
    for (auto& v : row) v = static_cast<int16_t>(static_cast<int>(Next(state) % 201) - 100);
  return t;
}

kt::Bitboard Play(const kt::Bitboard& board, int side, int square) {
  kt::Bitboard next = board;
  const uint64_t flips = kt::Flips(board.Of(side), board.Of(kt::Opponent(side)), square);
  next.Of(side) |= flips | (uint64_t{1} << square);
  next.Of(kt::Opponent(side)) &= ~flips;
  return next;
}

// Positions of random games (fixed seed), each with the side that just moved.
std::vector<std::pair<kt::Bitboard, int>> RandomPositions(int games) {
  std::vector<std::pair<kt::Bitboard, int>> positions;
  uint64_t state = 11;
  for (int g = 0; g < games; ++g) {
    kt::Bitboard board = kt::Bitboard::Standard();
    int side = kt::kBlack;
    for (int passes = 0; passes < 2;) {
      uint64_t moves = kt::LegalMoves(board.Of(side), board.Of(kt::Opponent(side)));
      if (moves == 0) {
        ++passes;
        side = kt::Opponent(side);
        continue;
      }
      passes = 0;
      for (uint64_t skip = Next(state) % std::popcount(moves); skip > 0; --skip) moves &= moves - 1;
      board = Play(board, side, std::countr_zero(moves));
      positions.emplace_back(board, side);
      side = kt::Opponent(side);
    }
  }
  return positions;
}

// Without pruning, passes as in the game: the passing side counts as moved.
int PlainMinimax(const kt::EvaluationTables& t, const kt::Bitboard& board, int toMove,
                 int justMoved, int depth, int stage) {
  if (depth == 0) return kt::Evaluate(t, {board, justMoved, kt::kWhite, stage});
  const int opponent = kt::Opponent(toMove);
  const uint64_t moves = kt::LegalMoves(board.Of(toMove), board.Of(opponent));
  if (moves == 0) {
    if (kt::LegalMoves(board.Of(opponent), board.Of(toMove)) == 0)
      return 10 * kt::FinalDifference(board);
    return PlainMinimax(t, board, opponent, toMove, depth, stage);
  }
  std::vector<int> values;
  for (uint64_t m = moves; m; m &= m - 1)
    values.push_back(PlainMinimax(t, Play(board, toMove, std::countr_zero(m)), opponent, toMove,
                                  depth - 1, stage));
  return toMove == kt::kWhite ? *std::max_element(values.begin(), values.end())
                              : *std::min_element(values.begin(), values.end());
}

TEST(TrainSearchLabels, AlphaBetaGivesThePlainMinimaxValueFromWhitesView) {
  const kt::EvaluationTables tables = ArbitraryTables();
  const auto positions = RandomPositions(6);
  for (size_t n = 0; n < positions.size(); n += 7) {
    const auto& [board, justMoved] = positions[n];
    const int stage = static_cast<int>(n % 4);
    for (int depth : {1, 2, 4})  // from depth 3 on the moves are tried best first
      ASSERT_EQ(kt::SearchValue(tables, board, kt::Opponent(justMoved), justMoved, depth, stage),
                PlainMinimax(tables, board, kt::Opponent(justMoved), justMoved, depth, stage))
          << "position " << n << ", depth " << depth;
  }
}

TEST(TrainSearchLabels, AFinishedGameIsWorthTenTimesItsResult) {
  const auto positions = RandomPositions(1);
  const auto& [board, justMoved] = positions.back();
  EXPECT_EQ(kt::SearchValue(ArbitraryTables(), board, kt::Opponent(justMoved), justMoved, 2, 3),
            10 * kt::FinalDifference(board));
}

TEST(TrainSearchLabels, ADrawnShareFromItsFirstMoveIsSearchedTheSameWithAnyThreadCount) {
  std::vector<kt::Sample> samples;
  for (const auto& [board, justMoved] : RandomPositions(20))
    samples.push_back(kt::MakeSample(board, justMoved, board.Discs() - 4, 0, 0, 0));
  kt::SearchLabelOptions options;
  options.depth = 1;
  options.searchShare = 1;
  options.blendTo = 61;
  options.fromMove = 20;
  options.sampleShare = 0.3;
  std::vector<kt::Sample> one = samples, two = samples;
  options.threads = 1;
  kt::RelabelBySearch(one, ArbitraryTables(), options);
  options.threads = 2;
  kt::RelabelBySearch(two, ArbitraryTables(), options);
  int searched = 0, late = 0;
  for (size_t n = 0; n < samples.size(); ++n) {
    ASSERT_EQ(one[n].label, two[n].label) << n;
    const bool drawn = kt::SearchesRecordSample(options, n, samples[n].movesPlayed);
    ASSERT_TRUE(samples[n].movesPlayed >= 20 || !drawn) << n;
    ASSERT_TRUE(drawn || one[n].label == 0) << n;
    late += samples[n].movesPlayed >= 20;
    searched += drawn;
  }
  EXPECT_NEAR(searched, 0.3 * late, 0.1 * late);

  kt::DropUnsearchedRecordSamples(one, options);
  EXPECT_EQ(one.size(), samples.size() - (late - searched));
}

TEST(TrainSamples, ASampleGivesBackTheBoardItWasMadeFrom) {
  for (const auto& [board, justMoved] : RandomPositions(3)) {
    const kt::Sample sample = kt::MakeSample(board, justMoved, board.Discs() - 4, 0, 0, 0);
    const kt::Bitboard back = kt::BoardOfSample(sample);
    ASSERT_EQ(back.white, board.white);
    ASSERT_EQ(back.black, board.black);
  }
}

// A random game as a record line "f5d6c3..." (passes implied).
std::string RandomGameRecord(uint64_t seed) {
  std::string record;
  kt::Bitboard board = kt::Bitboard::Standard();
  int side = kt::kBlack;
  for (int passes = 0; passes < 2; side = kt::Opponent(side)) {
    uint64_t moves = kt::LegalMoves(board.Of(side), board.Of(kt::Opponent(side)));
    if (moves == 0) {
      ++passes;
      continue;
    }
    passes = 0;
    for (uint64_t skip = Next(seed) % std::popcount(moves); skip > 0; --skip) moves &= moves - 1;
    const int square = std::countr_zero(moves);
    record += static_cast<char>('a' + square % 8);
    record += static_cast<char>('1' + square / 8);
    board = Play(board, side, square);
  }
  return record;
}

// Twelve random games, one record a line, in a file of the test's temporary folder.
std::string WriteRandomGames(const std::string& name) {
  const std::string file = testing::TempDir() + name;
  std::ofstream out(file);
  for (uint64_t g = 1; g <= 12; ++g) out << RandomGameRecord(g) << "\n";
  return file;
}

TEST(TrainSamples, OffLinePositionsFollowTheirRecordPositionAndLeaveTheRecordSamplesAlone) {
  const std::string file = WriteRandomGames("kerna_train_offline_games.txt");
  kt::DatasetOptions options;
  options.gameFiles = {file};
  options.maxMovesPlayed = 54;
  const kt::Dataset plain = kt::BuildDataset(options);
  options.offLinePerPosition = 1;
  options.offLinePlies = 2;
  const kt::Dataset extended = kt::BuildDataset(options);
  std::remove(file.c_str());

  std::vector<kt::Sample> records;
  int offLine = 0;
  const kt::Sample* parent = nullptr;
  for (const kt::Sample& s : extended.training) {
    if (!s.offLine) {
      records.push_back(s);
      parent = &s;
      continue;
    }
    ++offLine;
    ASSERT_NE(parent, nullptr);
    const int plies = s.movesPlayed - parent->movesPlayed;
    EXPECT_TRUE(plies == 1 || plies == 2) << plies;
    EXPECT_LE(s.movesPlayed, 54);
    EXPECT_EQ(kt::BoardOfSample(s).Discs(), s.movesPlayed + 4);
  }
  EXPECT_GT(offLine, 0);
  ASSERT_EQ(records.size(), plain.training.size());
  for (size_t n = 0; n < records.size(); ++n) {
    ASSERT_EQ(records[n].lines, plain.training[n].lines) << n;
    ASSERT_EQ(records[n].label, plain.training[n].label) << n;
  }
  EXPECT_EQ(extended.heldOut.size(), plain.heldOut.size());
}

// Held edges: the fit moves the patterns only, and the edge and diagonal
// values (which the one-ply player reads too) stay those of the start tables.
TEST(TrainFit, HeldEdgesKeepTheStartTablesValuesWhileThePatternsFit) {
  std::vector<kt::Sample> samples;
  for (const auto& [board, justMoved] : RandomPositions(30))
    samples.push_back(
        kt::MakeSample(board, justMoved, board.Discs() - 4, 0, kt::FinalDifference(board), 0));
  const kt::ParameterClasses classes;
  const std::vector<double> held = kt::EdgeParameters(classes, ArbitraryTables());
  kt::FitOptions options;
  options.edgePrior = held;
  options.threads = 1;
  options.verbose = false;
  options.firstIterations = 10;
  options.laterIterations = 5;
  kt::TableFitter fitter(classes, samples, std::vector<double>(samples.size(), 0.0), options);
  kt::EvaluationTables fitted;
  kt::StoreParameters(classes, fitter.Fit(), fitted);
  int patternsMoved = 0;
  for (int i = 0; i < kt::kIndices; ++i) {
    for (int c = 0; c < 8; ++c)
      ASSERT_EQ(fitted.edge[i][c], held[classes.Edge(i, c) - classes.PatternCount()]) << i;
    patternsMoved += fitted.pattern[i][0] != 0;
  }
  EXPECT_GT(patternsMoved, 0);
}

TEST(TrainSamples, TheMoveRangeLimitsTrainingPositionsButNotTheHeldOutGames) {
  const std::string file = WriteRandomGames("kerna_train_range_games.txt");
  kt::DatasetOptions options;
  options.gameFiles = {file};
  options.trainingShare = 1;
  const kt::Dataset full = kt::BuildDataset(options);
  options.minMovesPlayed = 8;
  options.maxMovesPlayed = 51;
  const kt::Dataset ranged = kt::BuildDataset(options);
  std::remove(file.c_str());

  size_t inRange = 0;
  for (const kt::Sample& s : full.training) inRange += s.movesPlayed >= 8 && s.movesPlayed <= 51;
  EXPECT_EQ(ranged.training.size(), inRange);
  for (const kt::Sample& s : ranged.training) {
    EXPECT_GE(s.movesPlayed, 8);
    EXPECT_LE(s.movesPlayed, 51);
  }
  ASSERT_EQ(ranged.heldOut.size(), full.heldOut.size());
  EXPECT_TRUE(std::any_of(ranged.heldOut.begin(), ranged.heldOut.end(),
                          [](const kt::Sample& s) { return s.movesPlayed < 8; }));
}

}  // namespace
}  // namespace kerna
