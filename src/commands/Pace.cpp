// The pace of play chosen by the player: how long the game pauses between moves.
#include "state/Game.h"

namespace larkspur {

void Game::SetPace(int pace) {
  PaceSetting = pace;
  // The very next pause takes the new pace too, not the one set before the change.
  Delay = pace;
  SaveNameFile();
}

}  // namespace larkspur
