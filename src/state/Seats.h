// Who plays the seats, what a click or a hint can point at on the table, and the
// hint's plan for a turn.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace larkspur {

// Which policy plays the robot's seat.
enum class RobotPlay {
  Classic,  // the robot's own fixed rules
  Expert,   // the stronger policy
  Master,   // the Expert's judgement tested by playing each choice out
};

// The setting's name as the per-user settings keep it, and back; an unknown
// name is no setting, so the default stands.
inline const char* RobotPlayName(RobotPlay play) {
  switch (play) {
    case RobotPlay::Expert:
      return "expert";
    case RobotPlay::Master:
      return "master";
    case RobotPlay::Classic:
      break;
  }
  return "classic";
}
inline std::optional<RobotPlay> RobotPlayNamed(std::string_view name) {
  for (RobotPlay play : {RobotPlay::Classic, RobotPlay::Expert, RobotPlay::Master})
    if (name == RobotPlayName(play)) return play;
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

// The hint's plan for the rest of the human's turn: each click with its advice and
// the table the plan expects to see before it, followed while the table matches.
struct HintStep {
  HintAdvice Advice;
  std::vector<int> Expects;
};
struct HintPlan {
  std::vector<HintStep> Steps;
  std::size_t Next = 0;  // the step the table matched last
  std::string Said;      // the status line as the last hint left it
};

}  // namespace larkspur
