// The Classic robot's decision rules as a policy, so that they can play the
// human's seat too (the arena). On the robot's seat the game plays the Classic
// robot itself; here the same rules are followed as far as the human's seat
// allows (its wild card ratio and its minimum meld, which must be beaten).
#pragma once

#include "policy/Policy.h"

namespace larkspur {

class ClassicPolicy : public Policy {
 public:
  std::string Name() const override { return "classic"; }
  // Whenever the pile may be taken once the first meld is made.
  bool TakePile(const SeatView& view) override { return view.MinMeldMet[view.Seat]; }
  MeldStep NextMeld(const SeatView& view, int step) override;
  int Discard(const SeatView& view) override;

 private:
  MeldStep Continue(const SeatView& view);
  int phase_ = 0;   // which of the robot's melding steps this turn has reached
  int cursor_ = 0;  // how far through the meld ranks that step has got
};

// The Classic robot's discard passes over a hand; 0 for an empty hand.
int ClassicDiscard(const SeatView& view);

}  // namespace larkspur
