// The discard pile's picture and state, taking and giving back the pile, and
// the scores of a hand.
#include <gtest/gtest.h>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

class PileTest : public TableTest {
 protected:
  void SetUp() override { EmptyTable(); }
};

TEST_F(PileTest, DiscardColoursThePileForThePlayerWhoMovesNext) {
  const int seven = CardOf(RankSeven), three = CardOf(RankBlackThree), two = CardOf(RankTwo);
  Pile({CardOf(RankFive)}, CardOf(RankFive));
  Put(PlaceHumanHand, {three, CardOf(RankEight), CardOf(RankNine), CardOf(RankBlackThree, 1)});
  Put(PlaceRobotHand, {seven, CardOf(RankSeven, 1), CardOf(RankSeven, 2), two});
  game.MinMeldMet[Robot] = true;
  std::vector<int> colours;
  auto discard = [&](int player, int card) {
    game.DiscardCard(player, card);
    colours.push_back(game.Table.Shape1.BorderColor);
  };
  discard(Human, three);              // black three on top
  discard(Human, CardOf(RankEight));  // the robot has met the minimum meld
  discard(Robot, seven);              // the human has not
  game.MinMeldMet[Human] = true;
  discard(Robot, CardOf(RankSeven, 1));
  discard(Robot, two);  // a wild card in the pile freezes it for both
  discard(Human, CardOf(RankNine));
  discard(Human, CardOf(RankBlackThree, 1));
  EXPECT_EQ(colours, std::vector({PileBlocked, PileOpen, PileFrozen, PileOpen, PileFrozen,
                                  PileFrozen, PileBlocked}));
  // Fanned up and to the right in card order, the wild card raised, the up card
  // on top, as high as a ninth card would lie.
  auto fanned = [](int k) { return Pos(PileLeft + k * PileFanStep, PileTop - k * PileFanStep); };
  EXPECT_EQ(std::vector({At(two), At(CardOf(RankFive)), At(seven), At(CardOf(RankBlackThree, 1))}),
            (std::vector<Pos>{{PileLeft, PileTop - PileWildRaise},
                              fanned(3),
                              fanned(4),
                              {fanned(2).first, fanned(8).second}}));
}

TEST_F(PileTest, MayTakePileFollowsThePileStateAndTheHand) {
  const int seven = CardOf(RankSeven), king = CardOf(RankKing);
  Pile({seven}, seven);
  Put(PlaceHumanHand, {CardOf(RankSeven, 1), CardOf(RankJoker)});
  Put(PlaceRobotHand, {CardOf(RankSeven, 2), CardOf(RankSeven, 3)});
  auto may = [&](int colour, int player) {
    game.Table.Shape1.BorderColor = colour;
    return game.MayTakePile(player);
  };
  // A seven and a joker take only an open pile; a natural pair a frozen one too.
  EXPECT_EQ(std::vector({may(PileFrozen, Human), may(PileOpen, Human), may(PileFrozen, Robot),
                         may(PileBlocked, Robot)}),
            std::vector({false, true, true, false}));
  // A king meld already made takes an open pile with no king in hand, not a frozen one.
  Pile({king}, king);
  game.MeldInfo[Human][RankKing].Started = true;
  EXPECT_EQ(std::vector({may(PileOpen, Human), may(PileFrozen, Human)}),
            std::vector({true, false}));
  // Nothing takes an up card already taken.
  Put(PlaceHumanMeld, {king});
  Put(PlaceHumanHand, {CardOf(RankKing, 1), CardOf(RankKing, 2)});
  EXPECT_FALSE(may(PileFrozen, Human));
}

TEST_F(PileTest, RobotTakesThePileWithOneNaturalAndATwo) {
  for (int k = 0; k < 6; ++k) game.MeldCard(CardOf(RankKing, k), RankKing, Robot);
  const int top = CardOf(RankSeven), seven = CardOf(RankSeven, 1), two = CardOf(RankTwo);
  Pile({CardOf(RankNine), top}, top);
  Put(PlaceRobotHand, {two, CardOf(RankTwo, 1), seven, CardOf(RankTen)});
  game.Table.Shape1.BorderColor = PileOpen;
  ASSERT_TRUE(game.MayTakePile(Robot) && game.MinMeldMet[Robot]);
  game.TakePileTop(Robot);
  EXPECT_EQ(Places({top, seven, two, CardOf(RankTwo, 1), CardOf(RankNine)}),
            std::vector<int>(
                {PlaceRobotMeld, PlaceRobotMeld, PlaceRobotMeld, PlaceRobotHand, PlaceRobotHand}));
}

