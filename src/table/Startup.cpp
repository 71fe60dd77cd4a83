// Start-up of the table: the player file read and the whole pack laid out as the stock.
#include "state/Game.h"

namespace larkspur {

void Game::Form_Load() {
  PlayerName = "Player";
  ReadNameFile();
  ReadKeptHand();
  ReadStatistics();
  Table.LblTargetScore.Caption = "Target Score " + std::to_string(TargetScore);
  Delay = PaceSetting;
  Table.LblNames[2].Caption = PlayerName;
  Table.LblNames[1].Caption = RobotName;
  Table.LblP.Caption = PlayerName;
  Table.LblB.Caption = RobotName;
  for (int c = 1; c <= CardCount; ++c) {
    Table.PicCards[c].Visible = true;
    Cards[c].Place = PlaceStock;
  }
  ShowStock();
  host.PlaySound("riffle.wav");
  Table.LblStock.Caption = "No. Deck 108";
  Table.LblDiscard.Caption = "Discard";
  // While a hand is kept, the welcome offers it first: F2 alone would give it up.
  if (resumable_)
    SetStatus(
        " welcome back to Larkspur - your last hand is kept. Press Ctrl+R or use Game Menu, "
        "Resume Hand, to play on where you left off, or F2 for a new game.");
  else
    SetStatus(" welcome to Larkspur - Press F2 or us Game Menu for a new game.");
}

}  // namespace larkspur
