// The hostess's lines for the review of a finished game. In a two-player game
// or a record from another program "the player" is black and ケルナ is white.
#pragma once

#include <cstdint>

namespace kerna {

inline constexpr uint8_t kSpeechReviewStartLost = 58;         // the player lost the game
inline constexpr uint8_t kSpeechReviewStartWon = 59;          // the player won or drew
inline constexpr uint8_t kSpeechReviewBigMistakePlayer = 60;  // the biggest loss was the player's
inline constexpr uint8_t kSpeechReviewBigMistakeKerna = 61;   // ... or ケルナ's own
inline constexpr uint8_t kSpeechReviewClean = 62;             // no move lost more than 6 discs

}  // namespace kerna
