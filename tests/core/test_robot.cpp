// The robot's decisions on laid-out positions. Card numbers: jokers 1-4, twos 5-12, black
// threes 13-16, then eight of each rank from fours (17) up, kings 89-96, aces 97-104.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

using Cards = std::vector<int>;

class RobotTest : public TableTest {
 protected:
  // One pause: its length, and the card picture on top with its Top.
  struct Step {
    int Delay, Card, Top;
  };
  RobotTest() {
    host.onPause = [this] {
      int front = 1;
      for (int c = 1; c <= CardCount; ++c) {
        if (game.Table.PicCards[c].ZOrder > game.Table.PicCards[front].ZOrder) front = c;
        if (game.Cards[c].Place == PlaceRobotMeld && !seen[c]) seen[c] = true, melded.push_back(c);
      }
      steps.push_back({game.Delay, front, game.Table.PicCards[front].Top});
    };
  }
  // A fresh hand in which the robot holds `hand` and the other cards lie in the stock.
  void Position(int robotScore, const Cards& hand) {
    EmptyTable();
    game.GameScore[Robot] = robotScore;
    for (int c : hand) game.Cards[c].Place = PlaceRobotHand;
    game.HandLayout(Robot);
    game.ShowStock();
  }
  void Meld(int player, int rank, int first, int n) {
    for (int c = first; c < first + n; ++c) game.MeldCard(c, rank, player);
    game.LayOutMelds(player);
  }
  void Discards(int first, int n) {
    for (int c = first; c < first + n; ++c) game.Cards[c].Place = PlacePile;
    game.UpCard = first + n - 1;
    game.ShowDiscardPile();
  }
  // As the robot's turn begins: the requirement is set afresh; from now on every pause is kept.
  void Watch() {
    game.CheckMinimumMeld(Robot);
    steps.clear();
    melded.clear();
    for (int c = 1; c <= CardCount; ++c) seen[c] = game.Cards[c].Place == PlaceRobotMeld;
  }
  Cards Melds() {
    Watch();
    game.RobotMelds();
    return melded;
  }
  int Discarded() {
    const int pile = game.DiscardCount;
    game.RobotDiscard();
    return game.DiscardCount == pile + 1 ? game.UpCard : 0;
  }

  std::vector<Step> steps;
  Cards melded;  // the robot's newly melded cards, in the order they arrived
  bool seen[CardCount + 1] = {};
};

TEST_F(RobotTest, MeldsByItsFixedRules) {
  // A A A and 5 5 5 are worth 75: enough against 50, aces first; not enough against 90.
  Position(0, {97, 98, 99, 25, 26, 27, 89, 57});
  EXPECT_EQ(Melds(), (Cards{97, 98, 99, 25, 26, 27}));
  Position(1500, {97, 98, 99, 25, 26, 27, 89, 57});
  EXPECT_EQ(Melds(), Cards{});

  // A score below 0 asks for 15, so five nines have met the minimum meld; two jokers
  // then make a mixed canasta.
  Position(-100, {1, 2, 89, 17});
  Meld(Robot, 9, 57, 5);
  EXPECT_EQ(Melds(), (Cards{1, 2}));
  EXPECT_EQ(game.MeldInfo[Robot][9].WildCount, 2);
  EXPECT_EQ(game.MixedCanastas[Robot], 1);
  // Two kings and two twos already: a third wild card would outnumber the naturals.
  Position(-100, {7, 25, 33});
  Meld(Robot, 13, 89, 2);
  game.MeldWildCard(5, 13, Robot);
  game.MeldWildCard(6, 13, Robot);
  EXPECT_EQ(Melds(), Cards{});
  // A canasta and three cards left: the second wild card step takes a two too.
  Position(-100, {5, 6, 25});
  Meld(Robot, 13, 89, 7);
  EXPECT_EQ(Melds(), Cards{5});

  // An ace lays off onto the aces' meld.
  Position(0, {100, 89, 25});
  Meld(Robot, RankAce, 97, 3);
  EXPECT_EQ(Melds(), Cards{100});
  EXPECT_EQ(steps.at(0).Delay, 800);
}

TEST_F(RobotTest, DiscardsByItsPassesOrNotAtAll) {
  // The robot's hand, the pile's size, whether the human melded eights, and the discard.
  const std::tuple<Cards, int, bool, int> cases[] = {
      {{13, 17, 89}, 6, false, 13},  // a black three goes first on a pile of six
      {{13, 17, 89}, 5, false, 17},  // but not on five
      {{1, 13}, 5, false, 13},       // nothing natural: the black three before the joker
      {{44, 49, 50}, 2, true, 44},   // the human's eights guard the robot's pair: the melded seven
      {{44, 49, 50}, 2, false, 49},  // the pair nobody has melded goes first
  };
  for (const auto& [hand, pile, humanEights, discarded] : cases) {
    Position(0, hand);
    Meld(Robot, 7, 41, 3);
    if (humanEights) Meld(Human, 8, 51, 3);
    Discards(65, pile);
    EXPECT_EQ(Discarded(), discarded) << hand[0] << " on " << pile;
  }

  // Three aces meld out; then nothing is discarded.
  Position(0, {97, 98, 99});
  EXPECT_EQ(Melds(), (Cards{97, 98, 99}));
  EXPECT_EQ(Discarded(), 0);

  // One card and no canasta: neither melded nor discarded.
  Position(0, {89});
  Meld(Robot, RankAce, 97, 3);
  Discards(57, 2);
  EXPECT_EQ(Melds(), Cards{});
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player your opponent cannot Meld 1 card as no Canasta made.");
  EXPECT_EQ(Discarded(), 0);
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  your opponent cannot discard at present- no Canasta");
}

TEST_F(RobotTest, MeldingMovesEachCardTowardsTheMelds) {
  Position(0, {3, 89, 90, 91, 92, 25});
  Watch();
  game.MeldAllOfRank(Robot, 13);
  // Each card shows 1000 below the hand, then the layout's card sound.
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps[0].Delay, 550);
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(std::make_pair(steps[2 * k].Card, steps[2 * k].Top), std::make_pair(89 + k, 1360));
  game.MeldWildCard(3, 13, Robot);  // a wild card lies at the wild row
  EXPECT_EQ(At(3), Pos(12480, 2520));
}

}  // namespace
