#include "policy/ClassicPolicy.h"

#include "state/Game.h"

namespace larkspur {

namespace {

enum Phase {
  FinishTaken,     // a taken pile's top card needs its meld made whole (the human's seat)
  TriplesCanasta,  // with a canasta, every triple
  Triples,         // without one, triples while three cards are left
  FirstWild,       // a wild card onto a meld of four to six
  SecondWild,      // another wild card, for a joker or a two late in the hand
  LayOffs,         // naturals onto their melds
  Done,
};

int LowestWild(const SeatView& v) {
  const auto wilds = v.Wilds();
  return wilds.empty() ? 0 : wilds.front();
}

}  // namespace

MeldStep ClassicPolicy::NextMeld(const SeatView& v, int step) {
  if (step == 0) phase_ = FinishTaken, cursor_ = 0;
  return Continue(v);
}

MeldStep ClassicPolicy::Continue(const SeatView& v) {
  const int me = v.Seat;
  const auto& melds = v.Melds[me];
  const int handCount = v.HandCount[me];
  const bool canasta = v.HasCanasta[me];
  while (phase_ != Done) {
    switch (phase_) {
      case FinishTaken:
        for (int r : rules::MeldRanks) {
          if (!melds[r].Started || melds[r].Count >= 3) continue;
          if (v.HandRank[r] > 0) return {MeldStep::AllOfRank, r, 0};
          if (melds[r].Count == 2 && LowestWild(v) && v.MayAddWild(r))
            return {MeldStep::Wild, r, LowestWild(v)};
        }
        // A hand whose triples do not beat the minimum melds nothing, and one
        // card without a canasta stays in the hand.
        if ((!v.MinMeldMet[me] && rules::NaturalMeldValue(v.HandRank) <= v.Requirement[me]) ||
            (handCount == 1 && !canasta)) {
          phase_ = Done;
          break;
        }
        phase_ = canasta ? TriplesCanasta : Triples;
        cursor_ = 0;
        break;
      case TriplesCanasta:
      case Triples:
        if (phase_ == Triples && handCount == 1 && cursor_ > 0) return {};
        while (cursor_ < static_cast<int>(rules::MeldRanks.size())) {
          const int r = rules::MeldRanks[cursor_++];
          const bool enough = phase_ == TriplesCanasta || (handCount >= 3 && !canasta);
          if (enough && v.HandRank[r] >= 3) return {MeldStep::AllOfRank, r, 0};
        }
        phase_ = phase_ == TriplesCanasta ? Triples : FirstWild;
        cursor_ = 0;
        break;
      case FirstWild: {
        phase_ = SecondWild;
        if (handCount == 1) return {};
        const int w = LowestWild(v);
        if (w == 0) break;
        for (int r : rules::MeldRanks) {
          const MeldItems& m = melds[r];
          if (m.Count < 4 || m.Count > 6 || m.WildMark >= 3 || m.WildMark >= m.Count) continue;
          if (m.WildCount + 1 <= m.Count - m.WildCount && m.WildCount + 1 <= 3 && v.MayAddWild(m))
            return {MeldStep::Wild, r, w};
          break;
        }
        break;
      }
      case SecondWild: {
        phase_ = LayOffs;
        if (handCount == 1) return {};
        const bool joker = v.HandRank[RankJoker] > 0;
        const bool lateTwo = v.HandRank[RankTwo] > 0 && canasta && handCount <= 3;
        if (!joker && !lateTwo) break;
        for (int r : rules::MeldRanks) {
          const MeldItems& m = melds[r];
          if (m.WildMark >= 3 || m.WildMark >= m.Count) continue;
          if (m.WildCount + 1 <= 3 && v.MayAddWild(m)) return {MeldStep::Wild, r, LowestWild(v)};
          break;
        }
        break;
      }
      case LayOffs:
        for (int c : v.Hand) {
          const int r = RankOfCard(c);
          if (IsNaturalRank(r) && v.Started(me, r)) return {MeldStep::Natural, r, c};
        }
        phase_ = Done;
        break;
      default:
        phase_ = Done;
    }
  }
  return {};
}

int ClassicPolicy::Discard(const SeatView& v) {
  return ClassicDiscard(v);
}

int ClassicDiscard(const SeatView& v) {
  for (int pass = 1; pass <= ClassicDiscardPasses; ++pass) {
    for (int c : v.Hand) {
      const int r = RankOfCard(c);
      if (ClassicDiscardPass(pass, c, v.HandRank[r], v.Started(v.Seat, r), v.Started(v.Opponent, r),
                             v.DiscardCount()))
        return c;
    }
  }
  return 0;
}

}  // namespace larkspur