// The human takes an open pile topped by a four, holding two fours, a two and
// three aces: the fours and the two make 35, short of the minimum of 50.
class HumanTakesPile : public PileTest {
 protected:
  void SetUp() override {
    EmptyTable();
    Pile({king, four}, four);
    Put(PlaceHumanHand, {two, CardOf(RankFour, 1), CardOf(RankFour, 2), CardOf(RankAce),
                         CardOf(RankAce, 1), CardOf(RankAce, 2), CardOf(RankNine)});
    game.Table.Shape1.BorderColor = PileOpen;
    HumanToDraw();
    game.CheckMinimumMeld(Human);
  }
  void TakeAndMeldFours() {
    game.PicCards_MouseDown(four);
    ASSERT_EQ(At(four), Pos(MeldColumnLeft(RankFour),
                            HumanMeldRowTop));  // in its meld, not drawn back onto the pile
    for (int c : {CardOf(RankFour, 1), CardOf(RankFour, 2), two}) game.PicCards_MouseDown(c);
    game.LblHeadings_Click(RankFour);
    ASSERT_EQ(game.MeldInfo[Human][RankFour].Count, 4);
  }
  void MeldAces() {
    for (int k = 0; k < 3; ++k) game.PicCards_MouseDown(CardOf(RankAce, k));
  }
  const int four = CardOf(RankFour), king = CardOf(RankKing), two = CardOf(RankTwo);
};

