#include "policy/ClassicPolicy.h"

namespace larkspur {

namespace {

// A two follows a joker onto a meld only this late: a canasta made and this many cards left.
constexpr int LateHand = 3;
// A wild card goes onto a meld only while fewer cards than this have joined it since its first.
constexpr int JoinedSinceWild = 3;
// A black three is thrown first only onto a pile of this many cards, worth blocking.
constexpr int PileWorthBlocking = 6;

bool HoldsThreeOfRank(const SeatView& v, int rank) {
  return v.HandRank[rank] >= rules::MeldMinimum;
}

// The wild card it gives up first: its lowest card number, so jokers before twos.
int LowestWild(const SeatView& v) {
  const auto wilds = v.Wilds();
  return wilds.empty() ? 0 : wilds.front();
}

// A meld a wild card may go to: not begun with one, and fewer than three cards
// joined since its first.
bool TakesAWild(const MeldItems& m) {
  return m.WildMark < JoinedSinceWild && m.WildMark < m.Count;
}

// The robot's own limit on wild cards, and the seat's where the robot plays another.
bool WildAllowed(const SeatView& v, const MeldItems& m) {
  return rules::MayAddWild(Robot, m) && v.MayAddWild(m);
}

// The discard passes, in order: the first pass that finds a card in the hand
// decides. held is how many cards of the card's rank the hand holds; mine and
// theirs whether the discarder and the other player have melded that rank.
constexpr int DiscardPasses = 14;
bool DiscardPass(int pass, int card, int held, bool mine, bool theirs, int discardCount) {
  const int r = RankOfCard(card);
  const bool natural = IsNaturalRank(r);
  switch (pass) {
    case 1:
      return r == RankBlackThree && discardCount >= PileWorthBlocking;
    case 2:
      return natural && held == 1 && !mine && !theirs;
    case 3:
      return natural && held == 2 && !mine && !theirs;
    case 4:
      return natural && held == 1 && !mine;
    case 5:
      return r == RankFour && !mine;
    case 6:
      return r == RankFive && !mine;
    case 7:
      return r == RankSix && !mine;
    case 8:
      return r == RankSeven || (r == RankEight && !mine);
    case 9:
      return r == RankNine || (r == RankTen && !mine);
    case 10:
      return r == RankJack || (r == RankQueen && !mine);
    case 11:
      return r == RankKing || (r == RankAce && !mine);
    case 12:
      return natural;
    case 13:
      return !IsJokerNumber(card);
    default:
      return true;
  }
}

}  // namespace

// The robot melds in stages, each on the hand the one before left. Stop ends
// the turn's melding at once, as the robot does when it keeps a last card or
// holds too little for its first meld; None after the lay-offs.
MeldStep ClassicPolicy::NextMeld(const SeatView& v, int step) {
  if (step == 0) stage_ = MakeUpTaken, next_ = 0;
  const int me = v.Seat;
  const auto& melds = v.Melds[me];
  const int hand = v.HandCount[me];
  const bool canasta = v.HasCanasta[me];
  constexpr int ranks = static_cast<int>(rules::MeldRanks.size());
  while (true) {
    switch (stage_) {
      case MakeUpTaken:
        // On the human's seat a taken pile's top card starts a meld the hand must
        // make up (the robot's own take makes it up at once).
        for (int r : rules::MeldRanks) {
          if (rules::MeldStands(melds[r])) continue;
          if (v.HandRank[r] > 0) return {MeldStep::AllOfRank, r, 0};
          if (melds[r].Count == rules::MeldMinimum - 1 && LowestWild(v) && v.MayAddWild(r))
            return {MeldStep::Wild, r, LowestWild(v)};
        }
        stage_ = Worth;
        break;
      case Worth:
        // Before its first meld is down it melds only when the ranks it holds
        // three of are worth the minimum meld; equal goes on.
        if (!v.MinMeldMet[me] && rules::NaturalMeldValue(v.HandRank) < v.Requirement[me]) {
          stage_ = Done;
          return {MeldStep::Stop};
        }
        // One card without a canasta stays in the hand (the seat says so).
        if (rules::MustKeepLastCard(hand, canasta)) {
          stage_ = Done;
          break;
        }
        stage_ = canasta ? TriplesWithCanasta : Triples;
        next_ = 0;
        break;
      case TriplesWithCanasta:
        // With a canasta it may go out: every rank it holds three of.
        while (next_ < ranks) {
          const int r = rules::MeldRanks[next_++];
          if (HoldsThreeOfRank(v, r)) return {MeldStep::AllOfRank, r, 0};
        }
        stage_ = Triples;
        next_ = 0;
        break;
      case Triples:
        // Without one, the ranks it holds three of while three cards are left;
        // once a meld leaves one card it stops.
        if (next_ > 0 && hand == 1) {
          stage_ = Done;
          return {MeldStep::Stop};
        }
        while (next_ < ranks) {
          const int r = rules::MeldRanks[next_++];
          if (hand >= rules::MeldMinimum && !canasta && HoldsThreeOfRank(v, r))
            return {MeldStep::AllOfRank, r, 0};
        }
        stage_ = FirstWild;
        break;
      case FirstWild: {
        // A wild card goes to the first meld of four to six cards, which it brings
        // nearer a canasta, while the wild cards stay no more than the naturals.
        stage_ = SecondWild;
        if (hand == 1) return {MeldStep::Stop};
        const int w = LowestWild(v);
        if (w == 0) break;
        for (int r : rules::MeldRanks) {
          const MeldItems& m = melds[r];
          if (m.Count <= rules::MeldMinimum || rules::IsCanasta(m) || !TakesAWild(m)) continue;
          if (rules::WildWithinNaturals(m) && WildAllowed(v, m)) return {MeldStep::Wild, r, w};
          break;
        }
        break;
      }
      case SecondWild: {
        // A second one goes to the first meld of any size: a joker always, a two
        // only late in the hand with a canasta made, to bring going out nearer.
        stage_ = LayOffs;
        if (hand == 1) return {MeldStep::Stop};
        const bool joker = v.HandRank[RankJoker] > 0;
        const bool lateTwo = v.HandRank[RankTwo] > 0 && canasta && hand <= LateHand;
        if (!joker && !lateTwo) break;
        for (int r : rules::MeldRanks) {
          if (!TakesAWild(melds[r])) continue;
          if (WildAllowed(v, melds[r])) return {MeldStep::Wild, r, LowestWild(v)};
          break;
        }
        break;
      }
      case LayOffs:
        // Naturals onto its own melds, whatever the hand size.
        for (int c : v.Hand) {
          const int r = RankOfCard(c);
          if (IsNaturalRank(r) && v.Started(me, r)) return {MeldStep::Natural, r, c};
        }
        stage_ = Done;
        break;
      case Done:
        return {};
    }
  }
}

int ClassicPolicy::Discard(const SeatView& v) {
  for (int pass = 1; pass <= DiscardPasses; ++pass) {
    for (int c : v.Hand) {
      const int r = RankOfCard(c);
      if (DiscardPass(pass, c, v.HandRank[r], v.Started(v.Seat, r), v.Started(v.Opponent, r),
                      v.DiscardCount()))
        return c;
    }
  }
  return 0;
}

}  // namespace larkspur
