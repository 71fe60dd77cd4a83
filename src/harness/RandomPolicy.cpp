#include "harness/RandomPolicy.h"

namespace larkspur {

MeldStep RandomPolicy::NextMeld(const SeatView& v, int step) {
  // Stops soon, but not at once.
  if (v.Hand.empty() || OneIn(step < 4 ? 6 : 3))
    return {OneIn(2) ? MeldStep::None : MeldStep::Stop};
  const int card = Pick(v.Hand);
  const int meldRank = rules::MeldRanks[static_cast<std::size_t>(Below(rules::MeldRanks.size()))];
  switch (Below(6)) {
    case 0:
    case 1:
      return {MeldStep::AllOfRank, RankOfCard(card), 0};
    case 2:
      return {MeldStep::Natural, RankOfCard(card), card};
    case 3: {
      // A wild card, mostly onto a meld it has.
      const auto wilds = v.Wilds();
      int r = meldRank;
      for (int rank : rules::MeldRanks)
        if (v.Started(v.Seat, rank) && OneIn(2)) r = rank;
      return {MeldStep::Wild, r, wilds.empty() ? card : Pick(wilds)};
    }
    case 4:
      return {MeldStep::AllOfRank, meldRank, 0};
    default:
      return {MeldStep::Natural, Below(RankJoker + 2), Below(CardCount + 2)};  // barely a move
  }
}

int RandomPolicy::Discard(const SeatView& v) {
  if (OneIn(20)) return Below(CardCount + 2);
  return Pick(v.Hand);
}

}  // namespace larkspur
