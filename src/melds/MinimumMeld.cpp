// A card booked into a meld, the points melded and the minimum first meld.
#include "state/Game.h"

namespace larkspur {

void Game::CountMeldPoints(int player) {
  const int place = player == Human ? PlaceHumanMeld : PlaceRobotMeld;
  MeldPoints[player] = 0;
  for (int c = 1; c <= CardCount; ++c)
    if (Cards[c].Place == place) MeldPoints[player] += Cards[c].Points;
  ShowScores();
}

void Game::CheckMinimumMeld(int player) {
  MinMeld[player] = rules::MinimumMeldFor(GameScore[player]);
  CountMeldPoints(player);
  const std::string& name = player == Human ? PlayerName : RobotName;
  if (rules::MeetsMinimumMeld(MeldPoints[player], MinMeld[player])) {
    MinMeldMet[player] = true;
    Table.LblMinMeld.Caption = name + "Minimum Meld Met";
  } else {
    MinMeldMet[player] = false;
    Table.LblMinMeld.Caption = name + "Minimum Meld: " + std::to_string(MinMeld[player]);
  }
  Table.LblMinMeld.ElidablePrefix = static_cast<int>(name.size());
}

void Game::MeldCard(int card, int r, int player) {
  LogMove(HandMove::Meld, player, card, r);
  if (player == Human) {
    Cards[card].Place = PlaceHumanMeld;
    Cards[card].NewThisTurn = true;
  } else {
    Cards[card].Place = PlaceRobotMeld;
  }
  Cards[card].MeldColumn[player] = r;
  CountMeldPoints(player);
  MeldItems& meld = MeldInfo[player][r];
  rules::BookCard(meld);
  if (rules::IsCanasta(meld)) HasCanasta[player] = true;
  CheckMinimumMeld(player);
  ShowDiscardPile();

  if (player == Human && MinMeldMet[Human] && PlayerPileDue && DiscardCount >= 1) {
    ShowDeluxeMessage(
        PlayerName + " you have made the minimum meld and rest of pack is now being given to you",
        "Right", "", "", 1, "Discards coming to hand");
    HandOverPile(Human);
    PlayerPileDue = false;
  }
  if (player == Robot && RobotPileDue) {
    HandOverPile(Robot);
    RobotPileDue = false;
  }
  CountMeldPoints(Human);
  CountMeldPoints(Robot);

  if (MinMeldMet[player]) {
    MinMeld[player] = 0;
    Table.LblMinMeld.Caption =
        player == Human ? PlayerName + "Minimum Meld Met: " : RobotName + "Minimum Meld Met ";
  } else {
    MinMeld[player] -= MeldPoints[player];
    Table.LblMinMeld.Caption = (player == Human ? PlayerName : RobotName) +
                               "Minimum Meld: " + std::to_string(MinMeld[player]);
  }
  Table.LblMinMeld.ElidablePrefix =
      static_cast<int>((player == Human ? PlayerName : RobotName).size());
  CountBonuses(player);
  HandLayout(player);
}

}  // namespace larkspur
