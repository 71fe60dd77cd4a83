// Comparing the simulator with the table: what a seat sees, and everything the
// two keep of a hand, each compared field by field so that a difference is named.
#pragma once

#include <string>
#include <tuple>
#include <utility>

#include "policy/SeatView.h"
#include "sim/SimHand.h"
#include "state/Game.h"

namespace larkspur::testing {

// Names the first field that differs, or stays empty.
struct Differ {
  std::string first;
  template <class T>
  void Check(const char* name, const T& a, const T& b) {
    if (first.empty() && !(a == b)) first = name;
  }
};

inline bool SameMeld(const MeldItems& a, const MeldItems& b) {
  return a.Count == b.Count && a.WildCount == b.WildCount && a.WildMark == b.WildMark &&
         a.HasWild == b.HasWild && a.Started == b.Started;
}
inline bool SameMelds(const std::array<rules::PlayerMelds, 3>& a,
                      const std::array<rules::PlayerMelds, 3>& b) {
  for (int p : {Human, Robot})
    for (int r = 0; r <= RankKing; ++r)
      if (!SameMeld(a[p][r], b[p][r])) return false;
  return true;
}

inline std::string ViewDifference(const SeatView& a, const SeatView& b) {
  Differ d;
  d.Check("seat", a.Seat, b.Seat);
  d.Check("hand", a.Hand, b.Hand);
  d.Check("hand by rank", a.HandRank, b.HandRank);
  d.Check("pile", a.Pile, b.Pile);
  d.Check("up card", a.UpCard, b.UpCard);
  d.Check("pile state", a.StateOfPile, b.StateOfPile);
  d.Check("melds", SameMelds(a.Melds, b.Melds), true);
  d.Check("hand counts", a.HandCount, b.HandCount);
  d.Check("red threes", a.RedThrees, b.RedThrees);
  d.Check("game scores", a.GameScore, b.GameScore);
  d.Check("meld points", a.MeldPoints, b.MeldPoints);
  d.Check("minimum meld label", a.MinMeld, b.MinMeld);
  d.Check("requirement", a.Requirement, b.Requirement);
  d.Check("minimum meld met", a.MinMeldMet, b.MinMeldMet);
  d.Check("canasta", a.HasCanasta, b.HasCanasta);
  d.Check("stock count", a.StockCount, b.StockCount);
  d.Check("target", a.TargetScore, b.TargetScore);
  d.Check("penalty", a.PenaltyPoints, b.PenaltyPoints);
  d.Check("unseen", a.Unseen, b.Unseen);
  d.Check("unseen count", a.UnseenCount, b.UnseenCount);
  d.Check("record length", a.Record.Notes.size(), b.Record.Notes.size());
  for (std::size_t i = 0; i < a.Record.Notes.size() && i < b.Record.Notes.size(); ++i) {
    const PileNote &x = a.Record.Notes[i], &y = b.Record.Notes[i];
    d.Check("record", std::tuple(x.Player, x.Card, x.Rank, x.Taken, x.PileSize),
            std::tuple(y.Player, y.Card, y.Rank, y.Taken, y.PileSize));
  }
  return d.first;
}

// Everything either keeps of a hand: every card's place (a melded wild card's
// column with it), the melds' bookkeeping, the pile, the counts and the scores.
struct HandState {
  std::array<int, CardCount + 1> Place{};
  std::array<int, LastWildCard + 1> WildColumn{};
  CardSet FromDiscard, TakenForFirstMeld;
  std::array<rules::PlayerMelds, 3> Melds{};
  PileState Pile = PileState::Frozen;
  int UpCard = 0, StockCount = 0, DiscardCount = 0, Penalty = 0;
  bool PileDue = false;
  PerPlayer<int> HandCount{}, MeldPoints{}, MinMeld{}, GameScore{};
  PerPlayer<bool> MinMeldMet{}, HasCanasta{};

