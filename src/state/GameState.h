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
// rank of its meld, so its card number (FirstWildCard..LastWildCard) is the
// lasting mark of a wild card.
enum RankCode : int {
  RankAce = 1,
  RankTwo = 2,
  RankBlackThree = 3,
  RankFour = 4,
  RankFive = 5,
  RankSix = 6,
  RankSeven = 7,
  RankEight = 8,
  RankNine = 9,
  RankTen = 10,
  RankJack = 11,
  RankQueen = 12,
  RankKing = 13,
  RankRedThree = 14,
  RankJoker = 15,
};

constexpr int Human = 1;
constexpr int Robot = 2;
constexpr int CardCount = 108;
constexpr int HandSize = 15;  // cards dealt to each player
constexpr int BackImage = 109;

// Card numbers run 1..CardCount in runs of one rank: the four jokers, the
// eight twos, the four black threes, eight of each rank from fours up to
// kings, the eight aces and the four red threes.
constexpr int FirstJoker = 1;
constexpr int LastJoker = 4;
constexpr int FirstTwo = 5;
constexpr int LastTwo = 12;
constexpr int FirstWildCard = FirstJoker;
constexpr int LastWildCard = LastTwo;
constexpr int FirstBlackThree = 13;
constexpr int LastBlackThree = 16;
constexpr int FirstFour = 17;
constexpr int CardsPerNaturalRank = 8;  // each of fours up to kings, and aces
constexpr int FirstAce = 97;
constexpr int LastAce = 104;
constexpr int FirstRedThree = 105;
constexpr int LastRedThree = CardCount;

// Colour numbers in the blue-green-red form the table uses for its pile frame.
constexpr int RGB(int r, int g, int b) {
  return r + 256 * g + 65536 * b;
}
constexpr int PileOpen = 65280;    // green
constexpr int PileFrozen = 65535;  // yellow
constexpr int PileBlocked = 255;   // red

constexpr bool IsWildCardNumber(int c) {
  return c >= FirstWildCard && c <= LastWildCard;
}
constexpr bool IsJokerNumber(int c) {
  return c >= FirstJoker && c <= LastJoker;
}
constexpr bool IsRedThreeNumber(int c) {
  return c >= FirstRedThree && c <= LastRedThree;
}
// The first card number of a rank; the rest of the rank's cards follow it.
constexpr int FirstCardOfRank(int rank) {
  switch (rank) {
    case RankJoker:
      return FirstJoker;
    case RankTwo:
      return FirstTwo;
    case RankBlackThree:
      return FirstBlackThree;
    case RankAce:
      return FirstAce;
    case RankRedThree:
      return FirstRedThree;
    default:
      return FirstFour + (rank - RankFour) * CardsPerNaturalRank;
  }
}

struct CardRow {
  int Points = 0;
  int Place = 0;
  bool FromDiscard = false;
  bool NewThisTurn = false;
  int Rank = 0;
  std::array<int, 3> MeldColumn{};  // by player; index 0 unused
};

struct MeldItems {
  int Count = 0;      // cards in the meld, wild cards included
  int WildCount = 0;  // wild cards in it
  int WildMark = 0;   // cards melded since its first wild card, that one included; 0 while pure
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

  // Meld bookkeeping by player and meld column (rank code RankAce..RankKing).
  std::array<std::array<MeldItems, RankKing + 1>, 3> MeldInfo{};
  std::array<int, RankKing + 1> ColumnLeft{};

  // Hand analysis written by CountHand, by rank code.
  std::array<int, RankJoker + 1> RankCount{};
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
