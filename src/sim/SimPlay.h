// Who plays the seats of a simulated hand. A Policy plays through the SeatView
// the simulator makes for its seat, the same view the table would give it; the
// built-in playout policy decides on the simulator's own counts, cheaply
// enough to play a hand out thousands of times for one decision.
//
// A seat's player answers three questions on the hand as it stands, for the
// seat to play (hand.Turn): TakePile(hand), NextMeld(hand) (the move numbered
// hand.MeldStepNo) and Discard(hand). PlayOut asks them until the hand is over.
#pragma once

#include "policy/Policy.h"
#include "sim/SimHand.h"

namespace larkspur {

// What a seat may see of a simulated hand, as MakeSeatView shows it of the table.
SeatView MakeSeatView(const SimHand& hand, int seat);
// The same into a view kept from an earlier decision, whose lists keep their room.
void FillSeatView(const SimHand& hand, int seat, SeatView& view);

// A policy playing a seat of the simulator.
class PolicySeat {
 public:
  explicit PolicySeat(Policy& policy) : policy_(policy) {}
  bool TakePile(const SimHand& h) { return policy_.TakePile(View(h)); }
  MeldStep NextMeld(const SimHand& h) { return policy_.NextMeld(View(h), h.MeldStepNo); }
  int Discard(const SimHand& h) { return policy_.Discard(View(h)); }

 private:
  const SeatView& View(const SimHand& h) {
    FillSeatView(h, h.Turn, view_);
    return view_;
  }
  Policy& policy_;
  SeatView view_;
};

// The playout policy: plain canasta on either seat, from what that seat may
// see. It takes a pile it can use, makes its first meld only when it beats the
// minimum, lays down and lays off what it can while keeping two cards to play
// on (until a canasta lets it go out), finishes canastas with wild cards, and
// discards what it needs least and what gives the other player least.
class PlayoutSeat {
 public:
  bool TakePile(const SimHand& h) const;
  MeldStep NextMeld(const SimHand& h) const;
  int Discard(const SimHand& h) const;
};

// The decision due, made by the player of the seat to play.
template <class Player>
void PlayDecision(SimHand& hand, Player& player) {
  switch (hand.Phase) {
    case SimPhase::Draw:
      hand.Draw(hand.AskTakePile() && player.TakePile(hand));
      break;
    case SimPhase::Meld:
      hand.Meld(player.NextMeld(hand));
      break;
    case SimPhase::Discard:
      hand.Discard(player.Discard(hand));
      break;
    case SimPhase::Over:
      break;
  }
}

// Plays the rest of the hand, each seat by its own player.
template <class HumanPlayer, class RobotPlayer>
void PlayOut(SimHand& hand, HumanPlayer& human, RobotPlayer& robot) {
  while (!hand.Over()) {
    if (hand.Turn == Human)
      PlayDecision(hand, human);
    else
      PlayDecision(hand, robot);
  }
}

}  // namespace larkspur
