// Card names in words, as the hand log, screen readers and hints say them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "state/CardNames.h"
#include "state/GameState.h"

using namespace larkspur;

TEST(CardNames, EveryCardIsNamedByWhatItShows) {
  const std::pair<int, std::string> named[] = {
      {1, "red joker"},
      {2, "black joker"},
      {FirstTwo, "two of clubs"},
      {FirstBlackThree, "three of clubs"},
      {FirstBlackThree + 1, "three of spades"},
      {FirstFour + 3, "four of spades"},
      {FirstCardOfRank(RankSeven) + 2, "seven of hearts"},
      {FirstCardOfRank(RankQueen) + 5, "queen of diamonds"},
      {LastAce, "ace of spades"},
      {FirstRedThree, "three of hearts"},
      {LastRedThree, "three of diamonds"}};
  for (const auto& [card, name] : named) EXPECT_EQ(CardName(card), name) << card;
  // Two packs: every natural face twice.
  std::multiset<std::string> names;
  for (int c = FirstTwo; c <= LastRedThree; ++c) names.insert(CardName(c));
  for (const std::string& name : names) EXPECT_EQ(names.count(name), 2u) << name;
  EXPECT_EQ(RankNamePlural(RankSix) + RankNamePlural(RankBlackThree) + CountWord(2) + CountWord(13),
            "sixesblack threestwo13");
}
