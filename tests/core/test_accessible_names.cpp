// Card names in words, and what a screen reader hears of the table: every card by its
// place (no face that lies turned down), the stock, the pile, the melds and the headings.
#include <gtest/gtest.h>

#include <set>

#include "TableFixture.h"
#include "state/CardNames.h"
#include "table/AccessibleNames.h"

using namespace larkspur;
using namespace larkspur::testing;

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

using AccessibleNames = TableTest;

TEST_F(AccessibleNames, SayWhatTheTableShows) {
  EmptyTable();
  const int seven = CardOf(RankSeven, 2), two = CardOf(RankTwo), nine = CardOf(RankNine);
  const int queen = CardOf(RankQueen, 3), five = CardOf(RankFive), pileTwo = CardOf(RankTwo, 1);
  Put(PlaceHumanHand, {CardOf(RankFour), seven, two});
  Put(PlaceRobotHand, {nine, CardOf(RankNine, 1)});
  Pile({five, pileTwo, queen}, PileFrozen);
  HumanToMeld();
  for (int k = 0; k < 4; ++k) game.MeldNaturalCard(CardOf(RankKing, k), RankKing, Human);
  game.MeldWildCard(CardOf(RankJoker), RankKing, Human);
  for (int k = 0; k < 7; ++k) game.MeldNaturalCard(CardOf(RankAce, k), RankAce, Human);
  for (int k = 0; k < 3; ++k) game.MeldNaturalCard(CardOf(RankSeven, k + 4), RankSeven, Robot);
  game.MeldNaturalCard(CardOf(RankQueen), RankQueen, Human);
  Put(PlaceHumanRedThree, {FirstRedThree});
  game.ShowRedThrees(Human);
  game.WildChosen = two;
  const int stockTop = TopOfStock();
  int stockCovered = 1;
  while (Where(stockCovered) != PlaceStock || stockCovered == stockTop) ++stockCovered;
  auto heading = [&](int rank) {
    for (const TableElement& e : game.Table.Elements())
      if (e.Style == ElementStyle::Heading && e.Index == rank) return AccessibleElement(game, e);
    return AccessibleText{};
  };

  struct Case {
    AccessibleText got;
    std::string name, description;
    bool covered = false;
  };
  const Case cases[] = {
      {AccessibleCard(game, seven), "Seven of hearts, in your hand", "Card 3 of 3 in your hand"},
      {AccessibleCard(game, two), "Two of clubs, in your hand, chosen to add to a meld",
       "Card 1 of 3 in your hand"},
      {AccessibleCard(game, nine), "A card in Barnaby's hand", "Barnaby holds 2 cards"},
      {AccessibleCard(game, stockTop), "Stock, 83 cards", ""},
      {AccessibleCard(game, stockCovered), "A card in the stock", "", true},
      {AccessibleCard(game, queen), "Discard pile, 3 cards, frozen, top card queen of spades",
       "Wild cards in it: two of diamonds"},
      {AccessibleCard(game, pileTwo), "Two of diamonds, in the discard pile", ""},
      {AccessibleCard(game, five), "A card in the discard pile", "", true},
      {AccessibleCard(game, CardOf(RankKing, 1)), "King of diamonds, in your kings",
       "Your kings: 5 cards, 1 wild card, mixed"},
      {AccessibleCard(game, CardOf(RankAce)), "Ace of clubs, in your aces",
       "Your aces: 7 cards, no wild cards, pure canasta"},
      {AccessibleCard(game, CardOf(RankSeven, 4)), "Seven of clubs, in Barnaby's sevens",
       "Barnaby's sevens: 3 cards, no wild cards, pure"},
      {AccessibleCard(game, CardOf(RankQueen)), "Queen of clubs, in your queens",
       "Your queens: 1 card, no wild cards, not yet a meld"},
      {AccessibleCard(game, FirstRedThree), "Three of hearts, a red three you laid down",
       "Your red threes: 1 laid down"},
      {heading(RankKing), "Kings: click to add the two of clubs you chose",
       "Barnaby's kings: no meld. Your kings: 5 cards, 1 wild card, mixed."},
      {heading(RankJoker), "Red threes",
       "Barnaby's red threes: none laid down. Your red threes: 1 laid down."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.got.Name, c.name);
    EXPECT_EQ(c.got.Description, c.description) << c.name;
    EXPECT_EQ(c.got.Covered, c.covered) << c.name;
  }
  // A meld column's cards, for its tooltip: naturals first; the red threes laid down.
  EXPECT_EQ(MeldCardsText(game, Human, RankKing) + "|" + MeldCardsText(game, Human, RankRedThree) +
                "|" + MeldCardsText(game, Robot, RankKing),
            "Kings: king of clubs, king of diamonds, king of hearts, king of spades, red joker|"
            "Red threes: three of hearts|");

  // The pile's state is its frame's colour; the robot's face shows once turned up.
  const std::pair<int, const char*> states[] = {
      {PileOpen, "open"}, {PileBlocked, "blocked"}, {DefaultColor, ""}};
  for (const auto& [colour, state] : states) {
    game.Table.Shape1.BorderColor = colour;
    EXPECT_EQ(AccessiblePileName(game), std::string("Discard pile, 3 cards") +
                                            (*state ? ", " : "") + state +
                                            ", top card queen of spades");
  }
  game.Table.PicCards[nine].Image = nine;
  EXPECT_EQ(AccessibleCard(game, nine).Name, "Nine of clubs, in Barnaby's hand");
  // Once the turn moves on, no heading takes the chosen card.
  game.PlayerToPlay = false;
  EXPECT_EQ(heading(RankKing).Name, "Kings");
}
