// The menu commands to save, load and exit, help and about, and the program's end.
#include "state/Game.h"

namespace larkspur {

void Game::MnuSave_Click() {
  SaveNameFile();
}

void Game::MnuExit_Click() {
  QuitGame();
}

void Game::mnuhelp_Click() {
  host.ShowHelp();
}

void Game::MnuAbout_Click() {
  host.ShowAbout();
}

// Continues a game from the totals in memory, with a fresh deal.
void Game::MnuLoad_Click() {
  const bool unfinished = GameScore[Human] < TargetScore && GameScore[Robot] < TargetScore &&
                          (GameScore[Human] != 0 || GameScore[Robot] != 0);
  if (unfinished) {
    HandInPlay = true;
    for (int p : {Human, Robot})
      Table.LblGameScore[p].Caption = "Game Pts. " + std::to_string(GameScore[p]);
    DiscardKeptHand();
    StartGames(GameRequest::LoadGame);
    return;
  }
  ShowDeluxeMessage(
      PlayerName + " there is no unfinished game to load therefore a new game will now start.",
      "O.K", "", "", 1, "No unfinished game to load");
  // The new game starts from zero totals, also when it replaces a running game
  // whose totals are no longer below a lowered target.
  HandInPlay = false;
  DiscardKeptHand();
  StartGames(GameRequest::NewGame);
}

void Game::cmdSave_Click() {
  Table.FramResults.Visible = false;
  SaveNameFile();
  HandInPlay = false;
  NextHandGo = true;
  QuitGame();
}

bool Game::Form_QueryUnload() {
  ShowDeluxeMessage(PlayerName + " do you really wish to exit?", "Yes Exit", "Carry On", "", 1,
                    "Really Exit?");
  if (DialogChoice != 0) return false;
  QuitGame();
  return ended_;
}

// The one way the program ends. A running game is unwound first; the place
// that runs games then finishes the exit.
void Game::QuitGame() {
  if (HandInPlay) {
    ShowDeluxeMessage(
        PlayerName + " you are in the middle of a game, are you sure you wish to exit?.",
        "Yes-Exit", "No Cancel", "", 1, "Quit without saving?");
    if (DialogChoice == 1) return;
  }
  if (gameRunning_) {
    pending_ = GameRequest::Quit;
    return;
  }
  FinishQuit();
}

void Game::FinishQuit() {
  KeepHandForLater();
  SaveNameFile();
  ended_ = true;
  host.EndProgram();
}

}  // namespace larkspur
