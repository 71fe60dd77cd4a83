// Who plays the seats, and what a hint points at.
#pragma once

#include <string>

namespace larkspur {

// Which policy plays the robot's seat.
enum class RobotPlay {
  Classic,  // the robot's own fixed rules
  Expert,   // the stronger policy
};

// The element of the table a hint points at, with its one sentence.
struct HintAdvice {
  enum Element { None, Stock, Pile, HandCard, Heading, DiscardLabel, ReturnLabel };
  Element What = None;
  int Index = 0;  // the card number (Pile, HandCard) or the heading's rank (Heading)
  std::string Text;
};

}  // namespace larkspur
