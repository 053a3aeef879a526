// The one-ply player's working values (levels 0 and 1): every candidate move
// with the position after it on a layer of its own, what each side could do
// there, the candidate's value, and the best and second-best candidates.
#pragma once

#include <array>
#include <cstdint>

#include "board/board_state.hpp"

namespace kerna {

// Candidate k (1-based) lives on Board layer k, so at most kLayers - 1 candidates.
inline constexpr int kMaxCandidates = kLayers - 1;

struct OnePlyState {
  int16_t CandidateCount = 0;
  // [k][s]: for candidate k and side index s (0 the computer, 1 its opponent),
  // the legal moves of that side after candidate k and the placement weight of its discs.
  int16_t ReplyMobility[kMaxCandidates + 1][2] = {};
  int16_t ReplyWeight[kMaxCandidates + 1][2] = {};
  std::array<float, kMaxCandidates + 1> CandidateValue{};
  int16_t BestCandidate = 0, SecondCandidate = 0;
};

}  // namespace kerna
