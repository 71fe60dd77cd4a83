// The pack: 108 cards numbered 1 to 108 by rank, each card's rank code and its
// points. A card is only ever a number; everything else about it follows here.
#pragma once

#include <array>

namespace larkspur {

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

// How many cards of each rank code a hand holds, by rank code (index 0 unused).
using RankCounts = std::array<int, RankJoker + 1>;

constexpr int CardCount = 108;
constexpr int HandSize = 15;  // cards dealt to each player

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
constexpr int BlackThreesInPack = LastBlackThree - FirstBlackThree + 1;
constexpr int RedThreesInPack = LastRedThree - FirstRedThree + 1;

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

// Twos and jokers, wherever they lie.
constexpr bool IsWildRank(int rank) {
  return rank == RankTwo || rank == RankJoker;
}
// A card that is neither wild nor a three.
constexpr bool IsNaturalRank(int rank) {
  return rank >= RankAce && rank <= RankJoker && !IsWildRank(rank) && rank != RankBlackThree &&
         rank != RankRedThree;
}

// The rank a card is printed with.
constexpr int RankOfCard(int c) {
  if (c <= LastJoker) return RankJoker;
  if (c <= LastTwo) return RankTwo;
  if (c <= LastBlackThree) return RankBlackThree;
  if (c < FirstAce) return RankFour + (c - FirstFour) / CardsPerNaturalRank;
  if (c <= LastAce) return RankAce;
  return RankRedThree;
}

// What a card of a rank counts, melded for its player or left in the hand against.
constexpr int PointsOfRank(int rank) {
  switch (rank) {
    case RankJoker:
      return 50;
    case RankTwo:
    case RankAce:
      return 20;
    case RankRedThree:
      return 100;
    case RankBlackThree:
      return 5;
    default:
      return rank <= RankSeven ? 5 : 10;
  }
}

constexpr int PointsOfCard(int c) {
  return PointsOfRank(RankOfCard(c));
}

}  // namespace larkspur
