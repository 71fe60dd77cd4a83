// The table as one seat sees it: its own hand, both players' melds and red
// threes, the face-up discard pile and its state, the counts of cards, the
// scores and the record of discards and takes. Never the other hand or the
// stock: policies are given this and nothing else.
#pragma once

#include <array>
#include <bitset>
#include <vector>

#include "state/GameState.h"

namespace larkspur {

class Game;

struct SeatView {
  int Seat = Human;
  int Opponent = Robot;

  std::vector<int> Hand;  // own card numbers, ascending
  RankCounts HandRank{};  // own cards by rank code
  std::vector<int> Pile;  // the discard pile's cards, ascending
  int UpCard = 0;         // the pile's top card, 0 when it has none
  PileState StateOfPile = PileState::Frozen;

  std::array<std::array<MeldItems, 14>, 3> Melds{};  // by player and meld column
  PerPlayer<int> HandCount{};
  PerPlayer<int> RedThrees{};
  PerPlayer<int> GameScore{};
  PerPlayer<int> MeldPoints{};
  PerPlayer<int> MinMeld{};      // what the minimum meld label holds: the rest still to meld
  PerPlayer<int> Requirement{};  // the whole minimum first meld for the player's score
  PerPlayer<bool> MinMeldMet{};
  PerPlayer<bool> HasCanasta{};
  int StockCount = 0;
  int TargetScore = 5000;
  // The human's 50 for a taken pile given back this hand, shown in its bonus points.
  int PenaltyPoints = 0;

  // Cards this seat cannot see (the other hand and the stock), by the rank
  // each card is printed with; wild cards count under two and joker.
  RankCounts Unseen{};
  int UnseenCount = 0;
  // Every card this seat can see, wherever it lies: its hand, the pile, the melds
  // and the red threes laid down.
  std::bitset<CardCount + 1> Seen;

  PileRecord Record;

  int DiscardCount() const { return static_cast<int>(Pile.size()); }
  bool Started(int player, int rank) const {
    return rank >= 1 && rank <= 13 && Melds[player][rank].Started;
  }
  // Own wild cards, jokers first.
  std::vector<int> Wilds() const;
  // Whether the seat may take the pile now, by the rules of the table.
  bool MayTakePile() const;
  // Whether this seat may add one more wild card to its meld of a rank.
  bool MayAddWild(int rank) const { return MayAddWild(Melds[Seat][rank]); }
  bool MayAddWild(const MeldItems& meld) const { return rules::MayAddWild(Seat, meld); }
};

SeatView MakeSeatView(const Game& game, int seat);

}  // namespace larkspur
