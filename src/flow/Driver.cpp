// The game driver: one game at a time, hands until the target, the human's turn, the end.
#include <utility>

#include "state/Game.h"

namespace larkspur {

namespace {

// Holds a mark for as long as a wait or a game runs, however it is left.
struct ScopedMark {
  bool& flag;
  explicit ScopedMark(bool& f) : flag(f) { flag = true; }
  ~ScopedMark() { flag = false; }
};

}  // namespace

void Game::MnuNew_Click() {
  if (HandInPlay) {
    ShowDeluxeMessage(PlayerName +
                          " you are in the middle of a game, are you sure you really wish to "
                          "start a new game?.",
                      "New Game", "No Cancel", "", 1, "Really start new game?");
    if (DialogChoice == 1) return;
    for (int p : {Human, Robot}) {
      GameScore[p] = 0;
      Table.LblGameScore[p].Caption = "Game Pts. " + std::to_string(GameScore[p]);
    }
  }
  DiscardKeptHand();
  StartGames(GameRequest::NewGame);
}

void Game::cmdNew_Click() {
  Table.FramResults.Visible = false;
  NextHandGo = true;
  ResultsAnswered = true;
}

// A game asked for while another runs is recorded; the running game's waits
// unwind to RunGames, which starts it. Games therefore never nest.
void Game::StartGames(GameRequest request) {
  if (pending_ == GameRequest::Quit) return;
  pending_ = request;
  if (!gameRunning_) RunGames();
}

void Game::RunGames() {
  {
    ScopedMark running(gameRunning_);
    while (pending_ == GameRequest::NewGame || pending_ == GameRequest::LoadGame ||
           pending_ == GameRequest::ResumeHand) {
      pending_ = GameRequest::None;
      // Whatever the abandoned game left on the table goes.
      Table.FramResults.Visible = false;
      Table.MnuPlayEnabled = true;
      Table.LblDiscarding.Visible = false;
      Table.LblReturnPack.Visible = false;
      PlayerTurnOpen = PlayerHasDrawn = PlayerDiscarding = false;
      ResultsAnswered = false;
      try {
        PlayGame();
      } catch (const GameAbandoned&) {
      }
    }
  }
  if (pending_ == GameRequest::Quit) {
    pending_ = GameRequest::None;
    FinishQuit();
  }
}

void Game::PlayGame() {
  // A kept hand put back is dealt and under way: it goes on from the human's turn.
  bool handUnderWay = PutBackKeptHand();
  if (!handUnderWay) {
    NewHandReset();
    StartScoreSheet();  // after the reset, which zeroes the totals unless a game was loaded
    PlayerToPlay = static_cast<int>(2 * host.Random()) + 1 == 1;
    InitCards();
  }
  do {
    if (!std::exchange(handUnderWay, false)) {
      NewHandReset();
      int dealer;
      if (PlayerToPlay) {
        SetStatus(" opponent is dealing and you will play first");
        dealer = Robot;
      } else {
        SetStatus(" you are dealing " + RobotName + " to play first");
        dealer = Human;
      }
      Deal(dealer);
      HandLayout(Human);
      HandLayout(Robot);
      ShowStock();
      HandInPlay = true;
      Table.Shape1.BorderColor = PileFrozen;
    } else {
      WaitWhileHumanPlays();  // the turn it was kept in goes on, even with the stock drawn out
    }

    while (HandCount[Human] > 0 && HandCount[Robot] > 0 && StockCount > 0 && HandInPlay) {
      if (PlayerToPlay) {
        WaitWhileHumanPlays();
      } else {
        const bool tookPile = RobotTurn();
        PlayerToPlay = tookPile || HandCount[Robot] != 0;
      }
    }

    if (HandInPlay) {
      if (!HandScored) ShowHandResult();
      while (!NextHandGo) {
        host.WaitForEvent();
        CheckAbandon();
      }
      NextHandGo = false;
      if (GameScore[Human] > TargetScore && GameScore[Robot] > TargetScore &&
          GameScore[Human] == GameScore[Robot]) {
        ShowDeluxeMessage(
            "You have both scored over 5,000 but your scores are equal, so we will play another "
            "hand",
            "O.K", "", "", 1, "Game Drawn");
      }
    }
  } while ((GameScore[Human] < TargetScore && GameScore[Robot] < TargetScore) ||
           GameScore[Human] == GameScore[Robot]);
  EndOfGame();
}

void Game::WaitWhileHumanPlays() {
  // A turn put back from a kept hand is open already, and goes on where it was left.
  if (!std::exchange(turnPutBack_, false)) {
    PlayerDiscarding = false;
    CountBonuses(Human);
    CountBonuses(Robot);
    ShowScores();
    CheckMinimumMeld(Human);
    SetStatus(" click the Discard pack or click Stock for two cards.");
    PlayerTurnOpen = true;
  }
  while (PlayerToPlay) {
    // A turn sent back to drawing after the last stock card can draw nothing:
    // the hand is over, as it is before a turn with no stock.
    if (PlayerTurnOpen && StockCount <= 0) break;
    KeepHand();
    {
      ScopedMark waiting(waitingForHuman_);
      host.WaitForEvent();
    }
    CheckAbandon();
  }
  PlayerHasDrawn = false;
  PlayerDiscarding = false;
  PlayerTurnOpen = false;
  // The rest of a pile is due only in the turn that took it: a later first meld
  // must not bring in a pile the player did not take.
  PlayerPileDue = false;
  // A pile taken for the first meld is the human's for good once the turn is over.
  for (CardRow& card : Cards) card.TakenForFirstMeld = false;
  Table.LblReturnPack.Visible = false;
  Table.LblDiscarding.Visible = false;
}

void Game::EndOfGame() {
  HandInPlay = false;
  NextHandGo = true;
  const std::string totals = std::to_string(GameScore[Human]) + " against Barnaby's score of  " +
                             std::to_string(GameScore[Robot]) +
                             " Statistics saved. Click 'New Game' or 'Exit'";
  if (GameScore[Human] > GameScore[Robot]) {
    Delay = PaceSetting + 500;
    host.PlaySound("win.wav");
    Pause();
    Delay = PaceSetting + 500;
    ShowDeluxeMessage(
        "Well done, " + PlayerName + " you won this game with a total score of  " + totals,
        "New Game", "Exit", "", 1, "Game Over");
    GamesWonPlayer = OneMoreWin(GamesWonPlayer);
  } else {
    host.PlaySound("Uhho.wav");
    Pause();
    ShowDeluxeMessage(
        "Oh Dear, " + PlayerName + " you lost this game with a total score of  " + totals,
        "New Game", "Exit", "", 1, "Game Over");
    GamesWonRobot = OneMoreWin(GamesWonRobot);
  }
  NoteGameInStatistics();
  SaveNameFile();
  HandInPlay = false;
  if (DialogChoice == 0) {
    NextHandGo = true;
    StartGames(GameRequest::NewGame);
  } else {
    NextHandGo = false;
    QuitGame();
  }
}

}  // namespace larkspur
