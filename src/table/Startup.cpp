// Start-up of the table: the player file read and the whole pack laid out as the stock.
#include "state/Game.h"

namespace larkspur {

void Game::Form_Load() {
  PlayerName = "Player";
  ReadNameFile();
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
  SetStatus(" welcome to Larkspur - Press F2 or us Game Menu for a new game.");
}

}  // namespace larkspur
