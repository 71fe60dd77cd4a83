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
  bool WantsPile(const SeatView& v) override { return FreeOrSmall(v); }
  bool OpensNow(const SeatView&) override { return true; }
  bool GoesOut(const SeatView&) override { return true; }
  MeldStep MoreMelds(const SeatView& v) override;
  double DiscardCost(const SeatView& v, int card) override;

 private:
  bool FreeOrSmall(const SeatView& v) const;
  MeldStep PairWithWild(const SeatView& v) const;
  double Keep(const SeatView& v, int card) const;
  double Shed(const SeatView& v, int card) const;
};

// A free pile is a meld at once; one that costs a wild card only while it is small.
bool Racer::FreeOrSmall(const SeatView& v) const {
  return PileIsFree(v) || v.DiscardCount() <= 4;
}

// Every natural onto the table, then pairs made up with wild cards, then wild
// cards towards the first canasta, which is the ticket out.
MeldStep Racer::MoreMelds(const SeatView& v) {
  if (const MeldStep s = LayOffOrTriple(v); s.What != MeldStep::None) return s;
  if (const MeldStep s = PairWithWild(v); s.What != MeldStep::None) return s;
  if (v.HasCanasta[v.Seat]) return {};
  return WildTowardsCanasta(v, 3);
}

// A new meld of a natural pair and a wild card, while the hand can spare both.
MeldStep Racer::PairWithWild(const SeatView& v) const {
  if (v.Wilds().empty() || CardsInHand(v) < 5) return {};
  for (int r : MeldRanks)
    if (!v.Started(v.Seat, r) && v.HandRank[r] == 2) return {MeldStep::AllOfRank, r, 0};
  return {};
}

// Wild cards and pairs carry the race; a single is worth little.
double Racer::Keep(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  if (IsWildCardNumber(card)) return 150;
  if (r == RankBlackThree) return 4;
  if (v.Started(v.Seat, r)) return 3;
  return v.HandRank[r] >= 2 ? 20 + 10 * (v.HandRank[r] - 2) : 1 + v.Unseen[r];
}

// High cards go first: the hand may end at any moment.
double Racer::Shed(const SeatView&, int card) const {
  return 0.3 * PointsOfCard(card);
}

double Racer::DiscardCost(const SeatView& v, int card) {
  const double danger = watch_.TakeChance(v, card) * PileWorth(v);
  return Keep(v, card) + 0.6 * danger - Shed(v, card);
}

}  // namespace

std::unique_ptr<Policy> MakeRacer() {
  return std::make_unique<Racer>();
}

}  // namespace larkspur::panel
