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
  Strategist() { costs_ = {1.0, 3.0}; }
  std::string Name() const override { return "strategist"; }

 protected:
  bool WantsPile(const SeatView& v) override { return PileIsFree(v) || v.DiscardCount() >= 5; }
  bool OpensNow(const SeatView&) override { return true; }
  bool GoesOut(const SeatView& v) override { return OutPays(v); }
  MeldStep MoreMelds(const SeatView& v) override;
  double DiscardCost(const SeatView& v, int card) override;

 private:
  bool OutPays(const SeatView& v) const;
  MeldStep WildWhereItCounts(const SeatView& v) const;
  double Keep(const SeatView& v, int card) const;
  double Freeze(const SeatView& v) const;
  double Shed(const SeatView& v, int card) const;
};

// Going out pays when it wins the game, when the hand is won already, when the
// opponent could go out first, or when the stock is nearly gone.
bool Strategist::OutPays(const SeatView& v) const {
  const int me = v.Seat, opp = v.Opponent;
  const bool wins =
      v.GameScore[me] + TableScore(v, me) + 100 >= v.TargetScore &&
      v.GameScore[me] + TableScore(v, me) + 100 > v.GameScore[opp] + TableScore(v, opp);
  const int handLead = TableScore(v, me) - TableScore(v, opp) + 9 * v.HandCount[opp];
  return wins || handLead > 0 || v.HasCanasta[opp] || v.StockCount <= 14;
}

// Lay-offs and new triples (pairs stay in hand to take the pile), then wild
// cards that finish a canasta.
MeldStep Strategist::MoreMelds(const SeatView& v) {
  if (const MeldStep s = LayOffOrTriple(v); s.What != MeldStep::None) return s;
  return WildWhereItCounts(v);
}

// A wild card goes down only to bring a meld of five or six to a canasta.
MeldStep Strategist::WildWhereItCounts(const SeatView& v) const {
  const MeldStep step = WildTowardsCanasta(v, 5);
  if (step.What == MeldStep::None) return {};
  const MeldItems& m = v.Melds[v.Seat][step.Rank];
  const int short7 = 7 - m.Count;
  // Enough wild cards to finish it now, or a pure canasta no longer in sight.
  const bool finishes =
      static_cast<int>(v.Wilds().size()) >= short7 && WildRoom(v.Seat, m) >= short7;
  return finishes || v.Unseen[step.Rank] < short7 ? step : MeldStep{};
}

// Pairs take piles and wild cards make canastas; a single of a rank whose copies
// are all in sight is worth nothing.
double Strategist::Keep(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  if (IsWildCardNumber(card)) return 300 - Freeze(v);
  if (r == RankBlackThree) return v.DiscardCount() >= 5 ? 3 : 10;
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

double Strategist::DiscardCost(const SeatView& v, int card) {
  return Keep(v, card) + 1.5 * watch_.TakeChance(v, card) * PileWorth(v) - Shed(v, card);
}

}  // namespace

std::unique_ptr<Policy> MakeStrategist() {
  return std::make_unique<Strategist>();
}

}  // namespace larkspur::panel
