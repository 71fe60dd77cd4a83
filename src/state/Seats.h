// Who plays the seats, and what a click or a hint can point at on the table.
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

// An element of the table a click can use: the keyboard's focus ring and the
// hint point at these.
struct TableTarget {
  enum Element { None, Stock, Pile, HandCard, Heading, DiscardLabel, ReturnLabel };
  Element What = None;
  // The card number (Stock and Pile: the top card; HandCard) or the heading's rank (Heading).
  int Index = 0;
  friend bool operator==(const TableTarget&, const TableTarget&) = default;
};

// The element of the table a hint points at, with its one sentence.
struct HintAdvice {
  TableTarget Target;
  std::string Text;
};

}  // namespace larkspur
