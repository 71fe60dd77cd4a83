// Plays the robot's seat with a policy: the turn keeps the Classic robot's
// shape, status texts and pauses (the pile or two stock cards, then melds with
// the robot's own meld moves, then one discard); the policy only decides.
#pragma once

#include "policy/Policy.h"

namespace larkspur {

class Game;

// One robot turn; true when the robot took the discard pile.
bool PlayRobotTurn(Game& game, Policy& policy);

}  // namespace larkspur
