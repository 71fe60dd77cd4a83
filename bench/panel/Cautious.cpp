// The cautious player: never gives the pile away. It throws what the opponent
// is least likely to take, freezes a big pile with a wild card, blocks with
// black threes, takes only big piles and melds little, so that it always has a
// safe card to throw.
#include "panel/Panel.h"
#include "panel/PanelPolicy.h"

namespace larkspur::panel {

namespace {

class Cautious : public PanelPolicy {
 public:
  Cautious() { costs_ = {1.0, 4.0}; }
  std::string Name() const override { return "cautious"; }

 protected:
  bool WantsPile(const SeatView& v) override { return BigPile(v); }
  bool OpensNow(const SeatView& v) override { return NoWildSpent(v); }
  bool GoesOut(const SeatView& v) override { return Ahead(v); }
  MeldStep MoreMelds(const SeatView& v) override;
  double DiscardCost(const SeatView& v, int card) override;

 private:
  bool BigPile(const SeatView& v) const;
  bool NoWildSpent(const SeatView& v) const;
  bool Ahead(const SeatView& v) const;
  double Keep(const SeatView& v, int card) const;
  double Freeze(const SeatView& v) const;
};

// Only a pile of eight cards or more outweighs the stock draw it replaces and
// the safe cards the hand must then find.
bool Cautious::BigPile(const SeatView& v) const {
  return v.DiscardCount() >= 8;
}

// The first meld waits, while the stock is full, until it needs no wild card.
bool Cautious::NoWildSpent(const SeatView& v) const {
  return FirstMeldWithoutWilds(v, costs_) || v.StockCount < 55;
}

// Out once it leads, or before an opponent with a canasta can go out instead.
bool Cautious::Ahead(const SeatView& v) const {
  return Lead(v) + 100 > 0 || v.HasCanasta[v.Opponent] || v.StockCount <= 14;
}

// Lay-offs and triples only while they leave a hand to defend with; wild cards
// only towards a canasta.
MeldStep Cautious::MoreMelds(const SeatView& v) {
  if (CardsInHand(v) >= 5)
    if (const MeldStep s = LayOffOrTriple(v); s.What != MeldStep::None) return s;
  return WildTowardsCanasta(v, 5);
}

// Black threes and wild cards are the safe throws; pairs may take a frozen pile.
double Cautious::Keep(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  if (IsWildCardNumber(card)) return 400 - Freeze(v);
  if (r == RankBlackThree) return v.DiscardCount() >= 4 ? 2 : 12;
  if (v.Started(v.Seat, r)) return 6;
  return v.HandRank[r] >= 2 ? 25 + 5 * v.HandRank[r] : 2 + v.Unseen[r];
}

// What a wild card on top saves: a big pile open to the opponent stays shut to its wild cards.
double Cautious::Freeze(const SeatView& v) const {
  if (FrozenForOpponent(v) || v.DiscardCount() < 10) return 0;
  return 300;
}

// A discard's cost: what the card is worth to the hand, and, weighed heavily,
// the chance that it gives away a pile worth having.
double Cautious::DiscardCost(const SeatView& v, int card) {
  return Keep(v, card) + 1.5 * watch_.TakeChance(v, card) * PileWorth(v);
}

}  // namespace

std::unique_ptr<Policy> MakeCautious() {
  return std::make_unique<Cautious>();
}

}  // namespace larkspur::panel
