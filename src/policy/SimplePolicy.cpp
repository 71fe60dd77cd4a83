#include "policy/SimplePolicy.h"

namespace larkspur {

namespace {
bool TripleRank(int r) {
  return r != RankTwo && r != RankBlackThree;
}
}  // namespace

// The triples are weighed once, as the melding begins; then each rank in turn,
// aces to kings, as the hand holds it at that moment (a pile that came to hand
// on the way counts for the ranks still ahead).
MeldStep SimplePolicy::NextMeld(const SeatView& v, int step) {
  if (step == 0) {
    int value = 0;
    for (int r = 1; r <= 13; ++r)
      if (TripleRank(r) && v.HandRank[r] >= 3) value += v.HandRank[r] * NaturalPoints(r);
    nextRank_ = !v.MinMeldMet[v.Seat] && value <= v.MinMeld[v.Seat] ? 14 : 1;
  }
  while (nextRank_ <= 13) {
    const int r = nextRank_++;
    if (TripleRank(r) && v.HandRank[r] >= 3) return {MeldStep::AllOfRank, r, 0};
  }
  return {};
}

int SimplePolicy::Discard(const SeatView& v) {
  if (v.Hand.empty()) return 0;
  const int n = static_cast<int>(v.Hand.size());
  return v.Hand[std::uniform_int_distribution<int>(0, n - 1)(rng_)];
}

}  // namespace larkspur
