// The robot's decisions on laid-out positions. Card numbers: jokers 1-4, twos 5-12, black
// threes 13-16, then eight of each rank from fours (17) up, kings 89-96, aces 97-104.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ScriptedHost.h"
#include "state/Game.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

// A scripted host that also reports every pause, so a test sees each card move.
struct WatchedHost : ScriptedHost {
  using ScriptedHost::ScriptedHost;
  std::function<void()> onPause;
  void WaitUntil(std::int64_t deadline) override {
    ScriptedHost::WaitUntil(deadline);
    if (onPause) onPause();
  }
};

// One pause: its length, and the card picture on top with its Top and image.
struct Step {
  int Delay, Card, Top, Image;
};

class RobotTest : public ::testing::Test {
 protected:
  RobotTest() : host(7), game(host) {
    game.PaceSetting = 300;
    host.onPause = [this] {
      int front = 1;
      for (int c = 1; c <= CardCount; ++c) {
        if (game.Table.PicCards[c].ZOrder > game.Table.PicCards[front].ZOrder) front = c;
        if (game.Cards[c].Place == PlaceRobotMeld && !seen[c]) seen[c] = true, melded.push_back(c);
      }
      const auto& pic = game.Table.PicCards[front];
      steps.push_back({game.Delay, front, pic.Top, pic.Image});
    };
  }

  // A fresh hand in which the robot holds `hand` and the other cards lie in the stock.
  void Position(int robotScore, std::vector<int> hand) {
    game.HandInPlay = false;
    game.NewHandReset();
    game.HandInPlay = true;
    game.GameScore[Robot] = robotScore;
    for (int c : hand) game.Cards[c].Place = PlaceRobotHand;
    game.HandLayout(Robot);
    game.ShowStock();
  }
  void Meld(int player, int rank, int first, int n) {
    for (int c = first; c < first + n; ++c) game.MeldCard(c, rank, player);
    game.LayOutMelds(player);
  }
  void Pile(int first, int n) {
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
  void RobotMelds() {
    Watch();
    game.RobotMelds();
  }
  int Discarded() {
    const int pile = game.DiscardCount;
    game.RobotDiscard();
    return game.DiscardCount == pile + 1 ? game.UpCard : 0;
  }
  const MeldItems& RobotMeld(int rank) { return game.MeldInfo[Robot][rank]; }

  WatchedHost host;
  Game game;
  std::vector<Step> steps;
  std::vector<int> melded;  // the robot's newly melded cards, in the order they arrived
  bool seen[CardCount + 1] = {};
};

TEST_F(RobotTest, MeldsTriplesAcesFirstOnlyWhenTheyReachTheRequirement) {
  // A A A and 5 5 5 are worth 75: enough against 50, not against 90.
  Position(0, {97, 98, 99, 25, 26, 27, 89, 57});
  RobotMelds();
  EXPECT_EQ(melded, (std::vector<int>{97, 98, 99, 25, 26, 27}));
  EXPECT_TRUE(game.MinMeldMet[Robot]);
  EXPECT_EQ(game.HandCount[Robot], 2);

  Position(1500, {97, 98, 99, 25, 26, 27, 89, 57});
  RobotMelds();
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(game.HandCount[Robot], 8);
}

TEST_F(RobotTest, MeldsOutWithThreeAcesAndThenDiscardsNothing) {
  Position(0, {97, 98, 99});
  Pile(57, 2);
  RobotMelds();
  EXPECT_EQ(melded, (std::vector<int>{97, 98, 99}));
  EXPECT_EQ(game.HandCount[Robot], 0);
  EXPECT_EQ(Discarded(), 0);
  EXPECT_EQ(game.UpCard, 58);
}

TEST_F(RobotTest, TwoJokersOnFiveNinesMakeAMixedCanasta) {
  // A score below 0 asks for 15, so the nines alone have met the minimum meld.
  Position(-100, {1, 2, 89, 17});
  Meld(Robot, 9, 57, 5);
  RobotMelds();
  EXPECT_EQ(melded, (std::vector<int>{1, 2}));
  EXPECT_EQ(RobotMeld(9).Count, 7);
  EXPECT_EQ(RobotMeld(9).WildCount, 2);
  EXPECT_TRUE(game.HasCanasta[Robot]);
  EXPECT_EQ(game.Table.lblMeldsC[9].Caption, " Mixed Canasta 7 Wild:-2");
  EXPECT_EQ(game.MixedCanastas[Robot], 1);
}

TEST_F(RobotTest, TwosJoinSmallMeldsWithinTheRatioOrACanastaNearTheEnd) {
  // Four kings and two twos, no canasta: one two only.
  Position(-100, {5, 6, 25, 33, 41});
  Meld(Robot, 13, 89, 4);
  RobotMelds();
  EXPECT_EQ(melded, (std::vector<int>{5}));

  // Two kings and two twos already: a third wild card would outnumber the naturals.
  Position(-100, {7, 25, 33});
  Meld(Robot, 13, 89, 2);
  game.MeldWildCard(5, 13, Robot);
  game.MeldWildCard(6, 13, Robot);
  RobotMelds();
  EXPECT_TRUE(melded.empty());

  // A canasta and three cards left: the second wild card step takes a two too.
  Position(-100, {5, 6, 25});
  Meld(Robot, 13, 89, 7);
  RobotMelds();
  EXPECT_EQ(melded, (std::vector<int>{5}));
}

TEST_F(RobotTest, LaysOffANaturalOntoItsMeld) {
  Position(0, {100, 89, 25});
  Meld(Robot, RankAce, 97, 3);
  RobotMelds();
  EXPECT_EQ(melded, (std::vector<int>{100}));
  EXPECT_EQ(RobotMeld(RankAce).Count, 4);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front().Delay, 800);
}

