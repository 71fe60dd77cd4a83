// The cards a seat cannot see, dealt afresh. From one seat's view of the table
// (its hand, both players' melds and red threes, the pile, the counts and the
// record of discards and takes) a search deals the unseen cards at random
// into the other hand and the stock, consistently with all of it, and plays on
// the whole hand that results. The view that hand gives the seat is the view
// it came from.
#pragma once

#include <cstdint>

#include "policy/SeatView.h"
#include "sim/SimHand.h"

namespace larkspur {

// Cards the other player is known to hold: taken with the pile (all but its
// top card, which went to a meld, and red threes, laid down at once) and not
// discarded since, nor melded since as far as the view can tell. The view
// holds each meld's counts, not its history, so of a rank the other player
// has melded only as many cards count as known as its melds of that rank
// cannot account for; of a rank it has not melded, every one.
CardSet KnownInOtherHand(const SeatView& view);

// A whole hand at the seat's decision (phase; for Meld, the number of the
// melding move asked for next) that agrees with everything the view shows,
// the unseen cards dealt at random from the seed: the other hand holds the
// cards it is known to hold, and red threes not yet drawn stay in the stock.
SimHand SampleHand(const SeatView& view, SimPhase phase, int meldStep, std::uint64_t seed);

}  // namespace larkspur
