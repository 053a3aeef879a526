// Shows the board screens in the real window for the screenshot check
// (board_screens.sh): the title screen with the start position, or the board
// after a few moves with their flip animation, the hostess's face, the message
// frame and the legal-move markers. Runs from the assets folder; prints "ready"
// once the scene has been handed to the window and then idles until closed.
//   usage: board_screens title|moves
#include <cstdio>
#include <cstring>
#include <utility>

#include "game/game.hpp"
#include "platform/sdl_backend.hpp"

namespace {

using kerna::Game;

void SetUpStartPosition(Game& g) {
  kerna::Grid& p = g.board.Position;
  bool empty = true;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) empty = empty && g.board.StartPosition[x][y] == kerna::kEmpty;
  }
  if (!empty) {
    p = g.board.StartPosition;
    return;
  }
  p[4][4] = p[5][5] = kerna::kWhite;
  p[4][5] = p[5][4] = kerna::kBlack;
}

// The legal move of `side` that flips the most discs (the first in column
// order among equals), tried on layer 1; false when there is none.
bool ChooseMove(Game& g, int side, int& best_x, int& best_y) {
  kerna::BoardState& b = g.board;
  int best = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      g.rules.CopyPositionToLayers();
      b.Layer = 1;
      b.SideToMove = static_cast<int16_t>(side);
      b.SquareX = static_cast<int16_t>(x);
      b.SquareY = static_cast<int16_t>(y);
      g.rules.TestLegal();
      if (b.LegalFlag == 0) continue;
      g.rules.MakeMove();
      int changed = 0;
      for (int i = 1; i <= 8; ++i) {
        for (int j = 1; j <= 8; ++j) changed += b.cell[i][j][1] != b.Position[i][j];
      }
      if (changed > best) best = changed, best_x = x, best_y = y;
    }
  }
  b.Layer = 0;
  return best > 0;
}

// Plays one move on layer 0 and animates it as the game loop does.
void Play(Game& g, int side, int x, int y) {
  kerna::BoardState& b = g.board;
  g.rules.CopyPositionToLayers();
  b.Layer = 0;
  b.SideToMove = static_cast<int16_t>(side);
  b.SquareX = static_cast<int16_t>(x);
  b.SquareY = static_cast<int16_t>(y);
  g.rules.SavePreviousPosition();
  g.rules.MakeMove();
  g.rules.CopyLayerToPosition();
  b.LastMoveX = static_cast<int16_t>(x);
  b.LastMoveY = static_cast<int16_t>(y);
  g.boardDrawing.AnimateChanges();
  g.io.Sleep(200);
}

void ShowMoves(Game& g) {
  g.settings.SoundEffects = 1;
  g.ai.Level = 3;
  g.hostessState.FaceNumber = 2;
  g.screen.DrawFace();
  g.screen.DrawMessageFrame();
  int side = kerna::kBlack;
  for (int move = 0; move < 6; ++move) {
    int x = 0, y = 0;
    if (!ChooseMove(g, side, x, y)) break;
    Play(g, side, x, y);
    side = g.board.OpponentTable[side];
  }
  g.settings.ShowMovePosition = 1;
  g.board.SideToMove = static_cast<int16_t>(side);
  g.rules.CopyPositionToLayers();
  g.boardDrawing.CountLegalMovesAndMark();
}

}  // namespace

int main(int argc, char** argv) {
  const bool moves = argc > 1 && std::strcmp(argv[1], "moves") == 0;
  std::string error;
  auto io = kerna::platform::SdlPlatform::Create(&error);
  if (!io) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  io->SetDataFolder(".");
  Game game(*io);
  return io->Run([&game, moves] {
    game.starter.ProgramStart();
    game.screen.DrawTitleScreen();
    SetUpStartPosition(game);
    game.boardDrawing.DrawWholeBoard();
    if (moves) ShowMoves(game);
    game.io.Sleep(100);  // hands the last frame to the window
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) game.io.Sleep(10);
  });
}