TEST_F(RobotTest, BlackThreeGoesFirstOnlyOnABigPile) {
  Position(0, {13, 17, 89});
  Pile(65, 6);
  EXPECT_EQ(Discarded(), 13);

  Position(0, {13, 17, 89});
  Pile(65, 5);
  EXPECT_EQ(Discarded(), 17);

  // Nothing natural left: the black three goes before the joker.
  Position(0, {1, 13});
  Pile(65, 5);
  EXPECT_EQ(Discarded(), 13);
}

TEST_F(RobotTest, DiscardPassesWeighWhoHasMeldedTheRank) {
  // The human's eights guard the robot's pair of eights, so the melded seven goes.
  Position(0, {44, 49, 50});
  Meld(Robot, 7, 41, 3);
  Meld(Human, 8, 51, 3);
  EXPECT_EQ(Discarded(), 44);

  // Without the human's eights the pair nobody has melded goes first.
  Position(0, {44, 49, 50});
  Meld(Robot, 7, 41, 3);
  EXPECT_EQ(Discarded(), 49);
}

TEST_F(RobotTest, OneCardWithoutCanastaIsNeitherMeldedNorDiscarded) {
  Position(0, {89});
  Meld(Robot, RankAce, 97, 3);
  Pile(57, 2);
  RobotMelds();
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player your opponent cannot Meld 1 card as no Canasta made.");
  EXPECT_EQ(Discarded(), 0);
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  your opponent cannot discard at present- no Canasta");
  EXPECT_EQ(game.Cards[89].Place, PlaceRobotHand);
  EXPECT_TRUE(steps.empty());
}

TEST_F(RobotTest, MeldAllOfRankMovesEachCardInTurn) {
  Position(0, {89, 90, 91, 92, 25});
  Watch();
  game.MeldAllOfRank(Robot, 13);
  // Each card shows its face 1000 below the hand, then the layout's card sound.
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps[0].Delay, 550);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(steps[2 * k].Card, 89 + k);
    EXPECT_EQ(steps[2 * k].Top, 360 + 1000);
    EXPECT_EQ(steps[2 * k].Image, 89 + k);
    EXPECT_EQ(steps[2 * k + 1].Delay, 1);
  }
  EXPECT_EQ(RobotMeld(13).Count, 4);
  EXPECT_EQ(game.Delay, 300);

  Position(0, {25, 33});
  Watch();
  game.MeldAllOfRank(Robot, 13);
  EXPECT_TRUE(steps.empty());
  EXPECT_FALSE(RobotMeld(13).Started);
  EXPECT_EQ(game.HandCount[Robot], 2);
}

TEST_F(RobotTest, WildCardTakesTheMeldsRankAndMakesItMixed) {
  Position(0, {3, 25});
  Meld(Robot, 9, 57, 3);
  Watch();
  game.MeldWildCard(3, 9, Robot);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front().Top, 360 + 600);
  EXPECT_EQ(game.Cards[3].Rank, 9);
  EXPECT_EQ(RobotMeld(9).WildCount, 1);
  EXPECT_GE(RobotMeld(9).WildMark, 1);
  EXPECT_EQ(game.Table.PicCards[3].Left, 8160);
  EXPECT_EQ(game.Table.PicCards[3].Top, 2520);

  // A pure canasta of kings turns mixed, with the smaller bonus.
  Position(0, {5, 25});
  Meld(Robot, 13, 89, 7);
  EXPECT_EQ(game.Table.lblMeldsC[13].Caption, " Pure Canasta 7 Wild:-0");
  EXPECT_EQ(game.BonusPoints[Robot], 500);
  game.MeldWildCard(5, 13, Robot);
  EXPECT_EQ(game.Table.lblMeldsC[13].Caption, " Mixed Canasta 8 Wild:-1");
  EXPECT_EQ(game.Table.lblMeldsC[13].BackColor, RGB(128, 255, 255));
  EXPECT_EQ(game.BonusPoints[Robot], 300);
}

}  // namespace