  std::string Difference(const HandState& o) const {
    Differ d;
    for (int c = 1; c <= CardCount; ++c) d.Check("a card's place", Place[c], o.Place[c]);
    d.Check("a wild card's column", WildColumn, o.WildColumn);
    d.Check("a card taken from the pile", FromDiscard.Bits, o.FromDiscard.Bits);
    d.Check("a pile taken for a first meld", TakenForFirstMeld.Bits, o.TakenForFirstMeld.Bits);
    d.Check("melds", SameMelds(Melds, o.Melds), true);
    d.Check("pile state", Pile, o.Pile);
    d.Check("up card", UpCard, o.UpCard);
    d.Check("stock count", StockCount, o.StockCount);
    d.Check("discard count", DiscardCount, o.DiscardCount);
    d.Check("penalty", Penalty, o.Penalty);
    d.Check("pile due", PileDue, o.PileDue);
    d.Check("hand counts", HandCount, o.HandCount);
    d.Check("meld points", MeldPoints, o.MeldPoints);
    d.Check("minimum meld label", MinMeld, o.MinMeld);
    d.Check("game scores", GameScore, o.GameScore);
    d.Check("minimum meld met", MinMeldMet, o.MinMeldMet);
    d.Check("canasta", HasCanasta, o.HasCanasta);
    return d.first;
  }
};

// The counts and scores the game and the simulator keep under the same names.
template <class Hand>
void CopyCounts(const Hand& h, HandState& s) {
  s.UpCard = h.UpCard, s.StockCount = h.StockCount, s.DiscardCount = h.DiscardCount;
  s.Penalty = h.PenaltyPoints, s.PileDue = h.PlayerPileDue, s.Melds = h.MeldInfo;
  s.HandCount = h.HandCount, s.MeldPoints = h.MeldPoints, s.MinMeld = h.MinMeld;
  s.GameScore = h.GameScore, s.MinMeldMet = h.MinMeldMet, s.HasCanasta = h.HasCanasta;
}
inline bool IsMelded(int place) {
  return place == PlaceHumanMeld || place == PlaceRobotMeld;
}

inline HandState StateOf(const Game& g) {
  HandState s;
  for (int c = 1; c <= CardCount; ++c) {
    const CardRow& card = g.Cards[c];
    s.Place[c] = card.Place;
    if (card.FromDiscard) s.FromDiscard.Add(c);
    if (card.TakenForFirstMeld) s.TakenForFirstMeld.Add(c);
    if (IsWildCardNumber(c) && IsMelded(card.Place))
      s.WildColumn[c] = card.MeldColumn[card.Place == PlaceHumanMeld ? Human : Robot];
  }
  s.Pile = PileStateOfColour(g.Table.Shape1.BorderColor);
  CopyCounts(g, s);
  return s;
}

inline HandState StateOf(const SimHand& h) {
  HandState s;
  for (int c = 1; c <= CardCount; ++c) {
    s.Place[c] = h.Place[c];
    if (IsWildCardNumber(c) && IsMelded(h.Place[c])) s.WildColumn[c] = h.WildColumn[c];
  }
  s.FromDiscard = h.FromDiscard, s.TakenForFirstMeld = h.TakenForFirstMeld;
  s.Pile = h.StateOfPile;
  CopyCounts(h, s);
  return s;
}

// The simulator's bookkeeping: its counts agree with its cards, the stock with
// the cards in it, each meld with the cards in its column; no red three stays
// in a hand. Names the first rule broken, or stays empty.
inline std::string BrokenRule(const SimHand& h) {
  Differ d;
  SimHand recounted = h;
  recounted.Recount();
  d.Check("hand counts", h.HandCount, recounted.HandCount);
  d.Check("hand points", h.HandPoints, recounted.HandPoints);
  d.Check("hand ranks", h.HandRank, recounted.HandRank);
  d.Check("meld points", h.MeldPoints, recounted.MeldPoints);
  d.Check("red threes", h.RedThrees, recounted.RedThrees);
  d.Check("pile count", std::pair(h.DiscardCount, h.PileWilds),
          std::pair(recounted.DiscardCount, recounted.PileWilds));
  CardSet inStock;
  for (int i = 0; i < h.StockCount; ++i) inStock.Add(h.Stock[i]);
  std::array<std::array<int, RankKing + 1>, 3> count{}, wild{};
  for (int c = 1; c <= CardCount; ++c) {
    const int place = h.Place[c];
    d.Check("the stock", inStock.Has(c), place == PlaceStock);
    d.Check("a red three in a hand", IsRedThreeNumber(c) && place <= PlaceRobotHand, false);
    const int p = place == PlaceHumanMeld ? Human : place == PlaceRobotMeld ? Robot : 0;
    if (p) count[p][h.ColumnOf(c)] += 1, wild[p][h.ColumnOf(c)] += IsWildCardNumber(c);
  }
  for (int p : {Human, Robot})
    for (int r = RankAce; r <= RankKing; ++r) {
      const MeldItems& m = h.MeldInfo[p][r];
      d.Check("a meld and its column", std::tuple(m.Count, m.WildCount, m.Started),
              std::tuple(count[p][r], wild[p][r], count[p][r] > 0));
    }
  return d.first;
}

}  // namespace larkspur::testing
