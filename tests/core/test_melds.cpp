// Meld layout, meld labels and the minimum first meld.
#include <gtest/gtest.h>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace larkspur::testing::cards;

namespace {

using Look = std::pair<std::string, int>;  // a label's caption and colour

class MeldTest : public TableTest {
 protected:
  MeldTest() { EmptyTable(); }
  Look Label(int rank, int player = Human) const {
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
  Melded(Human, RankTen, 5);
  EXPECT_EQ(game.Table.LblMinMeld.Caption, "PlayerMinimum Meld: 0");
  Melded(Human, RankTen, 1, 5);
  EXPECT_EQ(game.Table.LblMinMeld.Caption, "PlayerMinimum Meld Met: ");
}

TEST_F(MeldTest, ColumnsWildRowLabelsAndCanastas) {
  Melded(Human, RankKing, 3);
  EXPECT_EQ(Label(RankKing), Look("Pure:- 3 Wild:-0", PureMeldColor));
  // A started meld of two cards keeps the new-hand label and is unfinished.
  Melded(Human, RankQueen, 2);
  EXPECT_EQ(Label(RankQueen).first, "NoMelds");
  EXPECT_FALSE(game.MeldsComplete(Human));

  // Wild cards lie on one spot at the wild row and push the naturals down.
  game.MeldWildCard(Two, RankKing, Human);
  game.MeldWildCard(Joker, RankKing, Human);
  EXPECT_EQ(Label(RankKing), Look("Mixed:- 5 Wild:-2", MixedMeldColor));
  const int kings = MeldColumnLeft(RankKing);
  EXPECT_EQ(std::vector({At(Joker), At(Two), At(King + 2)}),
            std::vector<Pos>({{kings, HumanWildRowTop},
                              {kings, HumanWildRowTop},
                              {kings, HumanMeldRowTop + 4 * MeldCardStep}}));

  // Melded black threes have their own column; the fours still start at the top.
  for (int k = 0; k < 3; ++k) game.MeldCard(BlackThree + k, RankBlackThree, Human);
  Melded(Human, RankFour, 3);
  EXPECT_EQ(std::pair(At(BlackThree + 2), At(Four)),
            std::pair(Pos(MeldColumnLeft(RankBlackThree), HumanMeldRowTop + 2 * MeldCardStep),
                      Pos(MeldColumnLeft(RankFour), HumanMeldRowTop)));

  Melded(Human, RankSeven, 7);
  EXPECT_EQ(Label(RankSeven), Look(" Pure Canasta 7 Wild:-0", PureCanastaColor));
  game.MeldWildCard(Two + 1, RankSeven, Human);
  EXPECT_EQ(Label(RankSeven), Look(" Mixed Canasta 8 Wild:-1", MixedCanastaColor));

  // The robot melds in the upper half and labels lblMeldsC only.
  Melded(Robot, RankAce, 3);
  EXPECT_EQ(At(Ace + 2), Pos(MeldColumnLeft(RankAce), RobotMeldRowTop + 2 * MeldCardStep));
  EXPECT_EQ((Texts{Label(RankAce, Robot).first, Label(RankAce).first}),
            (Texts{"Pure:- 3 Wild:-0", "NoMelds"}));

  // While the hand is handed over the layout changes nothing.
  game.NextHandGo = true;
  game.Table.PicCards[King].Left = 0;
  game.MeldInfo[Human][RankKing].Count = 7;
  game.LayOutMelds(Human);
  EXPECT_EQ(At(King).first, 0);
  EXPECT_EQ(Label(RankKing).first, "Mixed:- 5 Wild:-2");
}

}  // namespace
