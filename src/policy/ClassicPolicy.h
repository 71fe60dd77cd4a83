// The Classic robot: the robot's own fixed rules, as a policy. The robot's seat
// plays them (flow/Robot.cpp asks at every step of its turn); on the human's
// seat (the arena) the same rules are followed as far as that seat allows (its
// wild-card ratio, and its minimum meld, which must be beaten before it discards).
#pragma once

#include "policy/Policy.h"

namespace larkspur {

class ClassicPolicy : public Policy {
 public:
  std::string Name() const override { return "classic"; }
  // Whenever the pile may be taken once the first meld is made.
  bool TakePile(const SeatView& view) override { return view.MinMeldMet[view.Seat]; }
  // The melding steps of the robot's turn in their order, one move at a time.
  MeldStep NextMeld(const SeatView& view, int step) override;
  // The first card of the hand that the first of the discard passes finds.
  int Discard(const SeatView& view) override;

 private:
  enum Stage {
    MakeUpTaken,
    Worth,
    TriplesWithCanasta,
    Triples,
    FirstWild,
    SecondWild,
    LayOffs,
    Done
  };
  Stage stage_ = Done;
  int next_ = 0;  // how far through the meld ranks the triples have got
};

}  // namespace larkspur
