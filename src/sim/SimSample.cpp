#include "sim/SimSample.h"

#include <algorithm>

namespace larkspur {

namespace {

constexpr int MeldPlace(int player) {
  return player == Human ? PlaceHumanMeld : PlaceRobotMeld;
}

// The cards the record says went into each hand with a taken pile and have not
// been discarded since. The pile of the record is the cards discarded since it
// was last taken, and as many more (the deal's up cards) as a take found in it.
struct PileReplay {
  std::array<CardSet, 3> Taken;  // by player
  CardSet Pile;
  int PileUnknown = 0;
  // The human's last take, which Return Cards may have given back.
  bool HumanTakeOpen = false;
  int HumanTop = 0;
  CardSet HumanTook;
  int HumanTookUnknown = 0;

  int PileSize() const { return Pile.Count() + PileUnknown; }
  void Discard(const PileNote& n) {
    Taken[n.Player].Remove(n.Card);
    Pile.Add(n.Card);
  }
  // A take finds more cards in the pile than the record left there when the
  // human's last take went back: the whole of it went back, whether or not the
  // rest had come to the hand (but for red threes, laid down at once).
  void GiveBackHumanTake(int missing) {
    Pile.Add(HumanTop);
    for (int i = 0; i < 2; ++i) Taken[Human].Bits[i] &= ~HumanTook.Bits[i];
    Pile.Add(HumanTook);
    PileUnknown += std::max(0, missing - 1 - HumanTook.Count());
  }
  void Take(const PileNote& n) {
    if (PileSize() < n.PileSize && HumanTakeOpen) GiveBackHumanTake(n.PileSize - PileSize());
    HumanTakeOpen = false;
    if (Pile.Count() > n.PileSize) Pile = {};  // the record cannot say what the pile held
    PileUnknown = n.PileSize - Pile.Count();
    const bool topKnown = Pile.Has(n.Card);
    // The top card goes to a meld and red threes are laid down; the rest comes to the hand.
    CardSet brought = Pile;
    brought.Remove(n.Card);
    for (int c = FirstRedThree; c <= LastRedThree; ++c) brought.Remove(c);
    Taken[n.Player].Add(brought);
    if (n.Player == Human) {
      HumanTakeOpen = true;
      HumanTop = n.Card;
      HumanTook = brought;
      HumanTookUnknown = PileUnknown - (topKnown ? 0 : 1);
    }
    Pile = {};
    PileUnknown = 0;
  }

  // What the other player of the view took and kept, by the record. (Cards
  // given back that lie in the pile now are seen there, so they are never known.)
  static CardSet TakenAndKept(const SeatView& v) {
    PileReplay replay;
    for (const PileNote& n : v.Record.Notes) {
      if (n.Player != Human && n.Player != Robot) continue;
      if (n.Taken)
        replay.Take(n);
      else
        replay.Discard(n);
    }
    return replay.Taken[v.Opponent];
  }
};

struct Sampler {
  const SeatView& v;
  SimHand h;
  CardSet placed;
  PerPlayer<int> jokersMelded{}, twosMelded{};
  std::array<std::array<int, RankKing + 1>, 3> takenTops{};  // tops melded by player and rank

  Sampler(const SeatView& view, std::uint64_t seed) : v(view) { h.Random.State = seed; }

  void Put(int c, int place) {
    h.Place[c] = static_cast<std::int8_t>(place);
    placed.Add(c);
  }
  int LowestFree(int rank) const {
    for (int c = FirstCardOfRank(rank), n = 0; n < sim::CardsOfRank(rank); ++c, ++n)
      if (!placed.Has(c)) return c;
    return 0;
  }

