// All shared game state of one game: the card table, the shared scalars, the
// per-player arrays and the meld bookkeeping. Plain data; the routines that
// change it are members of Game.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/Rules.h"
#include "state/PileRecord.h"

namespace larkspur {

// Place codes: where a card lies.
enum PlaceCode : int {
  PlaceHumanHand = 1,
  PlaceRobotHand = 2,
  PlaceStock = 16,
  PlacePile = 17,
  PlaceHumanMeld = 18,
  PlaceRobotMeld = 19,
  PlaceHumanRedThree = 20,
  PlaceRobotRedThree = 21,
};

constexpr int BackImage = 109;  // the image of a card's back

// Colour numbers in the blue-green-red form the table uses for its pile frame.
constexpr int RGB(int r, int g, int b) {
  return r + 256 * g + 65536 * b;
}
constexpr int PileOpen = 65280;    // green
constexpr int PileFrozen = 65535;  // yellow
constexpr int PileBlocked = 255;   // red

// The pile's state is kept as the colour of its frame, which the table shows.
constexpr int PileColour(PileState state) {
  switch (state) {
    case PileState::Open:
      return PileOpen;
    case PileState::Frozen:
      return PileFrozen;
    case PileState::Blocked:
      break;
  }
  return PileBlocked;
}
constexpr PileState PileStateOfColour(int colour) {
  if (colour == PileOpen) return PileState::Open;
  if (colour == PileFrozen) return PileState::Frozen;
  return PileState::Blocked;
}

struct CardRow {
  int Points = 0;
  int Place = 0;
  bool FromDiscard = false;
  bool NewThisTurn = false;
  int Rank = 0;
  std::array<int, 3> MeldColumn{};  // by player; index 0 unused
  // A card of a pile the human took in this turn before making the first
  // meld: the pile stays the human's only if that first meld stands.
  bool TakenForFirstMeld = false;
};

template <class T>
using PerPlayer = std::array<T, 3>;  // index 1 human, 2 robot; 0 unused

struct GameState {
  std::array<CardRow, CardCount + 1> Cards{};  // index 0 unused

  std::string PlayerName = "Player";
  std::string RobotName = "Barnaby";
  int TargetScore = 5000;
  int PaceSetting = 300;
  int Delay = 300;
  std::int64_t PauseStart = 0;
  int GamesWonPlayer = 0;
  int GamesWonRobot = 0;
  int StockCount = 0;
  int DiscardCount = 0;
  int UpCard = 0;
  bool HandInPlay = false;
  bool PlayerToPlay = false;
  bool PlayerTurnOpen = false;
  bool PlayerHasDrawn = false;
  bool PlayerDiscarding = false;
  int WildChosen = 0;
  int PenaltyPoints = 0;
  bool NextHandGo = false;
  bool ResultsAnswered = false;
  bool RobotPileDue = false;
  bool PlayerPileDue = false;
  int DialogChoice = 0;

  PerPlayer<int> HandCount{};
  PerPlayer<int> HandPoints{};
  PerPlayer<int> GameScore{};
  PerPlayer<int> MeldPoints{};
  PerPlayer<int> BonusPoints{};
  PerPlayer<int> HandScore{};
  PerPlayer<int> PureCanastas{};
  PerPlayer<int> MixedCanastas{};
  PerPlayer<int> RedThreeBonus{};
  PerPlayer<int> OutBonus{};
  PerPlayer<int> RedThreeCount{};
  PerPlayer<bool> HasCanasta{};
  PerPlayer<bool> MinMeldMet{};
  PerPlayer<int> MinMeld{};
  PerPlayer<int> HandLeft{};

  // Meld bookkeeping by player and meld column (rank code RankAce..RankKing).
  std::array<std::array<MeldItems, RankKing + 1>, 3> MeldInfo{};
  std::array<int, RankKing + 1> ColumnLeft{};

  // Hand analysis written by CountHand, by rank code.
  RankCounts RankCount{};
  PerPlayer<int> NaturalMeldValue{};

  // Set once a hand has been scored, so that a hand ended from inside the
  // human's turn (going out with black threes) is not scored a second time
  // by the driver.
  bool HandScored = false;

  // The discards and takes of this hand, for the seats' policies to read.
  PileRecord Record;
  int HintsThisHand = 0;  // hints asked for this hand, for the score sheet
};

}  // namespace larkspur
