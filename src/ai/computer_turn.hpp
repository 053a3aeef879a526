// The computer's turn: chooses the method by level and moves played (one-ply
// choice, opening book, middle-game search or an endgame solver) and plays and
// records the move. In hint mode it only reports the square it would play
// (SquareX/SquareY), its value and book line. What is shown meanwhile (the
// thinking messages, the progress bar, the hostess's word on a pass, the panel
// redraw) is the search observer's business.
#pragma once

#include <cstdint>

#include "ai/ai_state.hpp"
#include "ai/book_lookup.hpp"
#include "ai/one_ply_choice.hpp"
#include "ai/search_driver.hpp"
#include "ai/search_state.hpp"
#include "board/board_rules.hpp"
#include "board/board_state.hpp"
#include "data/settings_state.hpp"
#include "platform/platform.hpp"

namespace kerna {

// Levels 0 and 1 judge one ply; levels 4..6 solve the end of the game (level 6
// only outside self-play), earlier at the higher levels; otherwise the search.
constexpr TurnMethod ChooseTurnMethod(int level, int moves_played, bool self_play) {
  const int n = moves_played;
  if (level <= 1) return TurnMethod::kOnePly;
  if (level == 4 && n >= 51 && n <= 53) return TurnMethod::kWinLossDraw;
  if (level == 4 && n >= 54 && n <= 59) return TurnMethod::kExact;
  if (level == 5 && n >= 45 && n <= 50) return TurnMethod::kWinLossDraw;
  if (level == 5 && n >= 51 && n <= 59) return TurnMethod::kExact;
  if (level == 6 && !self_play && n >= 44 && n <= 47) return TurnMethod::kWinLossDraw;
  if (level == 6 && !self_play && n >= 48 && n <= 59) return TurnMethod::kExact;
  return TurnMethod::kMiddleGame;
}

// The opening book is used from this level on.
inline constexpr int kBookLevel = 4;

class ComputerPlayer {
 public:
  ComputerPlayer(BoardState& board, BoardRules& rules, AiState& ai, SearchState& search,
                 const SettingsState& settings, BookLookup& book, OnePlyChoice& onePly,
                 SearchDriver& driver, platform::Platform& io)
      : board_(board),
        rules_(rules),
        ai_(ai),
        search_(search),
        settings_(settings),
        book_(book),
        onePly_(onePly),
        driver_(driver),
        io_(io) {}

  // Plays the computer's move for SideToMove (= ComputerSide), or passes, or
  // in hint mode only proposes the move. Keeps BookHit, ShownValue and
  // SecondBestFlag for the hint, the value line and the hostess.
  void ComputerTurn();

 private:
  // The opening book at levels 4..6: true when it gave the move (played, or
  // in hint mode proposed).
  bool TakeBookMove();
  void PlayOnePly();
  void ThinkMiddleGame();
  void SolveWinLossDraw();
  void SolveExact();
  // Plays SquareX/SquareY on layer 1; ShownValue keeps the played move's value.
  void PlayMove();
  // A solver's move: played on layer 1 with its openness shown.
  void PlaySolvedMove();
  void MakeAndRecordMove();
  bool SingleCandidateTaken() const;
  // The search's observer hears of the turn too.
  SearchObserver& Listener() { return search_.Listener(); }

  BoardState& board_;
  BoardRules& rules_;
  AiState& ai_;
  SearchState& search_;
  const SettingsState& settings_;
  BookLookup& book_;
  OnePlyChoice& onePly_;
  SearchDriver& driver_;
  platform::Platform& io_;
  bool hint_ = false;  // HintMode, read once at the start of the turn
};

}  // namespace kerna
