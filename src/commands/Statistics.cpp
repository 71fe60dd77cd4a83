// The games-won statistics: shown and deleted from the menu.
#include "state/Game.h"

namespace larkspur {

void Game::MnuView_Click() {
  ShowDeluxeMessage(PlayerName + " you are winning " + std::to_string(GamesWonPlayer) +
                        " against " + RobotName + " winning " + std::to_string(GamesWonRobot),
                    "O.K", "", "", 1, "Games played statistics");
}

// The zeroed counts reach the player file at its next write.
void Game::MnuDelete_Click() {
  ShowDeluxeMessage(
      PlayerName + " do you really wish to delete the statistics on games won and lost?.",
      "Yes Delete", "No Cancel", "", 1, "Really delete?");
  if (DialogChoice != 0) return;
  GamesWonPlayer = 0;
  GamesWonRobot = 0;
}

}  // namespace larkspur