TEST_F(HumanTakesPile, RestOfThePileComesOnceTheMinimumMeldIsMet) {
  TakeAndMeldFours();
  EXPECT_TRUE(game.PlayerPileDue && game.Cards[king].Place == PlacePile);
  MeldAces();
  EXPECT_TRUE(!game.PlayerPileDue && game.Cards[king].Place == PlaceHumanHand);
  EXPECT_EQ(host.MessageTitles(), Texts{"Discards coming to hand"});
  // Met already: the next take brings the pile at once, with no dialog.
  Pile({CardOf(RankTen), king}, king);
  Put(PlaceHumanHand, {CardOf(RankKing, 1), CardOf(RankKing, 2)});
  HumanToDraw();
  game.PicCards_MouseDown(king);
  EXPECT_EQ(Places({king, CardOf(RankTen)}), std::vector<int>({PlaceHumanMeld, PlaceHumanHand}));
  EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(HumanTakesPile, TakeBackReturnsTheTopCardWithOnePenaltyAndReopensTheDraw) {
  TakeAndMeldFours();
  game.LblReturnPack_Click();
  EXPECT_EQ(host.MessageTitles(), Texts{"Cards taken back"});
  EXPECT_EQ(game.Table.LblBonusScore[Human].Caption, "Bonus Pts. -50");
  // The four is the pile's top card again; the rest is back in the hand.
  EXPECT_EQ(Places({four, two, CardOf(RankFour, 1), CardOf(RankFour, 2)}),
            std::vector<int>({PlacePile, PlaceHumanHand, PlaceHumanHand, PlaceHumanHand}));
  EXPECT_EQ(game.MeldInfo[Human][RankFour].Count + game.MeldInfo[Human][RankFour].WildCount, 0);
  // Nothing was drawn this turn: the human is back in the drawing phase.
  EXPECT_TRUE(game.PlayerTurnOpen && !game.PlayerHasDrawn && !game.PlayerPileDue);
  EXPECT_FALSE(game.Table.LblDiscarding.Visible || game.Table.LblReturnPack.Visible);
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  click the Discard pack or click Stock for two cards.");
  // Drawing and then meeting the minimum meld leaves the pile where it is.
  game.PicCards_MouseDown(CardOf(RankQueen));
  MeldAces();
  EXPECT_TRUE(game.MinMeldMet[Human]);
  EXPECT_EQ(Places({four, king}), std::vector<int>({PlacePile, PlacePile}));
  EXPECT_EQ(Shown("Discards coming to hand"), 0);
}

TEST_F(HumanTakesPile, TakeBackOfHandMeldsOnlyKeepsTheHumanMelding) {
  Put(PlaceHumanHand, {CardOf(RankFour, 3)});
  HumanToMeld();
  for (int k = 1; k <= 3; ++k) game.PicCards_MouseDown(CardOf(RankFour, k));
  ASSERT_EQ(game.MeldInfo[Human][RankFour].Count, 3);
  game.LblReturnPack_Click();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(game.PenaltyPoints + CountAt(PlaceHumanMeld), 0);
  EXPECT_TRUE(game.PlayerHasDrawn && !game.PlayerTurnOpen && game.Table.LblDiscarding.Visible);
}

TEST_F(PileTest, BonusesCountRedThreesCanastasAndThePenaltyOnce) {
  auto bonus = [&](int p) {
    game.CountBonuses(p);
    return game.BonusPoints[p];
  };
  Put(PlaceHumanRedThree, {CardOf(RankRedThree)});
  game.MeldInfo[Human][RankBlackThree].Started = true;  // no natural meld
  EXPECT_EQ(bonus(Human), -100);
  game.MeldInfo[Human][RankAce].Started = true;
  EXPECT_EQ(bonus(Human), 100);
  Put(PlaceHumanRedThree,
      {CardOf(RankRedThree, 1), CardOf(RankRedThree, 2), CardOf(RankRedThree, 3)});
  EXPECT_EQ(bonus(Human), 800);
  game.MeldInfo[Human][RankAce].Started = false;
  EXPECT_EQ(bonus(Human), -800);
  EXPECT_EQ(game.Table.lblMelds[RankRedThree].Caption, "Pts. -800");
  // A pure and a mixed canasta and two red threes; black threes make no
  // canasta, and the human's penalty is not the robot's.
  Put(PlaceRobotRedThree, {CardOf(RankRedThree, 2), CardOf(RankRedThree, 3)});
  game.MeldInfo[Robot][RankKing] = {7, 0, 0, false, true};
  game.MeldInfo[Robot][RankAce] = {8, 2, 3, true, true};
  game.MeldInfo[Robot][RankBlackThree] = {7, 0, 0, false, true};
  game.PenaltyPoints = 50;
  EXPECT_EQ(bonus(Robot), 500 + 300 + 200);
  // The penalty counts once however often the bonuses are counted again.
  Put(PlaceStock, {CardOf(RankRedThree), CardOf(RankRedThree, 1)});
  game.MeldInfo[Human][RankSeven] = {7, 1, 1, true, true};
  bonus(Human);
  EXPECT_EQ(bonus(Human), 300 - 50);
}

// The results frame is answered with "&Carry On" once it has been read.
class HandResult : public PileTest {
 protected:
  void SetUp() override {
    EmptyTable();
    host.onIdle = [this] {
      ASSERT_TRUE(game.Table.FramResults.Visible);
      game.cmdNew_Click();
    };
  }
  Texts Column(int p) const {
    const auto& t = game.Table;
    Texts v;
    for (const auto* row : {&t.CardPoints, &t.RThreesPoints, &t.MixedCans, &t.PureCans, &t.OutFirst,
                            &t.MinusPoints, &t.PointsTotal, &t.LblGamePoints})
      v.push_back((*row)[p].Caption);
    return v;
  }
};

TEST_F(HandResult, HumanWhoWentOutWinsAndSeesTheRobotsHand) {
  for (int k = 0; k < 7; ++k) game.MeldCard(CardOf(RankKing, k), RankKing, Human);
  Put(PlaceHumanRedThree, {CardOf(RankRedThree)});
  for (int k = 0; k < 6; ++k) game.MeldCard(CardOf(RankSeven, k), RankSeven, Robot);
  game.MeldWildCard(CardOf(RankTwo), RankSeven, Robot);
  Put(PlaceRobotHand, {CardOf(RankAce), CardOf(RankAce, 1), CardOf(RankJoker)});
  game.GameScore = {0, 1000, 2000};
  game.PenaltyPoints = 50;
  game.ShowHandResult();
  // 500 pure + 100 red three - 50 penalty + 100 out + 70 melded.
  EXPECT_EQ(Column(Human), (Texts{"70", "100", "0", "500", "100", " - 0", "720", "1720"}));
  EXPECT_EQ(Column(Robot), (Texts{"50", "0", "300", "0", "", " - 90", "260", "2260"}));
  EXPECT_EQ(game.Table.PicCards[CardOf(RankJoker)].Image, CardOf(RankJoker));
  // The hand's scores are cleared once answered; the game's stay.
  EXPECT_EQ(game.Table.LblMeldScore[Human].Caption + game.Table.LblGameScore[Robot].Caption,
            "Meld Pts. 0Game Pts. 2260");
}

TEST_F(HandResult, RobotsHandStaysHiddenUnlessTheHumanWinsAndTheTargetEndsTheGame) {
  Put(PlaceHumanHand, {CardOf(RankFive)});
  Put(PlaceRobotHand, {CardOf(RankSix)});
  auto shows = [&](const std::string& status, int hidden) {
    game.ShowHandResult();
    EXPECT_EQ(game.Table.lblInfoScores.Caption, status);
    EXPECT_EQ(game.Table.PicCards[hidden].Image, BackImage);
  };
  game.GameScore = {0, 5005, 100};  // equal hands of 5 points; the human ends on 5000
  shows("Game is over - click 'Carry On' button'", CardOf(RankSix));
  game.GameScore = {0, 5004, 100};
  shows("game not over - click 'Carry On' button' or 'Exit'", CardOf(RankSix));
  game.GameScore = {0, 4000, 5015};
  Put(PlaceHumanHand, {CardOf(RankAce)});
  Put(PlaceRobotHand, {CardOf(RankKing)});
  shows("Game is over - click 'Carry On' button'", CardOf(RankKing));
  EXPECT_EQ(Column(Robot), (Texts{"0", "0", "0", "0", "", " - 15", "-15", "5000"}));
}

}  // namespace
