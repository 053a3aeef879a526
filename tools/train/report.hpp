// How well the evaluation predicts the outcome of held-out games, by stage.
#pragma once

#include <string>
#include <vector>

#include "dataset.hpp"

namespace kerna::train {

// The evaluation of a sample, seen from white; equal to Evaluate() on the
// position the sample was made from (the tool checks this on every run).
int ValueOfSample(const EvaluationTables& tables, const Sample& sample);
int PlacementOnlyValueOfSample(const EvaluationTables& tables, const Sample& sample);

struct PredictionFigures {
  long count = 0;
  double correlation = 0;    // Pearson, value against final difference
  double meanAbsError = 0;   // |value / 10 - final difference|, in discs
  double signAgreement = 0;  // share of decided games whose winner the sign names
};

// Figures for stages 0..3 and (index 4) all positions together.
// Against the samples' labels, or with `recorded` against the games' recorded results.
std::vector<PredictionFigures> MeasurePredictions(const std::vector<Sample>& samples,
                                                  const EvaluationTables& tables,
                                                  bool placementOnly, bool recorded = false);

std::string FormatReportTable(const std::vector<PredictionFigures>& full,
                              const std::vector<PredictionFigures>& placementOnly);

}  // namespace kerna::train
