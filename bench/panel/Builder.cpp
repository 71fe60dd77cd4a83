// The builder: takes every pile it can, hoards the cards for canastas, pure
// ones while the rank's naturals are still to be had, and goes out only late.
#include "panel/Panel.h"
#include "panel/PanelPolicy.h"

namespace larkspur::panel {

namespace {

class Builder : public PanelPolicy {
 public:
  std::string Name() const override { return "builder"; }

 protected:
  bool WantsPile(const SeatView&) override { return true; }  // every pile the table allows
  bool OpensNow(const SeatView&) override { return true; }
  bool GoesOut(const SeatView& v) override { return Late(v); }
  MeldStep MoreMelds(const SeatView& v) override;
  double DiscardCost(const SeatView& v, int card) override;

 private:
  bool Late(const SeatView& v) const;
  bool PureOutOfReach(const SeatView& v, int rank) const;
  MeldStep WildToFinish(const SeatView& v) const;
  double Keep(const SeatView& v, int card) const;
};

// Out only when the stock runs low, the opponent could go out first, or it wins the game.
bool Builder::Late(const SeatView& v) const {
  const int opp = v.Opponent;
  const bool threat = v.HasCanasta[opp] && v.HandCount[opp] <= 4;
  const bool wins = v.GameScore[v.Seat] + TableScore(v, v.Seat) + 100 >= v.TargetScore;
  return v.StockCount <= 20 || threat || wins;
}

// A pure canasta is out of reach when too few naturals of the rank are left unseen.
bool Builder::PureOutOfReach(const SeatView& v, int rank) const {
  const MeldItems& m = v.Melds[v.Seat][rank];
  return m.WildCount > 0 || v.Unseen[rank] < 7 - m.Count || v.StockCount <= 16;
}

// Naturals build the melds; a wild card only finishes a canasta a pure one cannot.
MeldStep Builder::MoreMelds(const SeatView& v) {
  if (const MeldStep s = LayOffOrTriple(v); s.What != MeldStep::None) return s;
  return WildToFinish(v);
}

// Wild cards go onto a meld of five or six whose pure canasta is out of reach.
MeldStep Builder::WildToFinish(const SeatView& v) const {
  const MeldStep step = WildTowardsCanasta(v, 5);
  if (step.What == MeldStep::None || !PureOutOfReach(v, step.Rank)) return {};
  return step;
}

// Wild cards and pairs are the builder's stock in trade; a pair takes the next pile.
double Builder::Keep(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  if (IsWildCardNumber(card)) return 200;
  if (r == RankBlackThree) return 6;
  if (v.Started(v.Seat, r)) return 12;
  if (v.HandRank[r] >= 3) return 45;
  return v.HandRank[r] == 2 ? 30 + 2 * v.Unseen[r] : 2 + v.Unseen[r];
}

// A discard's cost: what the card is worth to the canastas, and the chance that
// it gives away a pile worth having.
double Builder::DiscardCost(const SeatView& v, int card) {
  return Keep(v, card) + 0.8 * watch_.TakeChance(v, card) * PileWorth(v);
}

}  // namespace

std::unique_ptr<Policy> MakeBuilder() {
  return std::make_unique<Builder>();
}

}  // namespace larkspur::panel
