// Meld layout, meld labels and the minimum first meld.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

class MeldTest : public TableTest {
 protected:
  MeldTest() {
    game.PlayerName = "Ann";
    game.RobotName = "Robo";
    EmptyTable();
  }
  // Books the k-th to (k+n-1)-th natural card of a rank into the player's meld.
  void Meld(int player, int rank, int n, int k = 0) {
    for (int i = k; i < k + n; ++i) {
      game.MeldCard(CardOf(rank, i), rank, player);
      game.LayOutMelds(player);
    }
  }
  std::pair<int, int> At(int c) const {
    return {game.Table.PicCards[c].Left, game.Table.PicCards[c].Top};
  }
  std::pair<std::string, int> Label(int rank, int player = Human) const {
    const auto& l = player == Human ? game.Table.lblMelds[rank] : game.Table.lblMeldsC[rank];
    return {l.Caption, l.BackColor};
  }
  const std::string& MinMeldLabel() const { return game.Table.LblMinMeld.Caption; }
};

TEST_F(MeldTest, RequirementFollowsGameScoreAndMustBeExceeded) {
  const std::pair<int, int> table[] = {{-10, 15},  {0, 50},    {1495, 50}, {1497, 50},
                                       {1500, 90}, {2995, 90}, {2997, 90}, {3000, 120}};
  for (auto [score, need] : table) {
    game.GameScore[Human] = score;
    game.CheckMinimumMeld(Human);
    EXPECT_EQ(game.MinMeld[Human], need) << "game score " << score;
    EXPECT_EQ(MinMeldLabel(), "AnnMinimum Meld: " + std::to_string(need));
  }

  // Five tens are exactly 50 against 50: not met, and nothing is missing.
  game.GameScore[Human] = 0;
  Meld(Human, 10, 4);
  EXPECT_EQ(MinMeldLabel(), "AnnMinimum Meld: 10");
  Meld(Human, 10, 1, 4);
  EXPECT_FALSE(game.MinMeldMet[Human]);
  EXPECT_EQ(MinMeldLabel(), "AnnMinimum Meld: 0");
  Meld(Human, 10, 1, 5);
  EXPECT_TRUE(game.MinMeldMet[Human]);
  EXPECT_EQ(game.MinMeld[Human], 0);
  EXPECT_EQ(MinMeldLabel(), "AnnMinimum Meld Met: ");
  game.CheckMinimumMeld(Human);
  EXPECT_EQ(MinMeldLabel(), "AnnMinimum Meld Met");

  // The robot's label has its own texts; red threes laid down are no melds.
  Put(PlaceRobotRedThree, {105, 106});
  Meld(Robot, RankAce, 2);
  EXPECT_EQ(MinMeldLabel(), "RoboMinimum Meld: 10");
  Meld(Robot, RankAce, 1, 2);
  EXPECT_EQ(MinMeldLabel(), "RoboMinimum Meld Met ");
  game.CheckMinimumMeld(Robot);
  EXPECT_EQ(MinMeldLabel(), "RoboMinimum Meld Met");
}

TEST_F(MeldTest, ColumnsWildRowAndLabelsOfTheHuman) {
  const int k0 = CardOf(RankKing), joker = 1, two = 5;
  Meld(Human, RankKing, 3);
  // A started meld of two cards keeps the new-hand label and is unfinished.
  Meld(Human, 12, 2);
  EXPECT_EQ(Label(12), std::make_pair(std::string("NoMelds"), RGB(192, 255, 192)));
  EXPECT_FALSE(game.MeldsComplete(Human));

  // Wild cards lie on one spot at the wild row, behind the naturals they push down.
  game.MeldWildCard(two, RankKing, Human);
  game.MeldWildCard(joker, RankKing, Human);
  EXPECT_EQ(Label(RankKing), std::make_pair(std::string("Mixed:- 5 Wild:-2"), RGB(192, 192, 255)));
  EXPECT_EQ(At(joker), std::make_pair(12480, 5640));
  EXPECT_EQ(At(two), std::make_pair(12480, 5640));
  EXPECT_EQ(At(k0), std::make_pair(12480, 5960));
  EXPECT_EQ(At(k0 + 2), std::make_pair(12480, 6040));
  const auto& pic = game.Table.PicCards;
  EXPECT_LT(pic[two].ZOrder, pic[k0].ZOrder);

  // Melded black threes have their own column; the fours still start at the top.
  for (int c = 13; c <= 15; ++c) game.MeldCard(c, RankBlackThree, Human);
  Meld(Human, RankFour, 3);
  EXPECT_EQ(At(15), std::make_pair(14640, 5960));
  EXPECT_EQ(At(CardOf(RankFour)), std::make_pair(2760, 5880));
  EXPECT_EQ(Label(RankBlackThree).first, "Pure:- 3 Wild:-0");
}

TEST_F(MeldTest, CanastasAndTheRobotsHalf) {
  Meld(Human, RankSeven, 6);
  EXPECT_FALSE(game.HasCanasta[Human]);
  Meld(Human, RankSeven, 1, 6);
  EXPECT_TRUE(game.HasCanasta[Human]);
  EXPECT_EQ(Label(RankSeven),
            std::make_pair(std::string(" Pure Canasta 7 Wild:-0"), RGB(255, 0, 0)));
  Meld(Human, RankSeven, 1, 7);
  EXPECT_TRUE(game.HasCanasta[Human]);

  Meld(Human, 5, 6);
  game.MeldWildCard(5, 5, Human);
  Meld(Human, 5, 1, 6);
  EXPECT_EQ(Label(5), std::make_pair(std::string(" Mixed Canasta 8 Wild:-1"), RGB(128, 255, 255)));

  // The robot melds in the upper half and labels lblMeldsC only.
  Meld(Robot, RankAce, 3);
  game.MeldWildCard(1, RankAce, Robot);
  EXPECT_EQ(At(1), std::make_pair(13560, 2520));
  EXPECT_EQ(At(CardOf(RankAce)), std::make_pair(13560, 2800));
  EXPECT_EQ(At(CardOf(RankAce, 2)), std::make_pair(13560, 2880));
  EXPECT_EQ(Label(RankAce, Robot).first, "Mixed:- 4 Wild:-1");
  EXPECT_EQ(Label(RankAce).first, "NoMelds");
}

TEST_F(MeldTest, LayoutWaitsWhileTheHandIsHandedOver) {
  Meld(Human, RankKing, 3);
  const int king = CardOf(RankKing);
  game.NextHandGo = true;
  game.Table.PicCards[king].Left = 0;
  game.MeldInfo[Human][RankKing].Count = 7;
  const auto sounds = host.sounds.size();
  const auto z = game.Table.ZCounter;
  game.LayOutMelds(Human);
  EXPECT_EQ(At(king).first, 0);
  EXPECT_EQ(Label(RankKing).first, "Pure:- 3 Wild:-0");
  EXPECT_EQ(host.sounds.size(), sounds);
  EXPECT_EQ(game.Table.ZCounter, z);
}

}  // namespace
