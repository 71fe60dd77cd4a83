#include "sim/SimPlay.h"

namespace larkspur {

SeatView MakeSeatView(const SimHand& h, int seat) {
  SeatView v;
  FillSeatView(h, seat, v);
  return v;
}

void FillSeatView(const SimHand& h, int seat, SeatView& v) {
  v.Seat = seat;
  v.Opponent = sim::Other(seat);
  v.Hand.clear();
  v.Pile.clear();
  v.HandRank = {};
  v.Unseen = {};
  v.UnseenCount = 0;
  for (int c = 1; c <= CardCount; ++c) {
    const int place = h.Place[c];
    if (place == seat) {
      v.Hand.push_back(c);
      v.HandRank[sim::CardRank[c]] += 1;
    } else if (place == PlacePile) {
      v.Pile.push_back(c);
    } else if (place == v.Opponent || place == PlaceStock) {
      v.Unseen[sim::CardRank[c]] += 1;
      v.UnseenCount += 1;
    }
  }
  v.UpCard = h.UpCard != 0 && h.Place[h.UpCard] == PlacePile ? h.UpCard : 0;
  v.StateOfPile = h.StateOfPile;
  v.Melds = h.MeldInfo;
  for (int p : {Human, Robot}) {
    v.HandCount[p] = h.HandCount[p];
    v.RedThrees[p] = h.RedThrees[p];
    v.GameScore[p] = h.GameScore[p];
    v.MeldPoints[p] = h.MeldPoints[p];
    v.MinMeld[p] = h.MinMeld[p];
    v.Requirement[p] = rules::MinimumMeldFor(h.GameScore[p]);
    v.MinMeldMet[p] = h.MinMeldMet[p];
    v.HasCanasta[p] = h.HasCanasta[p];
  }
  v.StockCount = h.StockCount;
  v.TargetScore = h.TargetScore;
  v.PenaltyPoints = h.PenaltyPoints;
  v.Record.Notes.clear();
  v.Record.DealtUp.clear();
  for (int i = 0; i < h.NoteCount; ++i) {
    const SimNote& n = h.Notes[i];
    v.Record.Notes.push_back({n.Player, n.Card, n.Rank, n.Taken, n.PileSize});
  }
}

namespace {

// Cards kept in the hand, to discard one and play on with the other, until a
// canasta lets the hand go out.
constexpr int CardsToKeep = 2;
// A pile this large is worth a take that costs a wild card or makes a new meld.
constexpr int PileWorthTaking = 4;
// A black three is thrown to guard a pile of this many cards.
constexpr int PileWorthGuarding = 4;

// The ranks in card-number order, so that the first card found is the lowest.
constexpr std::array<int, 14> RanksByCardNumber{
    RankJoker, RankTwo,  RankBlackThree, RankFour, RankFive,  RankSix,  RankSeven,
    RankEight, RankNine, RankTen,        RankJack, RankQueen, RankKing, RankAce};

int LowestHeld(const SimHand& h, int player, int rank) {
  for (int c = FirstCardOfRank(rank);; ++c)
    if (h.Place[c] == player) return c;
}

int LowestWild(const SimHand& h, int player) {
  for (int c = FirstWildCard; c <= LastWildCard; ++c)
    if (h.Place[c] == player) return c;
  return 0;
}

// What the hand's naturals would add to the melds, the rank of a meld it has whatever it holds.
int MeldableValue(const SimHand& h, int me) {
  int value = 0;
  for (int r : rules::MeldRanks) {
    const int held = h.HandRank[me][r];
    if (held >= rules::MeldMinimum || (held > 0 && h.MeldInfo[me][r].Started))
      value += held * PointsOfRank(r);
  }
  return value;
}

}  // namespace

// A pile it can use: before the first meld only one that makes it in this
// turn; after it, any pile that costs nothing or is large.
bool PlayoutSeat::TakePile(const SimHand& h) const {
  const int me = h.Turn;
  const int up = sim::CardRank[h.UpCard];
  if (!rules::IsMeldRank(up)) return false;
  const int held = h.HandRank[me][up];
  const bool started = h.MeldInfo[me][up].Started;
  if (!h.MinMeldMet[me]) {
    if (held < rules::MeldMinimum - 1) return false;
    // Its cards of the top card's rank all join the top card.
    const bool counted = held >= rules::MeldMinimum || started;
    const int value = MeldableValue(h, me) + (held + 1 - (counted ? held : 0)) * PointsOfRank(up);
    return rules::MeetsMinimumMeld(h.MeldPoints[me] + value,
                                   rules::MinimumMeldFor(h.GameScore[me]));
  }
  return started || held >= rules::MeldMinimum - 1 || h.DiscardCount >= PileWorthTaking;
}

MeldStep PlayoutSeat::NextMeld(const SimHand& h) const {
  const int me = h.Turn;
  const auto& melds = h.MeldInfo[me];
  const auto& held = h.HandRank[me];
  const int hand = h.HandCount[me];
  // A meld of one or two cards, the top card of a pile just taken, is made up first.
  for (int r : rules::MeldRanks) {
    if (rules::MeldStands(melds[r])) continue;
    if (held[r] > 0) return {MeldStep::AllOfRank, r, 0};
    const int wild = LowestWild(h, me);
    if (wild != 0 && rules::MayAddWild(me, melds[r])) return {MeldStep::Wild, r, wild};
  }
  // The first meld goes down only when it beats the minimum.
  if (!h.MinMeldMet[me]) {
    if (!rules::MeetsMinimumMeld(h.MeldPoints[me] + MeldableValue(h, me),
                                 rules::MinimumMeldFor(h.GameScore[me])))
      return {};
    for (int r : rules::MeldRanks)
      if (held[r] >= rules::MeldMinimum && hand > held[r]) return {MeldStep::AllOfRank, r, 0};
    return {};
  }
  const int keep = h.HasCanasta[me] ? 0 : CardsToKeep;
  for (int r : rules::MeldRanks) {
    if (held[r] == 0) continue;
    const bool mayLay = melds[r].Started || held[r] >= rules::MeldMinimum;
    if (!mayLay) continue;
    // A canasta made by the move counts already for going out.
    const bool makesCanasta = melds[r].Count + held[r] >= rules::CanastaSize;
    if (hand - held[r] >= keep || makesCanasta) return {MeldStep::AllOfRank, r, 0};
    if (melds[r].Started && hand - 1 >= keep) return {MeldStep::Natural, r, LowestHeld(h, me, r)};
  }
  // A wild card brings a meld of four to six cards to a canasta, or nearer one.
  const int wild = LowestWild(h, me);
  if (wild != 0) {
    for (int r : rules::MeldRanks) {
      const MeldItems& m = melds[r];
      if (m.Count < rules::MeldMinimum + 1 || rules::IsCanasta(m)) continue;
      if (!rules::WildWithinNaturals(m) || !rules::MayAddWild(me, m)) continue;
      if (hand - 1 >= keep || m.Count + 1 >= rules::CanastaSize) return {MeldStep::Wild, r, wild};
    }
  }
  return {};
}

// The card it needs least, and that gives the other player least: never a wild
// card while anything else will do, a black three to guard a good pile, not a
// rank the other player has melded while the pile lies open to it, and when the
// hand is about to end the cards that would count most against it.
int PlayoutSeat::Discard(const SimHand& h) const {
  const int me = h.Turn, them = sim::Other(me);
  const bool openToThem = h.MinMeldMet[them] && h.PileWilds == 0;
  const bool ending = h.HandCount[them] <= CardsToKeep || h.StockCount <= 4;
  int best = 0, bestCost = 0;
  for (int r : RanksByCardNumber) {
    const int held = h.HandRank[me][r];
    if (held == 0) continue;
    int cost;
    if (IsWildRank(r)) {
      cost = 1000;
    } else if (r == RankBlackThree) {
      cost = h.DiscardCount >= PileWorthGuarding ? -50 : 8;
    } else {
      cost = h.MeldInfo[me][r].Started ? 60 : held >= 3 ? 50 : held == 2 ? 30 : 5;
      if (openToThem && h.MeldInfo[them][r].Started) cost += 100 + 10 * h.DiscardCount;
      if (ending) cost -= 2 * PointsOfRank(r);
    }
    if (best == 0 || cost < bestCost) best = LowestHeld(h, me, r), bestCost = cost;
  }
  return best;
}

}  // namespace larkspur
