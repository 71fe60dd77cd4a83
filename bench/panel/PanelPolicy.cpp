#include "panel/PanelPolicy.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace larkspur::panel {

bool PanelPolicy::TakePile(const SeatView& v) {
  watch_.Update(v);
  // Taken before the first meld, the pile must bring the minimum this turn or go back.
  if (!v.MinMeldMet[v.Seat] && !PileMeetsMinimum(v)) return false;
  return PileLeavesACardToThrow(v) && WantsPile(v);
}

MeldStep PanelPolicy::NextMeld(const SeatView& v, int step) {
  watch_.Update(v);
  if (step == 0) goingOut_ = false;
  if (const MeldStep open = FinishOpenMeld(v); open.What != MeldStep::None) return open;
  if (const Steps out = GoOutSteps(v); !out.empty() && (goingOut_ || GoesOut(v))) {
    goingOut_ = true;
    return out.front();
  }
  if (!v.MinMeldMet[v.Seat]) {
    // A first meld once begun is carried through: melds below the minimum cannot stand.
    if (v.MeldPoints[v.Seat] == 0 && !OpensNow(v)) return {};
    const Steps plan = PlanFirstMeld(v, costs_);
    return plan.empty() ? MeldStep{} : plan.front();
  }
  return MoreMelds(v);
}

int PanelPolicy::Discard(const SeatView& v) {
  watch_.Update(v);
  int best = 0;
  double lowest = std::numeric_limits<double>::infinity();
  for (int c : v.Hand) {
    const double cost = DiscardCost(v, c);
    if (cost < lowest) lowest = cost, best = c;
  }
  return best;
}

int TableScore(const SeatView& v, int p) {
  int score = v.MeldPoints[p];
  bool melded = false;
  for (int r : rules::MeldRanks) {
    const MeldItems& m = v.Melds[p][r];
    melded = melded || m.Started;
    if (m.Count >= 7) score += m.WildCount == 0 ? 500 : 300;
  }
  const int threes = v.RedThrees[p] == 4 ? 800 : 100 * v.RedThrees[p];
  return score + (melded ? threes : -threes);
}

int HandPoints(const SeatView& v) {
  return std::accumulate(v.Hand.begin(), v.Hand.end(), 0,
                         [](int sum, int c) { return sum + PointsOfCard(c); });
}

int Lead(const SeatView& v) {
  const int me = v.Seat, opp = v.Opponent;
  return v.GameScore[me] + TableScore(v, me) - HandPoints(v) -
         (v.GameScore[opp] + TableScore(v, opp) - 9 * v.HandCount[opp]);
}

MeldStep WildTowardsCanasta(const SeatView& v, int from) {
  const auto wilds = v.Wilds();
  if (wilds.empty() || CardsInHand(v) < 3) return {};
  int target = 0;
  for (int r : rules::MeldRanks) {
    const MeldItems& m = v.Melds[v.Seat][r];
    if (m.Count < from || m.Count >= 7 || WildRoom(v.Seat, m) == 0) continue;
    if (target == 0 || m.Count > v.Melds[v.Seat][target].Count) target = r;
  }
  if (target == 0) return {};
  return {MeldStep::Wild, target, wilds.front()};
}

MeldStep LayOffOrTriple(const SeatView& v) {
  for (int r : rules::MeldRanks) {
    const MeldStep step{MeldStep::AllOfRank, r, 0};
    if (v.HandRank[r] > 0 && (v.Started(v.Seat, r) || v.HandRank[r] >= 3) && KeepsTwoCards(v, step))
      return step;
  }
  return {};
}

// Two cards come from the stock every turn, so a pile of a card or two is worth
// no more than the draw it replaces; a bigger one grows with every card.
double PileWorth(const SeatView& v) {
  return std::max(0.0, 12.0 * (v.DiscardCount() + 1) - 16.0);
}

}  // namespace larkspur::panel