  // Naturals in the melds, by their counts: a taken top card that is neither in
  // the pile nor in this hand lies in its taker's meld, the rest of the meld is
  // any other cards of the rank.
  void PlaceMeldedNaturals() {
    std::array<std::array<int, RankKing + 1>, 3> naturals{};
    for (int p : {Human, Robot})
      for (int r = RankAce; r <= RankKing; ++r)
        naturals[p][r] = v.Melds[p][r].Count - v.Melds[p][r].WildCount;
    for (auto n = v.Record.Notes.rbegin(); n != v.Record.Notes.rend(); ++n) {
      const int r = RankOfCard(n->Card);
      if (!n->Taken || placed.Has(n->Card) || r > RankKing || naturals[n->Player][r] == 0) continue;
      Put(n->Card, MeldPlace(n->Player));
      naturals[n->Player][r] -= 1;
      takenTops[n->Player][r] += 1;
      h.FromDiscard.Add(n->Card);
    }
    for (int p : {Human, Robot})
      for (int r = RankAce; r <= RankKing; ++r)
        for (; naturals[p][r] > 0; --naturals[p][r])
          if (const int c = LowestFree(r)) Put(c, MeldPlace(p));
  }

  // Wild cards in the melds: the points melded tell each player's jokers from its
  // twos; which column holds which does not show and matters little.
  void PlaceMeldedWilds() {
    for (int p : {Human, Robot}) {
      int wilds = 0, wildPoints = v.MeldPoints[p];
      for (int r = RankAce; r <= RankKing; ++r) {
        const MeldItems& m = v.Melds[p][r];
        wilds += m.WildCount;
        wildPoints -= (m.Count - m.WildCount) * PointsOfRank(r);
      }
      const int joker = PointsOfRank(RankJoker), two = PointsOfRank(RankTwo);
      int jokers = (wildPoints - two * wilds) / (joker - two);
      jokers = std::clamp(jokers, 0, wilds);
      jokersMelded[p] = jokers;
      twosMelded[p] = wilds - jokers;
      for (int r = RankAce; r <= RankKing; ++r) {
        for (int n = 0; n < v.Melds[p][r].WildCount; ++n) {
          int c = jokers > 0 ? LowestFree(RankJoker) : 0;
          if (c != 0) jokers -= 1;
          if (c == 0) c = LowestFree(RankTwo);
          if (c == 0) c = LowestFree(RankJoker);
          if (c == 0) continue;
          Put(c, MeldPlace(p));
          h.WildColumn[c] = static_cast<std::int8_t>(r);
        }
      }
    }
  }

  void PlaceRedThrees() {
    for (int p : {Human, Robot})
      for (int n = 0; n < v.RedThrees[p]; ++n)
        if (const int c = LowestFree(RankRedThree))
          Put(c, p == Human ? PlaceHumanRedThree : PlaceRobotRedThree);
  }

  // Everything the view shows: this hand, the pile, the melds and the red threes.
  void PlaceSeen() {
    for (int c : v.Hand) Put(c, v.Seat);
    for (int c : v.Pile) Put(c, PlacePile);
    PlaceMeldedNaturals();
    PlaceMeldedWilds();
    PlaceRedThrees();
  }

  // How many cards of a rank the other player's melds hold that may have come
  // from a taken pile: all but the taken top cards; wild cards by kind.
  int MeldedFromHand(int rank) const {
    const int them = v.Opponent;
    if (rank == RankJoker) return jokersMelded[them];
    if (rank == RankTwo) return twosMelded[them];
    if (rank > RankKing) return 0;
    const MeldItems& m = v.Melds[them][rank];
    return std::max(0, m.Count - m.WildCount - takenTops[them][rank]);
  }

