// The human's card clicks: drawing, melding, discarding, going out.
#include "player/HumanMove.h"
#include "state/Game.h"

namespace larkspur {

void Game::PicCards_MouseDown(int index) {
  if (index < 1 || index > CardCount) return;
  const HumanMove move(*this, Table.PicCards[index].Visible);
  if (!move) return;
  const int c = index;
  if (!PlayerToPlay || Cards[c].Place == PlaceRobotHand || !HandInPlay) return;
  HandLayout(Human);
  if (PlayerTurnOpen) {
    if (Cards[c].Place == PlaceStock) {
      TakeTwoFromStock();
      return;
    }
    if (Cards[c].Place == PlacePile) {
      if (MayTakePile(Human))
        PlayerTakesPile(c);
      else
        SetStatus(" you cannot Meld the Discard. Click on Stock for two cards.");
      return;
    }
  }
  if (Cards[c].Place == PlaceHumanHand && PlayerHasDrawn) {
    MeldHandCard(c);
    return;
  }
  if (PlayerDiscarding && Cards[c].Place == PlaceHumanHand) DiscardHandCard(c);
}

void Game::MeldHandCard(int c) {
  HandLayout(Human);
  CountHand(Human);
  const int r = Cards[c].Rank;
  if (r == RankBlackThree) {
    if (BlackThreesGoOut()) GoOutWithBlackThrees();
    return;
  }
  if (r == RankRedThree) return;  // laid down at once; never melded from the hand
  const bool wild = IsWildRank(r);
  if (!wild && !CanStartMeld(c)) return;
  WildChosen = 0;
  if (wild) {
    WildChosen = c;
    Table.PicCards[c].BorderStyle = 1;
    SetStatus(" now click on label above the Meld to which you wish to add this card.");
    return;
  }
  MeldCard(c, r, Human);
  LayOutMelds(Human);
}

void Game::GoOutWithBlackThrees() {
  for (int c = FirstBlackThree; c <= LastBlackThree; ++c) {
    if (Cards[c].Place != PlaceHumanHand) continue;
    MeldCard(c, RankBlackThree, Human);
    LayOutMelds(Human);
  }
  ShowHandResult();
}

// A refused discard puts the human back to melding, and the status line says so.
void Game::BackToMelding() {
  Table.LblDiscarding.Visible = true;
  Table.LblReturnPack.Visible = true;
  PlayerDiscarding = false;
  PlayerHasDrawn = true;
  SayMelding();
}

void Game::SayMelding() {
  SetStatus(
      " click a card to meld it and when finished click big label above card and then 1 card to "
      "discard.");
}

void Game::DiscardHandCard(int c) {
  if (!MeldsComplete(Human)) {
    ShowDeluxeMessage(
        "You have an unfinished Meld - Complete it or click 'Take Back' button or Menu above.",
        "Right", "", "", 1, "Unfinished Meld.");
    BackToMelding();
    return;
  }
  CountMeldPoints(Human);
  if (MeldPoints[Human] >= 1 && !MinMeldMet[Human]) {
    ShowDeluxeMessage(
        "You have not melded enough points to meet the Minimum Meld. Meld more or click 'Take "
        "Back' button.",
        "Right", "", "", 1, "Minimum Meld not met.");
    BackToMelding();
    return;
  }
  HandLayout(Human);
  if (rules::MustKeepLastCard(HandCount[Human], HasCanasta[Human])) {
    ShowDeluxeMessage(PlayerName + " you cannot discard last card with no Canasta. " + RobotName +
                          " will now play",
                      "O.K.", "", "", 1, "Cannot Discard");
    PlayerToPlay = PlayerDiscarding = PlayerTurnOpen = PlayerHasDrawn = false;
    SetStatus(" your opponnent is now playing.");
    return;
  }
  DiscardCard(Human, c);
  PlayerToPlay = PlayerDiscarding = PlayerTurnOpen = PlayerHasDrawn = false;
  SetStatus(" your opponent will now play.");
}

// After a draw, from the stock or the pile, the human melds.
void Game::HasDrawn() {
  PlayerHasDrawn = true;
  PlayerTurnOpen = false;
  PlayerDiscarding = false;
  SayMelding();
  Table.LblReturnPack.Visible = true;
  Table.LblDiscarding.Visible = true;
}

void Game::TakeTwoFromStock() {
  DrawStockCard(Human);
  DrawStockCard(Human);
  HasDrawn();
}

void Game::PlayerTakesPile(int card) {
  if (Cards[card].Rank != Cards[UpCard].Rank) return;
  // Before the first meld the pile is taken on the strength of a meld still to
  // come: should that meld not stand, the whole pile goes back.
  if (!MinMeldMet[Human])
    for (int c = 1; c <= CardCount; ++c) Cards[c].TakenForFirstMeld = Cards[c].Place == PlacePile;
  TakePileTop(Human);
  CountMeldPoints(Human);
  CheckMinimumMeld(Human);
  if (MinMeldMet[Human])
    HandOverPile(Human);
  else
    PlayerPileDue = true;
  HasDrawn();
}

bool Game::CanStartMeld(int card) {
  HandLayout(Human);
  CountHand(Human);
  const int r = Cards[card].Rank;
  const bool started = r <= RankKing && MeldInfo[Human][r].Started;
  if (!rules::MayMeldNatural(started, RankCount[r], RankCount[RankJoker] + RankCount[RankTwo])) {
    SetStatus(" you do not have enough cards in your hand to meld this card");
    return false;
  }
  return true;
}

bool Game::BlackThreesGoOut() {
  HandLayout(Human);
  CountHand(Human);
  int b = 0;
  for (int c = 1; c <= CardCount; ++c)
    b += Cards[c].Place == PlaceHumanHand && Cards[c].Rank == RankBlackThree;
  // The whole hand must be black threes, a meld of three or all four of them.
  const int h = HandCount[Human];
  if (rules::HandIsBlackThreesMeld(h, b)) {
    if (!HasCanasta[Human]) {
      SetStatus(" you cannot go out with black threes until you have a Canasta. ");
      return false;
    }
    GameScore[Human] += rules::BlackThreeOutPoints * h;
    return true;
  }
  if (h > BlackThreesInPack) {
    SetStatus(" you must have no more than 4 cards in your hand to meld black threes.");
    return false;
  }
  if (h == rules::MeldMinimum) {
    SetStatus(" you must have minimum of 3 black threes in hand to go out.");
    return false;
  }
  if (!HasCanasta[Human])
    SetStatus(" you cannot go out with black threes until you have a Canasta. ");
  return false;
}

}  // namespace larkspur
