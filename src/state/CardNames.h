// What each card shows and is called: its face (rank and suit) and its name in
// words, for the card pictures, the hand log, screen readers and hints.
#pragma once

#include <string>

namespace larkspur {

enum Suit : int { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3 };

// What a card number shows: faceRank 1 ace .. 13 king, 0 for a joker (red or
// black, shown by its suit's colour). The eight cards of a rank show each suit
// twice; red threes are hearts and diamonds, black threes clubs and spades.
struct CardFace {
  int faceRank = 0;
  int suit = Clubs;
  bool redJoker = false;
};
CardFace FaceOfCard(int card);

// "seven of hearts", "ace of spades", "red joker".
std::string CardName(int card);
// A rank code's name: "seven", "ace", "two", "black three", "red three", "joker".
std::string RankName(int rank);
// The same for more than one: "sevens", "aces", "black threes".
std::string RankNamePlural(int rank);
// A small count in words ("one" .. "twelve"), larger ones in figures.
std::string CountWord(int n);

}  // namespace larkspur
