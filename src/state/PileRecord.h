// What both players have seen happen at the discard pile this hand: each card
// discarded, by whom, and each time the pile was taken and for which rank. The
// pile is face up on this table, so either seat may read the whole record; it
// is noted where cards are discarded and where the pile is taken, and cleared
// with the new hand.
#pragma once

#include <vector>

namespace larkspur {

struct PileNote {
  int Player = 0;
  int Card = 0;
  int Rank = 0;        // the card's rank code as it left the hand, or the taken top card's
  bool Taken = false;  // the pile was taken (for Rank) rather than a card discarded
  int PileSize = 0;    // cards in the pile when it was taken
};

struct PileRecord {
  std::vector<PileNote> Notes;
  // The cards the deal turned up, ascending: both seats saw them go to the pile.
  std::vector<int> DealtUp;

  void NoteDiscard(int player, int card, int rank) {
    Notes.push_back({player, card, rank, false, 0});
  }
  void NotePileTaken(int player, int topCard, int rank, int pileSize) {
    Notes.push_back({player, topCard, rank, true, pileSize});
  }
  // How many cards of a rank the player discarded since the player last took
  // the pile: a player who throws a rank away is not collecting it.
  int DiscardedSinceTake(int player, int rank) const {
    int n = 0;
    for (const PileNote& note : Notes) {
      if (note.Player != player) continue;
      if (note.Taken)
        n = 0;
      else
        n += note.Rank == rank;
    }
    return n;
  }
};

}  // namespace larkspur
