#include "harness/SimplePolicy.h"

namespace larkspur {

// The triples are weighed once, as the melding begins; then each rank in turn,
// aces to kings, as the hand holds it at that moment (a pile that came to hand
// on the way counts for the ranks still ahead).
MeldStep SimplePolicy::NextMeld(const SeatView& v, int step) {
  constexpr int ranks = static_cast<int>(rules::MeldRanks.size());
  if (step == 0) {
    const int value = rules::NaturalMeldValue(v.HandRank);
    const bool worth = v.MinMeldMet[v.Seat] || rules::MeetsMinimumMeld(value, v.MinMeld[v.Seat]);
    next_ = worth ? 0 : ranks;
  }
  while (next_ < ranks) {
    const int r = rules::MeldRanks[next_++];
    if (v.HandRank[r] >= rules::MeldMinimum) return {MeldStep::AllOfRank, r, 0};
  }
  return {};
}

int SimplePolicy::Discard(const SeatView& v) {
  if (v.Hand.empty()) return 0;
  const int n = static_cast<int>(v.Hand.size());
  return v.Hand[std::uniform_int_distribution<int>(0, n - 1)(rng_)];
}

}  // namespace larkspur
