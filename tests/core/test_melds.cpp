// Meld layout, meld labels and the minimum first meld.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

class MeldTest : public TableTest {
 protected:
  MeldTest() { EmptyTable(); }
  // Books the k-th to (k+n-1)-th natural card of a rank into the player's meld.
  void Meld(int player, int rank, int n, int k = 0) {
    for (int i = k; i < k + n; ++i) game.MeldCard(CardOf(rank, i), rank, player);
    game.LayOutMelds(player);
  }
  std::pair<std::string, int> Label(int rank, int player = Human) const {
    const auto& l = player == Human ? game.Table.lblMelds[rank] : game.Table.lblMeldsC[rank];
    return {l.Caption, l.BackColor};
  }
};

TEST_F(MeldTest, RequirementFollowsGameScoreAndMustBeExceeded) {
  const std::pair<int, int> table[] = {{-10, 15},  {0, 50},    {1495, 50}, {1497, 50},
                                       {1500, 90}, {2995, 90}, {2997, 90}, {3000, 120}};
  for (auto [score, need] : table) {
    game.GameScore[Human] = score;
    game.CheckMinimumMeld(Human);
    EXPECT_EQ(game.MinMeld[Human], need) << "game score " << score;
  }
  EXPECT_EQ(game.Table.LblMinMeld.Caption, "PlayerMinimum Meld: 120");

  // Five tens are exactly 50 against 50: not met, and nothing is missing.
  game.GameScore[Human] = 0;
  Meld(Human, RankTen, 5);
  EXPECT_EQ(game.Table.LblMinMeld.Caption, "PlayerMinimum Meld: 0");
  Meld(Human, RankTen, 1, 5);
  EXPECT_EQ(game.Table.LblMinMeld.Caption, "PlayerMinimum Meld Met: ");
}

TEST_F(MeldTest, ColumnsWildRowLabelsAndCanastas) {
  const int k0 = CardOf(RankKing), joker = CardOf(RankJoker), two = CardOf(RankTwo);
  Meld(Human, RankKing, 3);
  EXPECT_EQ(Label(RankKing), std::make_pair(std::string("Pure:- 3 Wild:-0"), PureMeldColor));
  // A started meld of two cards keeps the new-hand label and is unfinished.
  Meld(Human, RankQueen, 2);
  EXPECT_EQ(Label(RankQueen).first, "NoMelds");
  EXPECT_FALSE(game.MeldsComplete(Human));

  // Wild cards lie on one spot at the wild row and push the naturals down.
  game.MeldWildCard(two, RankKing, Human);
  game.MeldWildCard(joker, RankKing, Human);
  EXPECT_EQ(Label(RankKing), std::make_pair(std::string("Mixed:- 5 Wild:-2"), MixedMeldColor));
  const int kings = MeldColumnLeft(RankKing);
  EXPECT_EQ(At(joker), Pos(kings, HumanWildRowTop));
  EXPECT_EQ(At(two), Pos(kings, HumanWildRowTop));
  EXPECT_EQ(At(k0 + 2), Pos(kings, HumanMeldRowTop + 4 * MeldCardStep));

  // Melded black threes have their own column; the fours still start at the top.
  for (int k = 0; k < 3; ++k) game.MeldCard(CardOf(RankBlackThree, k), RankBlackThree, Human);
  Meld(Human, RankFour, 3);
  EXPECT_EQ(At(CardOf(RankBlackThree, 2)),
            Pos(MeldColumnLeft(RankBlackThree), HumanMeldRowTop + 2 * MeldCardStep));
  EXPECT_EQ(At(CardOf(RankFour)), Pos(MeldColumnLeft(RankFour), HumanMeldRowTop));

  Meld(Human, RankSeven, 7);
  EXPECT_EQ(Label(RankSeven),
            std::make_pair(std::string(" Pure Canasta 7 Wild:-0"), PureCanastaColor));
  game.MeldWildCard(CardOf(RankTwo, 1), RankSeven, Human);
  EXPECT_EQ(Label(RankSeven),
            std::make_pair(std::string(" Mixed Canasta 8 Wild:-1"), MixedCanastaColor));

  // The robot melds in the upper half and labels lblMeldsC only.
  Meld(Robot, RankAce, 3);
  EXPECT_EQ(At(CardOf(RankAce, 2)),
            Pos(MeldColumnLeft(RankAce), RobotMeldRowTop + 2 * MeldCardStep));
  EXPECT_EQ(Label(RankAce, Robot).first, "Pure:- 3 Wild:-0");
  EXPECT_EQ(Label(RankAce).first, "NoMelds");

  // While the hand is handed over the layout changes nothing.
  game.NextHandGo = true;
  game.Table.PicCards[k0].Left = 0;
  game.MeldInfo[Human][RankKing].Count = 7;
  game.LayOutMelds(Human);
  EXPECT_EQ(At(k0).first, 0);
  EXPECT_EQ(Label(RankKing).first, "Mixed:- 5 Wild:-2");
}

}  // namespace
