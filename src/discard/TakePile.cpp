// Taking the discard pile: who may, its top card melded, the rest handed over, the take-back.
#include "state/Game.h"

namespace larkspur {

bool Game::MayTakePile(int player) {
  HandLayout(player);
  CountHand(player);
  // An empty pile, or one whose up card has already been taken, cannot be taken.
  if (UpCard == 0 || Cards[UpCard].Place != PlacePile) return false;
  const int up = Cards[UpCard].Rank;
  const bool started = up <= RankKing && MeldInfo[player][up].Started;
  return rules::MayTakePile(PileStateOfColour(Table.Shape1.BorderColor), up, RankCount[up],
                            RankCount[RankTwo] + RankCount[RankJoker], started);
}

void Game::TakePileTop(int player) {
  Record.NotePileTaken(player, UpCard, Cards[UpCard].Rank, DiscardCount);
  LogMove(HandMove::PileTaken, player, UpCard, DiscardCount);
  Delay = 250;
  const int top = UpCard;
  const int rank = Cards[top].Rank;
  Cards[top].FromDiscard = true;
  if (player == Robot) {
    RobotPileDue = true;
    // The top card goes up towards the robot's melds.
    static constexpr TablePoint path[2] = {{2760, 4920}, {5160, 3480}};
    auto& pic = Table.PicCards[top];
    for (const TablePoint& p : path) {
      pic.Left = p.Left;
      pic.Top = p.Top;
      Table.BringToFront(pic);
      Pause();
    }
    Pause();
  }
  MeldCard(top, rank, player);
  LayOutMelds(player);
  ShowDiscardPile();

  if (player == Robot) {
    Delay = PaceSetting + 100;
    for (int c = 1; c <= CardCount; ++c) {
      if (Cards[c].Place != PlaceRobotHand || Cards[c].Rank != rank) continue;
      auto& pic = Table.PicCards[c];
      pic.Image = c;
      pic.Top += 1000;
      pic.Left += 1000;
      Table.BringToFront(pic);
      Pause();
      Table.BringToFront(pic);
      Pause();
      MeldCard(c, rank, Robot);
      LayOutMelds(Robot);
      if (MeldInfo[Robot][rank].Count == rules::MeldMinimum) break;
    }
    HandLayout(Robot);
    Delay = PaceSetting;
    if (MeldInfo[Robot][rank].Count == rules::MeldMinimum - 1) {  // made up with a wild card
      int wild = 0;
      for (int c = FirstWildCard; c <= LastWildCard && wild == 0; ++c)
        if (Cards[c].Place == PlaceRobotHand) wild = c;
      if (wild != 0) {
        Cards[wild].NewThisTurn = true;
        MeldWildCard(wild, rank, Robot);
      }
    }
  }
  HandLayout(player);
  ShowDiscardPile();
  HandLayout(player);
  ShowScores();
  HandLayout(player);
  Delay = PaceSetting;
}

void Game::HandOverPile(int player) {
  if (player == Robot) {
    if (!RobotPileDue || !MinMeldMet[Robot] || DiscardCount < 1) return;
  } else if (player == Human) {
    if (!MinMeldMet[Human] || DiscardCount < 1) return;
  } else {
    return;
  }
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != PlacePile) continue;
    Cards[c].Place = player;
    ShowDiscardPile();
    HandLayout(player);
    if (DiscardCount == 0) {
      RobotPileDue = false;
      break;
    }
  }
}

bool Game::TakeBack() {
  bool penaltyCharged = false;
  bool topReturned = false;
  // Giving back a pile taken before the first meld costs 50 points, once.
  auto chargePenalty = [&] {
    if (MinMeldMet[Human] || penaltyCharged) return;
    ShowDeluxeMessage(PlayerName +
                          " you lose 50 points for taking Discard and failing to meet Minimum "
                          "Meld",
                      "O.K.", "", "", 1, "Cards taken back");
    PenaltyPoints = rules::PileGivenBackPenalty;
    ShowScores();
    PlayerDiscarding = false;
    penaltyCharged = true;
    PlayerTurnOpen = true;
  };
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != PlaceHumanMeld) continue;
    MeldItems& meld = MeldInfo[Human][Cards[c].MeldColumn[Human]];
    bool returned = false;
    if (Cards[c].FromDiscard) {
      const int penaltyBefore = PenaltyPoints;
      // The pile's top card goes back to the pile, not into the hand.
      meld.Count -= 1;
      if (meld.Count == 0) meld.Started = false;
      CountBonuses(Human);
      LayOutMelds(Human);
      Cards[c].Place = PlacePile;
      Cards[c].NewThisTurn = false;
      ShowDiscardPile();
      Cards[c].FromDiscard = false;
      returned = true;
      topReturned = true;
      // The pile is no longer taken, so nothing of it is due any more.
      PlayerPileDue = false;
      chargePenalty();
      LogMove(HandMove::PileGivenBack, Human, c, PenaltyPoints - penaltyBefore);
    } else if (Cards[c].NewThisTurn) {
      LogMove(HandMove::TakenBack, Human, c);
      Cards[c].Place = PlaceHumanHand;
      Cards[c].NewThisTurn = false;
      meld.Count -= 1;
      if (meld.Count == 0) meld.Started = false;
      CountBonuses(Human);
      LayOutMelds(Human);
      PlayerTurnOpen = false;
      PlayerHasDrawn = true;
      returned = true;
    }
    if (returned && IsWildCardNumber(c)) {
      meld.WildMark -= 1;
      meld.WildCount -= 1;
      if (meld.WildMark == 0) meld.HasWild = false;
      RestoreWildCard(c);
    }
    CountMeldPoints(Human);
    CheckMinimumMeld(Human);
    ShowDiscardPile();
    HandLayout(Human);
    ShowScores();
    Pause();
  }
  if (GiveBackTakenPile()) {
    const int penaltyBefore = PenaltyPoints;
    chargePenalty();
    if (!topReturned)
      LogMove(HandMove::PileGivenBack, Human, UpCard, PenaltyPoints - penaltyBefore);
    topReturned = true;
  }
  return topReturned;
}

bool Game::PileTakenForFirstMeld() const {
  for (int c = 1; c <= CardCount; ++c)
    if (Cards[c].TakenForFirstMeld) return true;
  return false;
}

// What came to the hand with a pile taken for a first meld goes back to the
// pile: the rest of the pile, and its top card if Return Cards had sent that to
// the hand. Red threes it brought were laid down and replaced at once, and stay
// down. True when any card went back.
bool Game::GiveBackTakenPile() {
  bool given = false;
  for (int c = 1; c <= CardCount; ++c) {
    if (!Cards[c].TakenForFirstMeld) continue;
    Cards[c].TakenForFirstMeld = false;
    if (Cards[c].Place != PlaceHumanHand) continue;
    Cards[c].Place = PlacePile;
    given = true;
  }
  if (!given) return false;
  PlayerPileDue = false;
  ShowDiscardPile();
  HandLayout(Human);
  ShowScores();
  Pause();
  return true;
}

}  // namespace larkspur
