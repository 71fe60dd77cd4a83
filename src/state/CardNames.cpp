// Card faces and card names in words.
#include "state/CardNames.h"

#include <array>

#include "state/GameState.h"

namespace larkspur {

CardFace FaceOfCard(int card) {
  CardFace face;
  if (IsJokerNumber(card)) {
    face.redJoker = card % 2 == 1;
    face.suit = face.redJoker ? Hearts : Spades;
  } else if (IsWildCardNumber(card)) {
    face.faceRank = 2;
    face.suit = (card - FirstTwo) % 4;
  } else if (card >= FirstBlackThree && card <= LastBlackThree) {
    face.faceRank = 3;
    face.suit = card % 2 == 1 ? Clubs : Spades;
  } else if (card >= FirstFour && card < FirstAce) {
    face.faceRank = RankFour + (card - FirstFour) / CardsPerNaturalRank;
    face.suit = (card - FirstFour) % 4;
  } else if (card >= FirstAce && card <= LastAce) {
    face.faceRank = 1;
    face.suit = (card - FirstAce) % 4;
  } else if (IsRedThreeNumber(card)) {
    face.faceRank = 3;
    face.suit = card % 2 == 1 ? Hearts : Diamonds;
  }
  return face;
}

namespace {

constexpr std::array<const char*, 14> FaceRankNames{"",     "ace",  "two",   "three", "four",
                                                    "five", "six",  "seven", "eight", "nine",
                                                    "ten",  "jack", "queen", "king"};
constexpr std::array<const char*, 4> SuitNames{"clubs", "diamonds", "hearts", "spades"};

}  // namespace

std::string CardName(int card) {
  const CardFace face = FaceOfCard(card);
  if (face.faceRank == 0) return face.redJoker ? "red joker" : "black joker";
  return std::string(FaceRankNames[face.faceRank]) + " of " + SuitNames[face.suit];
}

std::string RankName(int rank) {
  switch (rank) {
    case RankBlackThree:
      return "black three";
    case RankRedThree:
      return "red three";
    case RankJoker:
      return "joker";
    default:
      return rank >= RankAce && rank <= RankKing ? FaceRankNames[rank] : "card";
  }
}

std::string RankNamePlural(int rank) {
  return rank == RankSix ? "sixes" : RankName(rank) + "s";
}

std::string CountWord(int n) {
  static constexpr std::array<const char*, 13> words{"no",   "one",    "two",   "three", "four",
                                                     "five", "six",    "seven", "eight", "nine",
                                                     "ten",  "eleven", "twelve"};
  return n >= 0 && n <= 12 ? words[n] : std::to_string(n);
}

}  // namespace larkspur
