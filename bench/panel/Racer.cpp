// The racer: melds as soon as it may, goes out as soon as it may, and keeps
// few cards, so that the opponent is caught holding its hand.
#include "panel/Panel.h"
#include "panel/PanelPolicy.h"

namespace larkspur::panel {

namespace {

class Racer : public PanelPolicy {
 public:
  std::string Name() const override { return "racer"; }

 protected:
  bool WantsPile(const SeatView& v) override { return FreeAndWorthIt(v); }
  bool OpensNow(const SeatView&) override { return true; }
  bool GoesOut(const SeatView&) override { return true; }
  MeldStep MoreMelds(const SeatView& v) override;
  double DiscardCost(const SeatView& v, int card) override;

 private:
  bool FreeAndWorthIt(const SeatView& v) const;
  double Keep(const SeatView& v, int card) const;
};

// Only a free pile, and only one that brings more than the two stock cards would.
bool Racer::FreeAndWorthIt(const SeatView& v) const {
  return PileIsFree(v) && v.DiscardCount() >= 6;
}

// Every natural onto the table at once; wild cards are kept for the way out,
// or to finish the first canasta, which is the ticket out.
MeldStep Racer::MoreMelds(const SeatView& v) {
  if (const MeldStep s = LayOffOrTriple(v); s.What != MeldStep::None) return s;
  if (v.HasCanasta[v.Seat]) return {};
  return WildTowardsCanasta(v, 6);
}

// Wild cards and pairs carry the race; a single is worth little, and less the
// fewer of its rank are still out of sight.
double Racer::Keep(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  if (IsWildCardNumber(card)) return 150;
  if (r == RankBlackThree) return 4;
  if (v.Started(v.Seat, r)) return 3;
  return v.HandRank[r] >= 2 ? 20 + 10 * (v.HandRank[r] - 2) : 1 + v.Unseen[r];
}

// A discard's cost: what the card is worth to the race, and, lightly, the chance
// that it gives away a pile worth having.
double Racer::DiscardCost(const SeatView& v, int card) {
  return Keep(v, card) + 0.3 * watch_.TakeChance(v, card) * PileWorth(v);
}

}  // namespace

std::unique_ptr<Policy> MakeRacer() {
  return std::make_unique<Racer>();
}

}  // namespace larkspur::panel
