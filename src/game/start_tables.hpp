// Loads the start-up tables: the placement value of every square per game stage
// (dat\abc-table.dat gives each square class's five values, dat\ban.dat the
// class letter of each square) and the start position (dat\start.dat). Each
// file is read line by line on channel 1 and lists the board as seen on
// screen: line = row Y from the top, character = column X from the left.
#pragma once

namespace kerna {

class Game;

class StartTableLoader {
 public:
  explicit StartTableLoader(Game& game) : g_(game) {}

  // Fills g_.startTables.ClassTable and SquareClass. Class letter "A" takes
  // characters 1-4 of each class line, "B" characters 5-8, and so on; a class
  // whose field lies past the end of its line, or a character before "A", gives 0.
  void LoadSquareClasses();
  // Fills StartPosition and Position (squares 1..8 x 1..8). A character that is
  // not 0, 1 or 2 reads as an empty square.
  void LoadStartPosition();

 private:
  Game& g_;
};

}  // namespace kerna
