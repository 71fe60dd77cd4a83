// The table and scores reset for a new hand.
#include "state/Game.h"

namespace larkspur {

void Game::NewHandReset() {
  for (int c = 1; c <= CardCount; ++c) {
    Table.PicCards[c].Visible = false;
    Cards[c].Place = PlaceStock;
    Cards[c].FromDiscard = false;
    Cards[c].NewThisTurn = false;
    Cards[c].TakenForFirstMeld = false;
  }
  ShowStock();
  NextHandGo = false;
  for (int i = RankAce; i <= RankRedThree; ++i) {
    if (i == RankTwo) continue;  // twos have no meld column
    Table.lblMeldsC[i].Caption = "No Melds";
    Table.lblMelds[i].Caption = "NoMelds";
    Table.lblMeldsC[i].BackColor = NoMeldColor;
    Table.lblMelds[i].BackColor = NoMeldColor;
  }
  for (int p : {Human, Robot}) {
    RedThreeCount[p] = 0;
    MinMeldMet[p] = false;
  }
  PenaltyPoints = 0;
  SetStatus("General Infomation");
  if (!HandInPlay) {
    for (int p : {Human, Robot}) {
      GameScore[p] = 0;
      Table.LblGameScore[p].Caption = "Game Pts. " + std::to_string(GameScore[p]);
    }
  }
  UpCard = 0;
  DiscardCount = 0;
  Table.LblDiscard.Caption = std::to_string(DiscardCount);
  Table.Caption = "Larkspur - Target Score is " + std::to_string(TargetScore);
  Table.Shape1.BorderColor = PileFrozen;
  StockCount = CardCount;
  Table.LblStock.Caption = "No. Stock:- 108";
  PlayerTurnOpen = false;
  for (int p : {Human, Robot}) {
    HasCanasta[p] = false;
    OutBonus[p] = 0;
    BonusPoints[p] = 0;
    RedThreeBonus[p] = 0;
    PureCanastas[p] = 0;
    MixedCanastas[p] = 0;
    HandScore[p] = 0;
    MeldPoints[p] = 0;
    RedThreeCount[p] = 0;
    HandCount[p] = HandSize;
    HandPoints[p] = 0;
    Table.LblMeldScore[p].Caption = "Meld Pts.: " + std::to_string(MeldPoints[p]);
    Table.LblBonusScore[p].Caption = "Bonus Pts: " + std::to_string(BonusPoints[p]);
  }
  Table.LblDiscard.Caption = "Discard: ";
  Table.LblStock.Caption = "Stock: ";
  for (int c = 1; c <= CardCount; ++c) {
    Cards[c].FromDiscard = false;
    Cards[c].NewThisTurn = false;
    Cards[c].Rank = 0;
    Cards[c].MeldColumn = {0, 0, 0};
  }
  InitCards();
  MeldInfo = {};
  // Nothing of the last hand may carry over: a chosen wild card, a pile still
  // due from a taken discard pile, or the mark that the hand was scored.
  WildChosen = 0;
  PlayerPileDue = false;
  RobotPileDue = false;
  HandScored = false;
  Record = {};
  Log.Clear();
}

}  // namespace larkspur
