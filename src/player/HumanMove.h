// One move at a time. A click on the table acts only while the driver waits for
// the human's turn; one that lands in a pause (a card in flight, the deal, the
// robot's turn, another click's own moves) is ignored, not queued, and so is a
// click on something the table does not show. Every click entry point opens
// with one of these, so the rule lives here and nowhere else.
#pragma once

#include "state/Game.h"

namespace larkspur {

class HumanMove {
 public:
  HumanMove(Game& game, bool shown) : game_(game), acting_(shown && game.MayMove()) {
    game_.PutHintAway();  // any click puts the hint's outline away
    if (!acting_) return;
    game_.moving_ = true;
    game_.PutHintSentenceAway();  // and its sentence, before the move says its own
  }
  ~HumanMove() {
    if (acting_) game_.moving_ = false;
  }
  HumanMove(const HumanMove&) = delete;
  HumanMove& operator=(const HumanMove&) = delete;

  explicit operator bool() const { return acting_; }

 private:
  Game& game_;
  bool acting_;
};

}  // namespace larkspur
