// Conjugate-gradient least squares over the table parameters.
#include "table_fitter.hpp"

#include <cmath>
#include <cstdio>
#include <thread>

namespace kerna::train {
namespace {

constexpr double kEdgeWeight = 10;
constexpr double kDiagonalWeight = 50;
// A pull toward a prior this strong holds a parameter there.
constexpr double kHoldingRidge = 1e12;

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += a[i] * b[i];
  return sum;
}

}  // namespace

TableFitter::TableFitter(const ParameterClasses& classes, const std::vector<Sample>& samples,
                         std::vector<double> offset, const FitOptions& options)
    : classes_(classes), samples_(samples), options_(options), placementBase_(classes.Count()) {
  target_.resize(samples.size());
  for (size_t s = 0; s < samples.size(); ++s)
    target_[s] = options.labelScale * samples[s].label - offset[s];
  patternWhite_.resize(kIndices);
  patternBlack_.resize(kIndices);
  for (auto& column : edgeColumn_) column.resize(kIndices);
  for (int i = 0; i < kIndices; ++i) {
    patternWhite_[i] = classes.Pattern(i, 0);
    patternBlack_[i] = classes.Pattern(i, 1);
    for (int c = 0; c < 8; ++c) edgeColumn_[c][i] = classes.Edge(i, c);
  }
  ridge_.assign(Count(), options.ridge);
  prior_.assign(Count(), 0.0);
  for (int j = classes.PatternCount(); j < classes.Count(); ++j) {
    const double weight = classes.IsDiagonal(j) ? kDiagonalWeight : kEdgeWeight;
    ridge_[j] = options.ridge * weight * weight;
    if (!options.edgePrior.empty()) {
      ridge_[j] = kHoldingRidge;
      prior_[j] = options.edgePrior[j - classes.PatternCount()];
    }
  }
  for (int j = placementBase_; j < placementBase_ + 4 * kSquareClasses; ++j) {
    ridge_[j] = options.placementRidge;
    prior_[j] = options.placementPrior[j - placementBase_];
  }
  if (options.fitFrontier) ridge_[FrontierParameter()] = 0;
  // Preconditioner: the diagonal of A^T A (terms of one sample counted apart) plus the ridge.
  diagonal_ = ridge_;
  for (const Sample& s : samples) {
    for (int l = 0; l < kLines; ++l) {
      diagonal_[patternWhite_[s.lines[l]]] += 1;
      diagonal_[patternBlack_[s.lines[l]]] += 1;
    }
    const bool edges = s.lines[0] | s.lines[7] | s.lines[8] | s.lines[15];
    if (edges) {
      for (int l : kEdgeLines) {
        const int i = s.lines[l];
        const double w2 = kEdgeWeight * kEdgeWeight;
        diagonal_[edgeColumn_[s.justMovedWhite ? 0 : 1][i]] += w2;
        diagonal_[edgeColumn_[s.justMovedWhite ? 3 : 2][i]] += w2;
        diagonal_[edgeColumn_[4][i]] += w2;
        diagonal_[edgeColumn_[5][i]] += w2;
      }
    }
    for (int l : {MainDiagonalLine(), AntiDiagonalLine()}) {
      const double w2 = kDiagonalWeight * kDiagonalWeight;
      diagonal_[edgeColumn_[6][s.lines[l]]] += w2;
      diagonal_[edgeColumn_[7][s.lines[l]]] += w2;
    }
    for (int k = 0; k < kSquareClasses; ++k)
      diagonal_[PlacementParameter(s.stage, k)] += s.placement[k] * s.placement[k];
    if (options.fitFrontier) diagonal_[FrontierParameter()] += double(s.frontier) * s.frontier;
  }
}

