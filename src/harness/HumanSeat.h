// Plays the human's seat with a policy through the mouse's own entry points, so
// that it obeys exactly the rules a person at the table obeys. Act is called
// whenever the game waits for an event and plays one step of whatever the game
// waits for: Carry On after a hand, the draw, the melds, the discard.
#pragma once

#include "policy/Policy.h"

namespace larkspur {

class Game;

class HumanSeat {
 public:
  HumanSeat(Game& game, Policy& policy) : g_(game), policy_(policy) {}
  void Act();
  // Carries out one melding move with clicks.
  void Meld(const MeldStep& step);

 private:
  void Draw();
  void MeldAndEndMelding();
  void Discard();
  int AnyStockCard() const;

  Game& g_;
  Policy& policy_;
};

}  // namespace larkspur
