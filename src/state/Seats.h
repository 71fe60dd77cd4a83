// Who plays the seats, and what a hint points at.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace larkspur {

// Which policy plays the robot's seat.
enum class RobotPlay {
  Classic,  // the robot's own fixed rules
  Expert,   // the stronger policy
};

// The setting's name as the per-user settings keep it, and back; an unknown
// name is no setting, so the default stands.
inline const char* RobotPlayName(RobotPlay play) {
  return play == RobotPlay::Expert ? "expert" : "classic";
}
inline std::optional<RobotPlay> RobotPlayNamed(std::string_view name) {
  if (name == "classic") return RobotPlay::Classic;
  if (name == "expert") return RobotPlay::Expert;
  return std::nullopt;
}

// The element of the table a hint points at, with its one sentence.
struct HintAdvice {
  enum Element { None, Stock, Pile, HandCard, Heading, DiscardLabel, ReturnLabel };
  Element What = None;
  int Index = 0;  // the card number (Pile, HandCard) or the heading's rank (Heading)
  std::string Text;
};

}  // namespace larkspur
