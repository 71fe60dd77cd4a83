// The panel: sparring partners of different styles, each a policy that sees
// only what its seat may see. The arena and the tests play them; the game
// never links them.
//   racer       melds at once, goes out at the first chance, keeps few cards
//   builder     takes every pile, hoards for canastas (pure ones when it can),
//               goes out late
//   cautious    never gives the pile away, freezes a big one, melds little
//   strategist  all-round play that counts the cards it has seen
#pragma once

#include <memory>

#include "policy/Policy.h"

namespace larkspur::panel {

std::unique_ptr<Policy> MakeRacer();
std::unique_ptr<Policy> MakeBuilder();
std::unique_ptr<Policy> MakeCautious();
std::unique_ptr<Policy> MakeStrategist();

}  // namespace larkspur::panel
