// The robot's decisions on laid-out positions.
#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace larkspur::testing::cards;

namespace {

using Cards = std::vector<int>;

class RobotTest : public TableTest {
 protected:
  // The robot's newly melded cards are noted at each pause, in the order they arrive.
  RobotTest() {
    host.onPause = [this] {
      for (int c = 1; c <= CardCount; ++c)
        if (game.Cards[c].Place == PlaceRobotMeld && !seen[c]) seen[c] = true, melded.push_back(c);
    };
  }
  // A fresh hand in which the robot holds `hand` and the other cards lie in the stock.
  void Position(int robotScore, const Cards& hand) {
    EmptyTable();
    game.GameScore[Robot] = robotScore;
    Put(PlaceRobotHand, hand);
    game.HandLayout(Robot);
    game.ShowStock();
  }
  void Discards(int first, int n) {
    std::vector<int> cards(n);
    std::iota(cards.begin(), cards.end(), first);
    Pile(cards);
  }
  // The robot's melds in its turn, the requirement set afresh as the turn begins.
  Cards Melds() {
    game.CheckMinimumMeld(Robot);
    melded.clear();
    for (int c = 1; c <= CardCount; ++c) seen[c] = game.Cards[c].Place == PlaceRobotMeld;
    game.RobotMelds();
    return melded;
  }
  int Discarded() {
    const int pile = game.DiscardCount;
    game.RobotDiscard();
    return game.DiscardCount == pile + 1 ? game.UpCard : 0;
  }

  Cards melded;
  bool seen[CardCount + 1] = {};
};

TEST_F(RobotTest, MeldsByItsFixedRules) {
  // A A A and 5 5 5 are worth 75: enough against 50, aces first; not enough against 90.
  Position(0, {Ace, Ace + 1, Ace + 2, Five, Five + 1, Five + 2, King, Nine});
  EXPECT_EQ(Melds(), (Cards{Ace, Ace + 1, Ace + 2, Five, Five + 1, Five + 2}));
  Position(1500, {Ace, Ace + 1, Ace + 2, Five, Five + 1, Five + 2, King, Nine});
  EXPECT_EQ(Melds(), Cards{});

  // A score below 0 asks for 15, so five nines have met the minimum meld; two jokers
  // then make a mixed canasta.
  Position(-100, {Joker, Joker + 1, King, Four});
  Melded(Robot, RankNine, 5);
  EXPECT_EQ(Melds(), (Cards{Joker, Joker + 1}));
  EXPECT_EQ(game.MeldInfo[Robot][RankNine].WildCount, 2);
  EXPECT_EQ(game.MixedCanastas[Robot], 1);
  // Two kings and two twos already: a third wild card would outnumber the naturals.
  Position(-100, {Two + 2, Five, Six});
  Melded(Robot, RankKing, 2);
  game.MeldWildCard(Two, RankKing, Robot);
  game.MeldWildCard(Two + 1, RankKing, Robot);
  EXPECT_EQ(Melds(), Cards{});
  // A canasta and three cards left: the second wild card step takes a two too.
  Position(-100, {Two, Two + 1, Five});
  Melded(Robot, RankKing, 7);
  EXPECT_EQ(Melds(), Cards{Two});

  // An ace lays off onto the aces' meld.
  Position(0, {Ace + 3, King, Five});
  Melded(Robot, RankAce, 3);
  EXPECT_EQ(Melds(), Cards{Ace + 3});
}

TEST_F(RobotTest, DiscardsByItsPassesOrNotAtAll) {
  // The robot's hand, the pile's size, whether the human melded eights, and the discard.
  const std::tuple<Cards, int, bool, int> cases[] = {
      // A black three goes first on a pile of six, but not on five.
      {{BlackThree, Four, King}, 6, false, BlackThree},
      {{BlackThree, Four, King}, 5, false, Four},
      // Nothing natural: the black three before the joker.
      {{Joker, BlackThree}, 5, false, BlackThree},
      // The human's eights guard the robot's pair: the melded seven goes.
      {{Seven + 3, Eight, Eight + 1}, 2, true, Seven + 3},
      // The pair nobody has melded goes first.
      {{Seven + 3, Eight, Eight + 1}, 2, false, Eight},
  };
  for (const auto& [hand, pile, humanEights, discarded] : cases) {
    Position(0, hand);
    Melded(Robot, RankSeven, 3);
    if (humanEights) Melded(Human, RankEight, 3, 2);
    Discards(Ten, pile);
    EXPECT_EQ(Discarded(), discarded) << hand[0] << " on " << pile;
  }

  // Three aces meld out; then nothing is discarded.
  Position(0, {Ace, Ace + 1, Ace + 2});
  EXPECT_EQ(Melds(), (Cards{Ace, Ace + 1, Ace + 2}));
  EXPECT_EQ(Discarded(), 0);

  // One card and no canasta: neither melded nor discarded.
  Position(0, {King});
  Melded(Robot, RankAce, 3);
  Discards(Nine, 2);
  EXPECT_EQ(Melds(), Cards{});
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player your opponent cannot Meld 1 card as no Canasta made.");
  EXPECT_EQ(Discarded(), 0);
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  your opponent cannot discard at present- no Canasta");
}

}  // namespace
