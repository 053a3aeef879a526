// Loads the start-up tables: the placement value of every square per game stage
// (dat\abc-table.dat gives each square class's five values, dat\ban.dat the
// class letter of each square) and the start position (dat\start.dat). Each
// file is read line by line on channel 1 and lists the board as seen on
// screen: line = row Y from the top, character = column X from the left.
#pragma once

#include "board/board_state.hpp"
#include "data/placement_tables.hpp"
#include "platform/platform.hpp"

namespace kerna {

class PlacementTableLoader {
 public:
  PlacementTableLoader(platform::Platform& io, PlacementTables& tables, BoardState& board)
      : io_(io), tables_(tables), board_(board) {}

  // Fills ClassTable and SquareClass. Class letter "A" takes
  // characters 1-4 of each class line, "B" characters 5-8, and so on; a class
  // whose field lies past the end of its line, or a character before "A", gives 0.
  void LoadSquareClasses();
  // Fills StartPosition and Position (squares 1..8 x 1..8). A character that is
  // not 0, 1 or 2 reads as an empty square.
  void LoadStartPosition();

 private:
  platform::Platform& io_;
  PlacementTables& tables_;
  BoardState& board_;
};

}  // namespace kerna
