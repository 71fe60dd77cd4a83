// A policy plays a seat: it decides, from what the seat may see, whether to
// take the discard pile, what to meld and what to discard. The seats turn its
// decisions into moves: the robot's seat through the robot's routines, the
// human's seat through the same clicks as the mouse.
#pragma once

#include <string>

#include "policy/SeatView.h"

namespace larkspur {

// One melding move.
struct MeldStep {
  enum Kind {
    None,       // nothing more to meld this turn
    Stop,       // nothing more, at once: the robot's seat leaves its hand and scores as they lie
    AllOfRank,  // every natural card of Rank in the hand
    Wild,       // the wild Card into the meld of Rank
    Natural,    // the natural Card onto the meld of its Rank
  };
  Kind What = None;
  int Rank = 0;
  int Card = 0;
  friend bool operator==(const MeldStep&, const MeldStep&) = default;
};

// No turn needs more melding moves than this; either seat stops a policy that keeps answering.
constexpr int MostMeldSteps = 60;

class Policy {
 public:
  virtual ~Policy() = default;
  virtual std::string Name() const = 0;
  // Asked at the start of a turn only when the seat may take the pile.
  virtual bool TakePile(const SeatView& view) = 0;
  // The next melding move of the turn; asked again after every move, with the
  // table as the move left it, until it answers None. Step counts the asks of
  // this turn's melding from 0.
  virtual MeldStep NextMeld(const SeatView& view, int step) = 0;
  // The card to discard (a card of the hand), or 0 when the hand is empty.
  virtual int Discard(const SeatView& view) = 0;
};

}  // namespace larkspur
