// The places in the game loop where the hostess speaks or shows a face. Her
// commentary is a subsystem of its own; until its operations are in the game,
// these only set her face and draw it.
#include "game/game.hpp"
#include "game/main_loop.hpp"

namespace kerna {

void GameLoop::ShowFace(int face) {
  g_.screenState.FaceNumber = static_cast<uint8_t>(face);
  g_.screen.DrawFace();
}

// Speech event 53, the level's title, printed as pairs after "レベル n".
void GameLoop::HostessPrintsLevelTitle() {}

// Speech event 55 on rows 6 and 7 when the human plays black.
void GameLoop::HostessGreets() {}

// A new game: no speech event spoken yet.
void GameLoop::HostessResetsSpeech() {}

// The empty balloon before a comment on the computer's move.
void GameLoop::HostessDrawsBalloon() {}

// Speech event 57 on rows 6 and 7, face 3.
void GameLoop::HostessCommentsOnBookMove() {
  ShowFace(3);
}

// The comment on ShownValue after a computer move (ladder, swings, corner,
// second-best move), with its face.
void GameLoop::HostessCommentsOnMove() {}

}  // namespace kerna
