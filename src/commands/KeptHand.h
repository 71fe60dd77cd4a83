// The hand in play, kept in a file of its own whenever the game waits for the
// human's move, so that it can be put back exactly as it was left however the
// program ended. The file is plain text, one item a line, its first line naming
// the format and its version:
//
//   Larkspur kept hand 1
//   robot classic                          who plays the robot's seat
//   random SEED DRAWS                      where the random source stands ("random none")
//   turn ...                               whose turn, its phase, the chosen wild card, piles due
//   counts ...                             stock, pile, up card, pause, penalty, hints
//   player 1 ... / player 2 ...            the per-player counts and scores
//   held ...                               the last hand counted, by rank
//   meld P RANK ...                        each meld begun, with its bookkeeping
//   card C ...                             all 108 cards in order: place, rank, points, flags,
//                                          meld columns, and the picture as the table shows it
//                                          (not what the pointer last said over it: the next
//                                          pointer move says it again, and keeping it would
//                                          write the file as the pointer merely passes by)
//   label NAME ... "CAPTION" "TOOLTIP"     each label that differs from a new table
//   frame NAME ...                         the two frames
//   table ...                              the pile's colour, stacking, hint mark, caption
//   pile ... / move ... / sheet / row ...  the pile's record, the hand log, the score sheet
//   hint NEXT "SAID" / step ...            the hint's plan for the turn
//   end HASH                               a hash of every line before it
//
// Texts are quoted, with \" \\ and \xHH for a quote, a backslash and control
// bytes. The names, the target and the other settings are the player file's and
// are not kept here, nor is the table's label of each.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "scoring/HandLog.h"
#include "scoring/ScoreSheet.h"
#include "state/GameState.h"
#include "state/Host.h"
#include "state/Seats.h"
#include "table/TableModel.h"

namespace larkspur {

inline constexpr int KeptHandVersion = 1;
// No kept hand comes near this; a longer file is not read.
inline constexpr std::size_t KeptHandSizeLimit = 1 << 20;

struct KeptHand {
  RobotPlay Robot = RobotPlay::Classic;
  std::optional<RandomPosition> Random;
  GameState State;   // the hand's part of it; the settings keep their defaults
  TableModel Table;  // the table as it was left; the names and the target as on a new table
  HandLog Log;
  ScoreSheet Sheet;
  HintPlan Hints;
};

std::string FormatKeptHand(RobotPlay robot, const std::optional<RandomPosition>& random,
                           const GameState& state, const TableModel& table, const HandLog& log,
                           const ScoreSheet& sheet, const HintPlan& hints);
inline std::string FormatKeptHand(const KeptHand& h) {
  return FormatKeptHand(h.Robot, h.Random, h.State, h.Table, h.Log, h.Sheet, h.Hints);
}

// The text with its last line, "end" and the hash, made anew for the lines
// before it (all of the text when it has no such line): for texts changed on purpose.
std::string SealKeptHand(std::string_view text);

struct KeptHandRead {
  std::optional<KeptHand> Hand;  // none when the text is not a whole, consistent kept hand
  std::string Problem;           // why not, in plain words
};

// Reads a kept hand; anything damaged, inconsistent or of another version is
// refused whole, with the reason.
KeptHandRead ParseKeptHand(std::string_view text);

}  // namespace larkspur
