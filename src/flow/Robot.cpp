// The robot's turn: drawing or taking the pile, melding by its fixed rules, and its discard.
#include "state/Game.h"

namespace larkspur {

bool Game::HoldsThreeOfRank(int rank) {
  int n = 0;
  for (int c = 1; c <= CardCount; ++c)
    n += Cards[c].Place == PlaceRobotHand && Cards[c].Rank == rank;
  return n >= 3;
}

bool Game::RobotTurn() {
  CountBonuses(Human);
  CountBonuses(Robot);
  CheckMinimumMeld(Robot);
  CountHand(Robot);
  if (MayTakePile(Robot) && MinMeldMet[Robot]) {
    SetStatus("opponent is taking Discard card.");
    TakePileTop(Robot);
    CountHand(Robot);
    RobotMelds();
    SetStatus(" opponent is now discarding a card.");
    RobotDiscard();
    return true;
  }
  SetStatus(" opponent is taking two cards from Stock.");
  DrawTwoFromStock(Robot);
  CountHand(Robot);
  RobotMelds();
  SetStatus(" opponent is Discarding a card.");
  RobotDiscard();
  return false;
}

// The robot melds in stages, each on the hand the one before left; it keeps a
// last card to discard unless a canasta lets it go out.
void Game::RobotMelds() {
  CountHand(Robot);
  // Before its first meld is down, it melds only when the ranks it holds three
  // or more of are worth the minimum meld.
  if (!MinMeldMet[Robot] && NaturalMeldValue[Robot] < MinMeld[Robot]) return;
  if (HandCount[Robot] == 1 && !HasCanasta[Robot]) {
    SetStatus("your opponent cannot Meld 1 card as no Canasta made.");
    return;
  }
  // With a canasta it may go out: it melds every rank it holds three of.
  if (HasCanasta[Robot]) {
    for (int r : rules::MeldRanks) {
      if (!HoldsThreeOfRank(r)) continue;
      MeldAllOfRank(Robot, r);
      HandLayout(Robot);
    }
  }
  // Without one it melds the ranks it holds three of while it holds three
  // cards or more, and stops when one card is left.
  CountHand(Robot);
  for (int r : rules::MeldRanks) {
    if (HandCount[Robot] >= 3 && !HasCanasta[Robot] && HoldsThreeOfRank(r)) {
      MeldAllOfRank(Robot, r);
      HandLayout(Robot);
      if (HandCount[Robot] == 1) return;
    }
  }

  // The wild card it gives up first: its lowest card number, so jokers before twos.
  auto lowestWild = [&] {
    for (int c = FirstWildCard; c <= LastWildCard; ++c)
      if (Cards[c].Place == PlaceRobotHand) return c;
    return 0;
  };

  // Then up to two wild cards, each onto one meld: x is the meld chosen for the
  // first and y the meld for the second (a rank code; 0 when none suits). A
  // meld suits while fewer than three cards have joined it since its first
  // wild card and it did not start with one.
  //
  // The first wild card, if the robot holds one, goes to the first meld (aces
  // first) of four to six cards, which it brings nearer a canasta, as long as
  // the wild cards stay no more than the naturals and no more than three.
  CountHand(Robot);
  if (HandCount[Robot] == 1) return;
  int x = 0;
  if (RankCount[RankJoker] > 0 || RankCount[RankTwo] > 0) {
    for (int r : rules::MeldRanks) {
      const MeldItems& m = MeldInfo[Robot][r];
      if (m.Count >= 4 && m.Count <= 6 && m.WildMark < 3 && m.WildMark < m.Count) {
        x = r;
        break;
      }
    }
  }
  CountHand(Robot);
  if (HandCount[Robot] == 1) return;
  if (x != 0) {
    const MeldItems& m = MeldInfo[Robot][x];
    if (m.WildCount + 1 <= m.Count - m.WildCount && m.WildCount + 1 <= 3) {
      if (const int w = lowestWild()) MeldWildCard(w, x, Robot);
    }
  }

  // The second goes to the first meld of any size, as long as it then holds no
  // more than three wild cards: a joker always, a two only with a canasta made
  // and three cards or fewer left in the hand, to bring going out nearer.
  CountHand(Robot);
  if (HandCount[Robot] == 1) return;
  int y = 0;
  if (RankCount[RankJoker] > 0 ||
      (RankCount[RankTwo] > 0 && HasCanasta[Robot] && HandCount[Robot] <= 3)) {
    for (int r : rules::MeldRanks) {
      const MeldItems& m = MeldInfo[Robot][r];
      if (m.WildMark < 3 && m.WildMark < m.Count) {
        y = r;
        break;
      }
    }
  }
  CountHand(Robot);
  if (HandCount[Robot] == 1) return;
  if (y != 0 && MeldInfo[Robot][y].WildCount + 1 <= 3) {
    if (const int w = lowestWild()) MeldWildCard(w, y, Robot);
  }

  // Lay-offs onto the robot's own melds, whatever the hand size.
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != PlaceRobotHand || !IsNaturalRank(Cards[c].Rank)) continue;
    bool melded = false;
    for (int m = 1; m <= CardCount && !melded; ++m)
      melded = Cards[m].Place == PlaceRobotMeld && Cards[m].Rank == Cards[c].Rank;
    if (melded) MeldNaturalCard(c, Cards[c].Rank, Robot);
  }

  CountBonuses(Robot);
  HandLayout(Robot);
  ShowScores();
  Delay = PaceSetting;
}

