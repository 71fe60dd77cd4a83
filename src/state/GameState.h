// All shared game state of one game: the card table, the shared scalars, the
// per-player arrays and the meld bookkeeping. Plain data; the routines that
// change it are members of Game.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

// Rank codes. Wild cards are twos and jokers; a melded wild card takes the
// rank of its meld, so card numbers 1..12 are the lasting mark of a wild card.
enum RankCode : int {
  RankAce = 1,
  RankTwo = 2,
  RankBlackThree = 3,
  RankFour = 4,
  RankSeven = 7,
  RankEight = 8,
  RankKing = 13,
  RankRedThree = 14,
  RankJoker = 15,
};

constexpr int Human = 1;
constexpr int Robot = 2;
constexpr int CardCount = 108;
constexpr int BackImage = 109;

// Colour numbers in the blue-green-red form the table uses for its pile frame.
constexpr int RGB(int r, int g, int b) {
  return r + 256 * g + 65536 * b;
}
constexpr int PileOpen = 65280;    // green
constexpr int PileFrozen = 65535;  // yellow
constexpr int PileBlocked = 255;   // red

inline bool IsWildCardNumber(int c) {
  return c >= 1 && c <= 12;
}
inline bool IsJokerNumber(int c) {
  return c >= 1 && c <= 4;
}

struct CardRow {
  int Field0 = 0;  // carries nothing; the new-hand reset writes -1 there
  int Points = 0;
  int Place = 0;
  bool FromDiscard = false;
  bool NewThisTurn = false;
  int Rank = 0;
  std::array<int, 3> MeldColumn{};  // by player; index 0 unused
};

struct MeldItems {
  int Count = 0;
  int WildCount = 0;
  int WildMark = 0;
  bool HasWild = false;
  bool Started = false;
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

  // Meld bookkeeping by player and meld column (rank code 1..13).
  std::array<std::array<MeldItems, 14>, 3> MeldInfo{};
  std::array<int, 14> ColumnLeft{};

  // Hand analysis written by CountHand.
  std::array<int, 16> RankCount{};
  PerPlayer<int> NaturalMeldValue{};
  std::array<bool, 16> RankMeldable{};

  // Set once a hand has been scored, so that a hand ended from inside the
  // human's turn (going out with black threes) is not scored a second time
  // by the driver.
  bool HandScored = false;

  // The discards and takes of this hand, for the seats' policies to read.
  PileRecord Record;
};

}  // namespace larkspur
