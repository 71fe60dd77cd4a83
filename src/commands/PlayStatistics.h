// The statistics kept for each robot level from one run of the program to the
// next: games won and lost and the winning streaks, the best and worst game
// totals, and of every hand its score, its canastas and whether you went out.
// Counted when a hand and a game end, kept in the player's data folder.
//
// The file is plain text, its first line naming the format and its version:
//   Larkspur statistics 1
//   level classic won=3 lost=2 streak=1 longest=2 best=5120 worst=2210 hands=25 ...
//   end
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/Seats.h"

namespace larkspur {

inline constexpr int StatisticsVersion = 1;
inline constexpr std::size_t StatisticsSizeLimit = 4096;

// The robot levels the statistics are kept for, each at the index of its value.
inline constexpr std::array<RobotPlay, 3> StatisticsLevels{RobotPlay::Classic, RobotPlay::Expert,
                                                           RobotPlay::Master};

struct LevelStatistics {
  int GamesWon = 0;
  int GamesLost = 0;
  int Streak = 0;  // games won in a row, up to the last game
  int LongestStreak = 0;
  int BestTotal = 0;  // your highest and lowest final game totals, once a game is played
  int WorstTotal = 0;
  int Hands = 0;
  std::int64_t HandPoints = 0;  // your hand totals, added up
  int Canastas = 0;             // your canastas, pure and mixed
  int WentOut = 0;              // hands you went out in
  int GamesPlayed() const { return GamesWon + GamesLost; }
  bool operator==(const LevelStatistics&) const = default;
};

struct PlayStatistics {
  std::array<LevelStatistics, StatisticsLevels.size()> Levels{};
  int Revision = 0;  // grows with every change, so a reader sees when to look again
  LevelStatistics& Of(RobotPlay level) { return Levels[static_cast<std::size_t>(level)]; }
  const LevelStatistics& Of(RobotPlay level) const {
    return Levels[static_cast<std::size_t>(level)];
  }
};

// A hand scored: your hand total, your canastas, and whether you went out.
void AddHand(LevelStatistics& s, int handTotal, int canastas, bool wentOut);
// A game over: whether you won, and your game total.
void AddGame(LevelStatistics& s, bool won, int gameTotal);

// The statistics as a table of texts: a heading row (a blank, then each level's
// name), then one row a statistic, its name first.
std::vector<std::vector<std::string>> StatisticsCells(const PlayStatistics& stats);

std::string FormatStatistics(const PlayStatistics& stats);
struct StatisticsRead {
  std::optional<PlayStatistics> Stats;  // none when the text is not whole and consistent
  std::string Problem;
};
StatisticsRead ParseStatistics(std::string_view text);

}  // namespace larkspur
