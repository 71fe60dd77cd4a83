// Who plays the seats.
#pragma once

#include <string>

namespace larkspur {

// Which policy plays the robot's seat.
enum class RobotPlay {
  Classic,  // the robot's own fixed rules
  Expert,   // the stronger policy
};

}  // namespace larkspur