  // The cards the other hand must hold: of each rank, those it took and kept,
  // less as many as its melds may have used.
  CardSet KnownCards() const {
    const CardSet taken = PileReplay::TakenAndKept(v);
    CardSet known;
    for (int r = RankAce; r <= RankJoker; ++r) {
      const int first = FirstCardOfRank(r), last = first + sim::CardsOfRank(r) - 1;
      int kept = -MeldedFromHand(r);
      for (int c = first; c <= last; ++c) kept += taken.Has(c) && !placed.Has(c);
      for (int c = first; c <= last && kept > 0; ++c)
        if (taken.Has(c) && !placed.Has(c)) known.Add(c), kept -= 1;
    }
    return known;
  }
};

}  // namespace

CardSet KnownInOtherHand(const SeatView& view) {
  Sampler s(view, 0);
  s.PlaceSeen();
  return s.KnownCards();
}

SimHand SampleHand(const SeatView& v, SimPhase phase, int meldStep, std::uint64_t seed) {
  Sampler s(v, seed);
  SimHand& h = s.h;
  const int me = v.Seat, them = v.Opponent;
  s.PlaceSeen();
  // The other hand: the cards it is known to hold, then unseen cards at random.
  const CardSet known = s.KnownCards();
  int handLeft = v.HandCount[them];
  std::array<int, CardCount> unseen{};
  int unseenCount = 0;
  for (int c = 1; c <= CardCount; ++c) {
    if (s.placed.Has(c)) continue;
    if (known.Has(c) && handLeft > 0) {
      s.Put(c, them);
      handLeft -= 1;
    } else if (!IsRedThreeNumber(c)) {
      unseen[static_cast<std::size_t>(unseenCount++)] = c;
    }
  }
  for (int i = 0; i < handLeft && i < unseenCount; ++i) {
    std::swap(unseen[static_cast<std::size_t>(i)],
              unseen[static_cast<std::size_t>(i + h.Random.Below(unseenCount - i))]);
    s.Put(unseen[static_cast<std::size_t>(i)], them);
  }
  // The rest is the stock, in an order of its own.
  h.StockCount = 0;
  for (int c = 1; c <= CardCount; ++c) {
    if (s.placed.Has(c)) continue;
    s.Put(c, PlaceStock);
    h.Stock[static_cast<std::size_t>(h.StockCount++)] = static_cast<std::int8_t>(c);
  }
  h.ShuffleStock();
  h.Recount();

  h.StateOfPile = v.StateOfPile;
  h.MeldInfo = v.Melds;
  for (int p : {Human, Robot}) {
    h.MinMeld[p] = v.MinMeld[p];
    h.MinMeldMet[p] = v.MinMeldMet[p];
    h.HasCanasta[p] = v.HasCanasta[p];
    h.GameScore[p] = v.GameScore[p];
  }
  h.TargetScore = v.TargetScore;
  h.PenaltyPoints = v.PenaltyPoints;
  for (const PileNote& n : v.Record.Notes) {
    if (h.NoteCount == SimHand::MostNotes) break;
    h.Notes[static_cast<std::size_t>(h.NoteCount++)] = {
        static_cast<std::int8_t>(n.Player), static_cast<std::int8_t>(n.Card),
        static_cast<std::int8_t>(n.Rank), static_cast<std::int8_t>(n.PileSize), n.Taken};
  }
  // The table's up card stays the last card discarded or taken, in the pile or not.
  const PileNote* last = v.Record.Notes.empty() ? nullptr : &v.Record.Notes.back();
  h.UpCard = v.UpCard != 0 ? v.UpCard : last != nullptr ? last->Card : 0;
  h.Turn = me;
  h.Phase = phase;
  h.MeldStepNo = meldStep;
  h.NextToPlay = them;
  // A pile this seat took in this turn: the human's rest is due until its first meld.
  const bool tookIt = phase != SimPhase::Draw && last != nullptr && last->Taken &&
                      last->Player == me && h.Place[last->Card] == MeldPlace(me);
  h.TookPile = me == Robot && tookIt;
  h.PlayerPileDue = me == Human && tookIt && !v.MinMeldMet[Human];
  // Taken before the first meld, the pile goes back whole should that meld fail.
  // (Once the first meld is made the view cannot tell whether it came before the take.)
  if (h.PlayerPileDue) {
    h.TakenForFirstMeld.Add(last->Card);
    for (int c : v.Pile) h.TakenForFirstMeld.Add(c);
  }
  return h;
}

}  // namespace larkspur
