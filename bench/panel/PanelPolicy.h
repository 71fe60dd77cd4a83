// The turn every panel member plays, whatever its style: a meld the table left
// unfinished is finished first, a first meld once begun is carried through to
// the minimum, a way out is followed to the end once chosen, and the discard is
// the card whose cost is lowest. The style decides the rest.
#pragma once

#include "panel/PanelKit.h"

namespace larkspur::panel {

class PanelPolicy : public Policy {
 public:
  bool TakePile(const SeatView& v) final;
  MeldStep NextMeld(const SeatView& v, int step) final;
  int Discard(const SeatView& v) final;

 protected:
  // Whether to take the pile the table offers (a take before the first meld
  // is only offered to the style when it can beat the minimum).
  virtual bool WantsPile(const SeatView& v) = 0;
  // Whether to make the first meld of the hand this turn, when the hand can.
  virtual bool OpensNow(const SeatView& v) = 0;
  // Whether to go out this turn, when the hand can.
  virtual bool GoesOut(const SeatView& v) = 0;
  // The next meld after the first, or None.
  virtual MeldStep MoreMelds(const SeatView& v) = 0;
  // What throwing this card away costs; the cheapest card is discarded.
  virtual double DiscardCost(const SeatView& v, int card) = 0;

  MeldCosts costs_;
  Watch watch_;

 private:
  bool goingOut_ = false;
};

// Scores as the hand stands, for a player: melds, canasta bonuses and red threes.
int TableScore(const SeatView& v, int player);
// The lead in the game if the hand ended now: game scores, table scores, and
// the cards each holds (the opponent's counted at an average of nine points).
int Lead(const SeatView& v);
// A first wild card onto the meld nearest a canasta, if one has room and the
// seat may spare the card; the meld must hold at least `from` cards.
MeldStep WildTowardsCanasta(const SeatView& v, int from);
// A natural laid off onto a meld, or a new meld of three or more.
MeldStep LayOffOrTriple(const SeatView& v);
// What the pile, with one card more on it, is worth to whoever takes it.
double PileWorth(const SeatView& v);
// Points of the cards in the seat's hand.
int HandPoints(const SeatView& v);

}  // namespace larkspur::panel
