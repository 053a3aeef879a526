// Held-out prediction figures.
#include "report.hpp"

#include <cmath>
#include <cstdio>

namespace kerna::train {

int ValueOfSample(const EvaluationTables& tables, const Sample& s) {
  int pattern[2] = {0, 0};
  for (int c = 0; c < 2; ++c) {
    int sum = 0;
    for (int l = 0; l < 8; ++l) sum += tables.pattern[s.lines[l]][c];
    sum = static_cast<int8_t>(sum);
    for (int l = 8; l < kLines; ++l) sum += tables.pattern[s.lines[l]][c];
    pattern[c] = static_cast<int16_t>(sum);
  }
  const bool edges = s.lines[0] | s.lines[7] | s.lines[8] | s.lines[15];
  int side[2] = {0, 0};
  for (int c = 0; c < 2; ++c) {
    const bool white = c == 0;
    const bool justMoved = white == static_cast<bool>(s.justMovedWhite);
    const int tempoColumn = justMoved ? (white ? 0 : 2) : (white ? 1 : 3);
    int tempo = 0, noTempo = 0;
    if (edges) {
      for (int l : kEdgeLines) {
        tempo += tables.edge[s.lines[l]][tempoColumn];
        noTempo += tables.edge[s.lines[l]][4 + c];
      }
    }
    const int diagonal = static_cast<int8_t>(tables.edge[s.lines[MainDiagonalLine()]][6 + c] +
                                             tables.edge[s.lines[AntiDiagonalLine()]][6 + c]);
    side[c] = 10 * static_cast<int8_t>(tempo) + 10 * static_cast<int8_t>(noTempo) + 50 * diagonal +
              pattern[c];
  }
  return static_cast<int16_t>(PlacementOnlyValueOfSample(tables, s) + side[0] - side[1] +
                              5 * s.frontier);
}

int PlacementOnlyValueOfSample(const EvaluationTables& tables, const Sample& s) {
  int value = 0;
  for (int k = 0; k < kSquareClasses; ++k) value += s.placement[k] * tables.place[k][s.stage];
  return value;
}

std::vector<PredictionFigures> MeasurePredictions(const std::vector<Sample>& samples,
                                                  const EvaluationTables& tables,
                                                  bool placementOnly, bool recorded) {
  struct Sums {
    long n = 0, decided = 0, agree = 0;
    double x = 0, y = 0, xx = 0, yy = 0, xy = 0, absError = 0;
  };
  std::vector<Sums> sums(5);
  for (const Sample& s : samples) {
    const double value =
        placementOnly ? PlacementOnlyValueOfSample(tables, s) : ValueOfSample(tables, s);
    const double result = recorded ? s.recorded : s.label;
    for (int group : {StageOf(s.movesPlayed), 4}) {
      Sums& m = sums[group];
      ++m.n;
      m.x += value;
      m.y += result;
      m.xx += value * value;
      m.yy += result * result;
      m.xy += value * result;
      m.absError += std::fabs(value / 10 - result);
      if (result != 0) {
        ++m.decided;
        m.agree += (value > 0 && result > 0) || (value < 0 && result < 0);
      }
    }
  }
  std::vector<PredictionFigures> figures(5);
  for (int g = 0; g < 5; ++g) {
    const Sums& m = sums[g];
    if (m.n == 0) continue;
    const double cov = m.xy / m.n - (m.x / m.n) * (m.y / m.n);
    const double vx = m.xx / m.n - (m.x / m.n) * (m.x / m.n);
    const double vy = m.yy / m.n - (m.y / m.n) * (m.y / m.n);
    figures[g].count = m.n;
    figures[g].correlation = vx > 0 && vy > 0 ? cov / std::sqrt(vx * vy) : 0;
    figures[g].meanAbsError = m.absError / m.n;
    figures[g].signAgreement = m.decided ? static_cast<double>(m.agree) / m.decided : 0;
  }
  return figures;
}

std::string FormatReportTable(const std::vector<PredictionFigures>& full,
                              const std::vector<PredictionFigures>& placementOnly) {
  static const char* kNames[5] = {"0 (moves 1-25)", "1 (moves 26-35)", "2 (moves 36-44)",
                                  "3 (moves 45-59)", "all"};
  std::string text =
      "| stage | positions | correlation | mean abs. error (discs) | sign agreement |\n"
      "|---|---:|---:|---:|---:|\n";
  char row[256];
  for (int g = 0; g < 5; ++g) {
    std::snprintf(row, sizeof row, "| %s | %ld | %.3f (%.3f) | %.2f (%.2f) | %.1f %% (%.1f %%) |\n",
                  kNames[g], full[g].count, full[g].correlation, placementOnly[g].correlation,
                  full[g].meanAbsError, placementOnly[g].meanAbsError, 100 * full[g].signAgreement,
                  100 * placementOnly[g].signAgreement);
    text += row;
  }
  text += "\nEach cell: full evaluation (placement-only evaluation in brackets).\n";
  return text;
}

}  // namespace kerna::train
