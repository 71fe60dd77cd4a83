// The player file: one line of eight comma-separated fields, two quoted names
// and six integers. Reading never fails: a bad field keeps its default and is
// reported, so the caller can keep a copy of what the player had. A line
// without exactly eight fields is used not at all: with a field lost or split,
// no field can be trusted to stand in its own place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace larkspur {

struct PlayerFileData {
  std::string PlayerName = "Player";
  std::string RobotName = "Barnaby";
  int PaceSetting = 300;
  int GamesWonPlayer = 0;
  int GamesWonRobot = 0;
  int GameScore1 = 0;
  int GameScore2 = 0;
  int TargetScore = 5000;

  bool operator==(const PlayerFileData&) const = default;
};

struct PlayerFileParse {
  PlayerFileData Data;
  std::vector<std::string> Problems;  // one line per bad field; empty when all is well
  std::string Excerpt;                // the start of the first line, fit to show the player
  bool NoneUsed = false;              // every value is the default: nothing in the line was used
};

// Only the first line is read, and only this many bytes of it: a longer line
// is not a player file, and the reader need never hold more than this.
inline constexpr std::size_t PlayerFileLineLimit = 4096;

// The longest name, in bytes. Even with every character a quote, which the
// file doubles, both names and the numbers fit within the line limit.
inline constexpr std::size_t PlayerNameLimit = 255;
static_assert(2 * (2 * PlayerNameLimit + 2) + 6 * 6 + 7 + 2 <= PlayerFileLineLimit);

// Reads the start of the file; anything after the first line is ignored.
PlayerFileParse ParsePlayerFile(std::string_view text);
// A name as the player typed it, fit for the file: without control
// characters, and cut to PlayerNameLimit bytes at a whole character.
std::string UsableName(std::string_view entered);
std::string FormatPlayerFile(const PlayerFileData& data);

}  // namespace larkspur
