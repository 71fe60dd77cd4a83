// The strategist: all-round play. It takes free or large piles, meets the
// minimum with few cards, keeps its pairs, throws what the opponent is least
// likely to hold a pair of by counting every card it has seen, freezes a big
// pile when behind, and goes out when going out pays.
#include "panel/Panel.h"
#include "panel/PanelPolicy.h"

namespace larkspur::panel {

namespace {

class Strategist : public PanelPolicy {
 public:
  Strategist() { costs_ = {1.0, 6.0}; }
  std::string Name() const override { return "strategist"; }

 protected:
  bool WantsPile(const SeatView& v) override { return FreeOrLarge(v); }
  bool OpensNow(const SeatView& v) override { return Cheaply(v); }
  bool GoesOut(const SeatView& v) override { return OutPays(v); }
  MeldStep MoreMelds(const SeatView& v) override;
  double DiscardCost(const SeatView& v, int card) override;

 private:
  bool FreeOrLarge(const SeatView& v) const;
  bool Cheaply(const SeatView& v) const;
  bool OutPays(const SeatView& v) const;
  MeldStep WildWhereItCounts(const SeatView& v) const;
  double Keep(const SeatView& v, int card) const;
  double Freeze(const SeatView& v) const;
  double Shed(const SeatView& v, int card) const;
};

// A pile must bring more than the two stock cards it replaces: seven cards when
// it is free, ten when it costs a wild card.
bool Strategist::FreeOrLarge(const SeatView& v) const {
  return v.DiscardCount() >= (PileIsFree(v) ? 7 : 10);
}

// Early in the hand the first meld waits until it spends no wild card.
bool Strategist::Cheaply(const SeatView& v) const {
  return FirstMeldWithoutWilds(v, costs_) || v.StockCount < 55;
}

// Going out pays when it wins the game, when the hand is won already, when the
// opponent could go out first, or when the stock is nearly gone.
bool Strategist::OutPays(const SeatView& v) const {
  const int me = v.Seat, opp = v.Opponent;
  const int mine = v.GameScore[me] + TableScore(v, me) + 100;
  const bool wins = mine >= v.TargetScore && mine > v.GameScore[opp] + TableScore(v, opp);
  const int handLead = TableScore(v, me) - TableScore(v, opp) + 9 * v.HandCount[opp];
  return wins || handLead > 0 || v.HasCanasta[opp] || v.StockCount <= 14;
}

// Lay-offs and new triples (pairs stay in hand to take the pile), then wild
// cards that finish a canasta.
MeldStep Strategist::MoreMelds(const SeatView& v) {
  if (const MeldStep s = LayOffOrTriple(v); s.What != MeldStep::None) return s;
  return WildWhereItCounts(v);
}

// A wild card goes down on a meld of five or six only when the wild cards in
// hand finish its canasta now, or a pure canasta is out of sight.
MeldStep Strategist::WildWhereItCounts(const SeatView& v) const {
  const MeldStep step = WildTowardsCanasta(v, 5);
  if (step.What == MeldStep::None) return {};
  const MeldItems& m = v.Melds[v.Seat][step.Rank];
  const int missing = 7 - m.Count;
  const bool finishes =
      static_cast<int>(v.Wilds().size()) >= missing && WildRoom(v.Seat, m) >= missing;
  return finishes || v.Unseen[step.Rank] < missing ? step : MeldStep{};
}

// Pairs take piles and wild cards make canastas; a single is worth the more the
// more of its rank are out of sight, and one whose copies are all in sight nothing.
double Strategist::Keep(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  if (IsWildCardNumber(card)) return 300 - Freeze(v);
  if (r == RankBlackThree) return 3;
  if (v.Started(v.Seat, r)) return 8;
  if (v.HandRank[r] >= 3) return 50;
  if (v.HandRank[r] == 2) return 28 + 2 * v.Unseen[r];
  return 2.0 * v.Unseen[r];
}

// When behind, a wild card on a big pile open to the opponent is worth its price.
double Strategist::Freeze(const SeatView& v) const {
  if (FrozenForOpponent(v) || v.DiscardCount() < 7 || Lead(v) >= 0) return 0;
  return 200;
}

// With the stock running low, high cards in hand are a debt.
double Strategist::Shed(const SeatView& v, int card) const {
  return v.StockCount <= 20 ? 0.5 * PointsOfCard(card) : 0.0;
}

// A discard's cost: what the card is worth to the hand, the chance that it gives
// away a pile worth having, less the points it would cost if the hand ended.
double Strategist::DiscardCost(const SeatView& v, int card) {
  return Keep(v, card) + 0.5 * watch_.TakeChance(v, card) * PileWorth(v) - Shed(v, card);
}

}  // namespace

std::unique_ptr<Policy> MakeStrategist() {
  return std::make_unique<Strategist>();
}

}  // namespace larkspur::panel
