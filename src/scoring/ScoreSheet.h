// Every hand of the game in play as it was scored, with the running totals:
// written when a hand is scored, kept through "Carry On", started afresh with
// each game. Play never reads it.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace larkspur {

class Game;

// One player's hand on the sheet.
struct SheetSide {
  int Melds = 0;      // points of the cards melded
  int Canastas = 0;   // the canastas' bonuses
  int RedThrees = 0;  // less than nothing without a meld
  int Out = 0;        // for going out
  int Penalty = 0;    // for a taken pile given back
  int Left = 0;       // points of the cards left in the hand
  int HandTotal = 0;
  int GameTotal = 0;  // the game's total after the hand
  int Bonuses() const { return Canastas + RedThrees + Out - Penalty; }
};

struct SheetRow {
  int Hand = 0;                      // counted from 1 in each game
  std::array<SheetSide, 3> Sides{};  // index 1 human, 2 robot
  int Hints = 0;                     // hints the human asked for
};

struct ScoreSheet {
  std::array<int, 3> Start{};  // the totals the game began with: not nothing after a load
  std::vector<SheetRow> Rows;
  int Revision = 0;  // grows with every change, so a reader sees when to look again
};

// The sheet as a table of texts: the column headings first (who and what, a
// line break between), then a row for the totals a loaded game brought, if
// any, and a row a hand.
std::vector<std::vector<std::string>> ScoreSheetCells(const Game& g);
// What a side's bonuses were made of, in words; empty when there were none.
std::string BonusesInWords(const SheetSide& side);
// The table as plain text: cells between tabs, rows on lines of their own.
std::string ScoreSheetText(const Game& g);

}  // namespace larkspur
