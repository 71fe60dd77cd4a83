// The menu commands that change the player's and the opponent's names.
#include <optional>

#include "commands/PlayerFile.h"
#include "state/Game.h"

namespace larkspur {

void Game::MnuNameP_Click() {
  if (!host.AskYesNo(
          "Please enter your name",
          " Welcome " + PlayerName + " if you wish to change the Player's name click on 'Yes' "))
    return;
  const std::optional<std::string> entered =
      host.InputText("Enter your name", "Please enter new player's name.");
  if (!entered) return;  // cancelled: the name stays as it was
  PlayerName = UsableName(*entered);
  Table.LblNames[2].Caption = PlayerName;
  Table.LblP.Caption = PlayerName;
  SaveNameFile();
}

void Game::MnuNameR_Click() {
  if (!host.AskYesNo("Please enter a name for your opponent",
                     " if you wish to change the Robot's name click on 'Yes' "))
    return;
  const std::optional<std::string> entered =
      host.InputText("Enter Opponent's name", "Please enter new Robot's name.");
  if (!entered) return;  // cancelled: the name stays as it was
  RobotName = UsableName(*entered);
  Table.LblNames[1].Caption = RobotName;
  Table.LblB.Caption = RobotName;
  SaveNameFile();
}

}  // namespace larkspur