double TableFitter::Pass(const std::vector<double>& p, std::vector<double>& out,
                         bool residual) const {
  const int threads = std::max(1, options_.threads);
  std::vector<std::vector<double>> partial(threads, std::vector<double>(p.size(), 0.0));
  std::vector<double> losses(threads, 0.0);
  auto work = [&](int t) {
    std::vector<double>& g = partial[t];
    double loss = 0;
    const size_t begin = samples_.size() * t / threads;
    const size_t end = samples_.size() * (t + 1) / threads;
    for (size_t n = begin; n < end; ++n) {
      const Sample& s = samples_[n];
      double value = 0;
      for (int l = 0; l < kLines; ++l)
        value += p[patternWhite_[s.lines[l]]] - p[patternBlack_[s.lines[l]]];
      const bool edges = s.lines[0] | s.lines[7] | s.lines[8] | s.lines[15];
      const int* tempoPlus = edgeColumn_[s.justMovedWhite ? 0 : 1].data();
      const int* tempoMinus = edgeColumn_[s.justMovedWhite ? 3 : 2].data();
      if (edges) {
        double edgeSum = 0;
        for (int l : kEdgeLines) {
          const int i = s.lines[l];
          edgeSum +=
              p[tempoPlus[i]] - p[tempoMinus[i]] + p[edgeColumn_[4][i]] - p[edgeColumn_[5][i]];
        }
        value += kEdgeWeight * edgeSum;
      }
      const int d1 = s.lines[MainDiagonalLine()], d2 = s.lines[AntiDiagonalLine()];
      value += kDiagonalWeight * (p[edgeColumn_[6][d1]] - p[edgeColumn_[7][d1]] +
                                  p[edgeColumn_[6][d2]] - p[edgeColumn_[7][d2]]);
      const int placement = placementBase_ + s.stage * kSquareClasses;
      for (int k = 0; k < kSquareClasses; ++k) value += s.placement[k] * p[placement + k];
      if (options_.fitFrontier) value += s.frontier * p[FrontierParameter()];
      double q = value;
      if (residual) {
        q = target_[n] - value;
        loss += q * q;
      }
      for (int l = 0; l < kLines; ++l) {
        g[patternWhite_[s.lines[l]]] += q;
        g[patternBlack_[s.lines[l]]] -= q;
      }
      if (edges) {
        const double qe = kEdgeWeight * q;
        for (int l : kEdgeLines) {
          const int i = s.lines[l];
          g[tempoPlus[i]] += qe;
          g[tempoMinus[i]] -= qe;
          g[edgeColumn_[4][i]] += qe;
          g[edgeColumn_[5][i]] -= qe;
        }
      }
      const double qd = kDiagonalWeight * q;
      g[edgeColumn_[6][d1]] += qd;
      g[edgeColumn_[7][d1]] -= qd;
      g[edgeColumn_[6][d2]] += qd;
      g[edgeColumn_[7][d2]] -= qd;
      for (int k = 0; k < kSquareClasses; ++k) g[placement + k] += s.placement[k] * q;
      if (options_.fitFrontier) g[FrontierParameter()] += s.frontier * q;
    }
    losses[t] = loss;
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (auto& worker : workers) worker.join();
  out.assign(p.size(), 0.0);
  double loss = 0;
  for (int t = 0; t < threads; ++t) {
    for (size_t j = 0; j < p.size(); ++j) out[j] += partial[t][j];
    loss += losses[t];
  }
  return loss;
}

void TableFitter::Solve(std::vector<double>& x, const std::vector<char>& fixed,
                        int iterations) const {
  const size_t n = x.size();
  std::vector<double> r(n), z(n), p(n), q(n);
  double loss = Pass(x, r, true);
  for (size_t j = 0; j < n; ++j) r[j] = fixed[j] ? 0 : r[j] - ridge_[j] * (x[j] - prior_[j]);
  for (size_t j = 0; j < n; ++j) z[j] = r[j] / diagonal_[j];
  p = z;
  double rz = Dot(r, z);
  for (int it = 0; it < iterations && rz > 0; ++it) {
    Pass(p, q, false);
    for (size_t j = 0; j < n; ++j) q[j] = fixed[j] ? 0 : q[j] + ridge_[j] * p[j];
    const double alpha = rz / Dot(p, q);
    for (size_t j = 0; j < n; ++j) {
      x[j] += alpha * p[j];
      r[j] -= alpha * q[j];
      z[j] = r[j] / diagonal_[j];
    }
    const double rzNext = Dot(r, z);
    const double beta = rzNext / rz;
    rz = rzNext;
    for (size_t j = 0; j < n; ++j) p[j] = z[j] + beta * p[j];
  }
  std::vector<double> unused;
  const double finalLoss = Pass(x, unused, true);
  if (options_.verbose)
    std::printf("  fit: rms error %.2f -> %.2f discs after %d iterations\n",
                std::sqrt(loss / samples_.size()) / 10, std::sqrt(finalLoss / samples_.size()) / 10,
                iterations);
}

void TableFitter::SolveWithinBounds(std::vector<double>& x, std::vector<char>& fixed,
                                    int iterations) const {
  for (int round = 0; round < 6; ++round) {
    Solve(x, fixed, iterations);
    int clamped = 0;
    for (size_t j = 0; j < x.size(); ++j) {
      const double bound = Bound(static_cast<int>(j));
      if (!fixed[j] && std::fabs(x[j]) > bound) {
        x[j] = x[j] > 0 ? bound : -bound;
        fixed[j] = 1;
        ++clamped;
      }
    }
    if (options_.verbose) std::printf("  %d parameters held at their bounds\n", clamped);
    if (clamped == 0) return;
    iterations = options_.laterIterations;
  }
}

double TableFitter::Bound(int parameter) const {
  if (options_.fitFrontier && parameter == FrontierParameter()) return 1e9;
  return parameter >= placementBase_ ? kPlacementBound : classes_.Bound(parameter);
}

std::vector<double> TableFitter::FitContinuous() {
  std::vector<double> x(Count(), 0.0);
  std::vector<char> fixed(Count(), 0);
  SolveWithinBounds(x, fixed, options_.firstIterations);
  return x;
}

std::vector<double> TableFitter::Fit(std::vector<double> start) {
  const int count = Count();
  const bool warm = !start.empty();
  std::vector<double> x = warm ? std::move(start) : std::vector<double>(count, 0.0);
  std::vector<char> fixed(count, 0);
  // Continuous solution, then round the coarse parameters first (placement values
  // weigh as much as a diagonal: every disc on the board counts one).
  SolveWithinBounds(x, fixed, warm ? options_.laterIterations : options_.firstIterations);
  for (int stage = 0; stage < 3; ++stage) {
    for (int j = 0; j < count; ++j) {
      const bool diagonal = j >= placementBase_ || classes_.IsDiagonal(j);
      const bool edge = j < placementBase_ && classes_.IsEdge(j) && !classes_.IsDiagonal(j);
      if ((stage == 0 && diagonal) || (stage == 1 && edge) || stage == 2) {
        x[j] = std::round(x[j]);
        fixed[j] = 1;
      }
    }
    if (stage < 2) SolveWithinBounds(x, fixed, options_.laterIterations);
  }
  return x;
}

}  // namespace kerna::train