// The Classic robot's discard passes, in order: the first pass that finds a
// card in the hand decides. held is how many cards of the card's rank the hand
// holds; mine and theirs whether the discarder and the other player have
// melded that rank.
bool ClassicDiscardPass(int pass, int card, int held, bool mine, bool theirs, int discardCount) {
  const int r = RankOfCard(card);
  const bool natural = IsNaturalRank(r);
  switch (pass) {
    case 1:
      return r == RankBlackThree && discardCount >= 6;
    case 2:
      return natural && held == 1 && !mine && !theirs;
    case 3:
      return natural && held == 2 && !mine && !theirs;
    case 4:
      return natural && held == 1 && !mine;
    case 5:
      return r == RankFour && !mine;
    case 6:
      return r == RankFive && !mine;
    case 7:
      return r == RankSix && !mine;
    case 8:
      return r == RankSeven || (r == RankEight && !mine);
    case 9:
      return r == RankNine || (r == RankTen && !mine);
    case 10:
      return r == RankJack || (r == RankQueen && !mine);
    case 11:
      return r == RankKing || (r == RankAce && !mine);
    case 12:
      return natural;
    case 13:
      return !IsJokerNumber(card);
    default:
      return true;
  }
}

int Game::RobotDiscardChoice() {
  auto started = [&](int player, int r) { return r <= RankKing && MeldInfo[player][r].Started; };
  for (int pass = 1; pass <= ClassicDiscardPasses; ++pass) {
    for (int c = 1; c <= CardCount; ++c) {
      if (Cards[c].Place != PlaceRobotHand) continue;
      const int r = Cards[c].Rank;
      if (ClassicDiscardPass(pass, c, RankCount[r], started(Robot, r), started(Human, r),
                             DiscardCount))
        return c;
    }
  }
  return 0;
}

void Game::RobotDiscard() {
  CountBonuses(Robot);
  if (HandCount[Robot] == 0) return;
  if (HandCount[Robot] == 1 && !HasCanasta[Robot]) {
    SetStatus(" your opponent cannot discard at present- no Canasta");
    CountBonuses(Robot);
    return;
  }
  CountHand(Robot);
  ShowDiscardPile();
  const int card = RobotDiscardChoice();
  if (card == 0) return;
  DiscardCard(Robot, card);
  CountBonuses(Robot);
}

}  // namespace larkspur
