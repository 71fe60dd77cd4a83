// What every member of the panel of sparring partners needs to play by the
// table's rules: a sketch of the melds a turn could make, the first meld that
// beats the minimum, the way out of a hand, and a watch kept on the opponent
// (the cards it took with the pile and how likely it is to take the next one).
// Everything here reads a SeatView only, so a panel member sees what its seat
// may see and remembers only what it saw.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "policy/Policy.h"

namespace larkspur::panel {

using Steps = std::vector<MeldStep>;
using RankCounts = std::array<int, 16>;

int Naturals(const MeldItems& m);
bool IsPureCanasta(const MeldItems& m);
// Wild cards a seat may still add to a meld: the robot's seat up to three and
// never more than the naturals, the human's seat while the naturals outnumber them.
int WildRoom(int seat, const MeldItems& m);
int WildPoints(int card);
int CardsInHand(const SeatView& v);

// The melds of one turn played out on a copy of the seat's hand and melds.
struct Sketch {
  explicit Sketch(const SeatView& v);

  int Seat;
  RankCounts Hand{};       // naturals and black threes by rank; wild cards are in Wilds
  std::vector<int> Wilds;  // wild cards in hand, jokers first
  std::array<MeldItems, 14> Melds{};
  int Points = 0;  // points melded this hand
  Steps Done;      // the moves made, in order

  int HandSize() const;
  bool HasCanasta() const;
  int Room(int rank) const { return WildRoom(Seat, Melds[rank]); }
  // Every natural of the rank in hand onto its meld, started or new.
  void MeldRank(int rank);
  // The first wild card in hand into the meld of the rank.
  void AddWild(int rank);
  // Unfinished melds (a pile's top card, a pair) made up to three cards; false if it cannot be.
  bool FinishOpenMelds();
};

// What a plan of melds is weighed by: the cost of each natural and each wild
// card it lays down.
struct MeldCosts {
  double Natural = 1.0;
  double Wild = 2.5;
};

// The cheapest melds that beat the minimum meld this turn, finishing any meld
// already begun; empty when the hand cannot. The hand keeps two cards at least.
Steps PlanFirstMeld(const SeatView& v, const MeldCosts& costs = {});
// Whether the cheapest first meld spends no wild card.
bool FirstMeldWithoutWilds(const SeatView& v, const MeldCosts& costs);
// Whether taking the pile now (top card melded, the rest in hand only once the
// minimum is met) would let the seat beat the minimum meld this turn.
bool PileMeetsMinimum(const SeatView& v);
// The moves that empty the hand this turn, or leave one card to discard, with a
// canasta made; empty when the hand cannot go out. Wild cards never spoil a
// pure canasta.
Steps GoOutSteps(const SeatView& v);
// A started meld of fewer than three cards made whole, if there is one.
MeldStep FinishOpenMeld(const SeatView& v);
// Whether a move keeps at least two cards in hand (one to discard, one to hold).
bool KeepsTwoCards(const SeatView& v, const MeldStep& step);
// Whether the seat's pile is free to take: the top card joins a meld or a
// natural pair without spending a wild card.
bool PileIsFree(const SeatView& v);
// Whether the seat still holds a card to throw away after taking the pile and
// melding its top card's rank: a hand of one card without a canasta cannot discard.
bool PileLeavesACardToThrow(const SeatView& v);
// Whether the pile would be frozen for the opponent after this seat's discard.
bool FrozenForOpponent(const SeatView& v);
int PileWildCards(const SeatView& v);

// A watch on the opponent through one hand: the cards it took with the pile
// and has not melded or thrown away since, from the record of the pile.
class Watch {
 public:
  void Update(const SeatView& v);
  // The chance that the opponent holds two or more naturals of a rank.
  double PairChance(const SeatView& v, int rank) const;
  // The chance that the opponent holds at least one wild card.
  double WildChance(const SeatView& v) const;
  // The chance that the opponent may take the pile when this card lies on top.
  double TakeChance(const SeatView& v, int card) const;

 private:
  double AtLeast(const SeatView& v, int copies, int known, int need) const;
  void Reset(const SeatView& v);

  std::size_t read_ = 0;  // notes of the record already read this hand
  PileNote first_{};
  std::vector<int> pile_;  // the pile as this seat last saw it, grown by the discards since
  RankCounts known_{};
  std::array<int, 14> oppNaturals_{};
  int oppWilds_ = 0;
};

// Points a natural of a rank is worth melded; 0 for other ranks.
int RankPoints(int rank);

}  // namespace larkspur::panel
