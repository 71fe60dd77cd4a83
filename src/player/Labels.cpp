// The human's clicks on meld headings and the Discard and Return labels, and what returns leave.
#include "player/HumanMove.h"
#include "state/Game.h"

namespace larkspur {

void Game::LblHeadings_Click(int index) {
  if (index < 0 || index > RankJoker) return;
  const HumanMove move(*this, Table.LblHeadings[index].Visible);
  if (!move) return;
  const int r = index;
  if (WildChosen == 0 || r == 0) return;
  // A chosen wild card that has since left the hand is no longer chosen, and a
  // choice from a turn that is over must not meld in the robot's turn or
  // before the human has drawn.
  if (Cards[WildChosen].Place != PlaceHumanHand || !PlayerToPlay || PlayerTurnOpen) {
    WildChosen = 0;
    return;
  }
  if (r < RankAce || r > RankKing || r == RankTwo || !MeldInfo[Human][r].Started) {
    SetStatus(" you cannot add Wild card here as there is no Meld made.");
    return;
  }
  auto& pic = Table.PicCards[WildChosen];
  if (!rules::MayAddWild(Human, MeldInfo[Human][r])) {
    SetStatus(" the ratio of Wild cards to Pure cards is too high to add one at the moment");
    pic.BorderStyle = 0;
    return;
  }
  pic.BorderStyle = 0;
  const int card = WildChosen;
  Cards[card].Rank = r;
  MeldWildCard(card, r, Human);
  WildChosen = 0;
  LayOutMelds(Human);
  if (PlayerToPlay) SayMelding();  // the heading is done with: back to melding
}

void Game::LblDiscarding_Click() {
  const HumanMove move(*this, Table.LblDiscarding.Visible);
  if (!move) return;
  PlayerHasDrawn = false;
  PlayerDiscarding = true;
  SetStatus(" now click on 1 card which will be discarded.");
  Table.LblDiscarding.Visible = false;
}

void Game::LblReturnPack_Click() {
  const HumanMove move(*this, Table.LblReturnPack.Visible);
  if (!move) return;
  if (!HandInPlay) return;
  HandLayout(Human);
  bool topReturned = false;
  if (!MinMeldMet[Human]) topReturned = TakeBack();
  if (MinMeldMet[Human]) {
    ShowDeluxeMessage(PlayerName +
                          " you cannot take all back but if you added 1 card or 2 by mistake then "
                          "it will go back to your hand, then click the Discard label before "
                          "clicking card to discard.",
                      "OK", "", "", 1, "Cannot send back now");
  }
  ReturnUnfinishedMelds();
  RecountHumanMelds();
  RecheckMinimumMeld();
  // The melds that stand no longer make the first meld that a pile was taken
  // for: the pile goes back with its penalty, as if the meld had never been made.
  if (!MinMeldMet[Human] && PileTakenForFirstMeld()) topReturned = TakeBack();
  CountBonuses(Human);
  HandLayout(Human);
  LayOutMelds(Human);
  PlayerDiscarding = false;
  if (topReturned) {
    // The pile's top card is back on the pile: the human has drawn nothing.
    PlayerTurnOpen = true;
    PlayerHasDrawn = false;
    Table.LblDiscarding.Visible = false;
    Table.LblReturnPack.Visible = false;
    SetStatus(" click the Discard pack or click Stock for two cards.");
  } else {
    PlayerTurnOpen = false;
    PlayerHasDrawn = true;
    Table.LblDiscarding.Visible = true;
  }
}

// Melds of one or two cards go back to the hand; only cards still in the
// human's melds are returned. A taken pile's top card among them is a card of
// the hand from now on, no longer the pile's.
void Game::ReturnUnfinishedMelds() {
  for (int r = RankAce; r <= RankKing; ++r) {
    if (r == RankTwo) continue;
    MeldItems& meld = MeldInfo[Human][r];
    if (rules::MeldStands(meld)) continue;
    for (int c = 1; c <= CardCount; ++c) {
      if (Cards[c].MeldColumn[Human] != r || Cards[c].Place != PlaceHumanMeld) continue;
      LogMove(HandMove::TakenBack, Human, c);
      Cards[c].NewThisTurn = false;
      Cards[c].FromDiscard = false;
      Cards[c].Place = PlaceHumanHand;
      RestoreWildCard(c);
      meld.Count -= 1;
      if (meld.Count == 0) {
        meld.Started = false;
        break;
      }
    }
  }
}

}  // namespace larkspur

namespace larkspur {

// A wild card back in the hand is a two or a joker again, worth its own points.
void Game::RestoreWildCard(int c) {
  if (!IsWildCardNumber(c)) return;
  Cards[c].Rank = RankOfCard(c);
  Cards[c].Points = PointsOfCard(c);
}

// After cards have gone back, each of the human's melds is described by the
// cards still in it: a meld that no longer holds a wild card is pure again, and
// an emptied column shows the empty caption and colour.
void Game::RecountHumanMelds() {
  for (int r = RankAce; r <= RankKing; ++r) {
    if (r == RankTwo) continue;
    int count = 0;
    int wild = 0;
    for (int c = 1; c <= CardCount; ++c) {
      if (Cards[c].Place != PlaceHumanMeld || Cards[c].MeldColumn[Human] != r) continue;
      count += 1;
      wild += IsWildCardNumber(c);
    }
    MeldItems& meld = MeldInfo[Human][r];
    meld.Count = count;
    meld.WildCount = wild;
    meld.Started = count > 0;
    if (wild == 0) {
      meld.WildMark = 0;
      meld.HasWild = false;
    }
    if (count == 0) {
      Table.lblMelds[r].Caption = "NoMelds";
      Table.lblMelds[r].BackColor = NoMeldColor;
    }
  }
}

// Cards given back may leave too few points melded this hand: then the minimum
// meld is not met after all, and its label says what is missing.
void Game::RecheckMinimumMeld() {
  CountMeldPoints(Human);
  const int requirement = rules::MinimumMeldFor(GameScore[Human]);
  if (!MinMeldMet[Human] || rules::MeetsMinimumMeld(MeldPoints[Human], requirement)) return;
  MinMeldMet[Human] = false;
  MinMeld[Human] = requirement - MeldPoints[Human];
  Table.LblMinMeld.Caption = PlayerName + "Minimum Meld: " + std::to_string(MinMeld[Human]);
}

}  // namespace larkspur
