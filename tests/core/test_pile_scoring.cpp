// The discard pile's picture and state, taking and giving back the pile, and
// the scores of a hand.
#include <gtest/gtest.h>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace larkspur::testing::cards;

namespace {

class PileTest : public TableTest {
 protected:
  void SetUp() override { EmptyTable(); }
};

TEST_F(PileTest, DiscardColoursThePileForThePlayerWhoMovesNext) {
  Pile({Five});
  Put(PlaceHumanHand, {BlackThree, Eight, Nine, BlackThree + 1});
  Put(PlaceRobotHand, {Seven, Seven + 1, Seven + 2, Two});
  game.MinMeldMet[Robot] = true;
  std::vector<int> colours;
  auto discard = [&](int player, int card) {
    game.DiscardCard(player, card);
    colours.push_back(game.Table.Shape1.BorderColor);
  };
  discard(Human, BlackThree);  // black three on top
  discard(Human, Eight);       // the robot has met the minimum meld
  discard(Robot, Seven);       // the human has not
  game.MinMeldMet[Human] = true;
  discard(Robot, Seven + 1);
  discard(Robot, Two);  // a wild card in the pile freezes it for both
  discard(Human, Nine);
  discard(Human, BlackThree + 1);
  EXPECT_EQ(colours, std::vector({PileBlocked, PileOpen, PileFrozen, PileOpen, PileFrozen,
                                  PileFrozen, PileBlocked}));
}

// Whether the human may take the pile topped by this card, of this colour, with
// this hand; with no card of the up card's rank in hand, the kings are melded.
TEST_F(PileTest, MayTakePileFollowsThePileStateAndTheHand) {
  const std::tuple<int, int, std::vector<int>, bool> cases[] = {
      // A natural and a wild card take only an open pile; a natural pair a frozen one too.
      {Seven, PileFrozen, {Seven + 1, Joker}, false},
      {Seven, PileOpen, {Seven + 1, Joker}, true},
      {Seven, PileOpen, {Seven + 1, Five}, false},
      {Seven, PileFrozen, {Seven + 1, Seven + 2}, true},
      {Seven, PileBlocked, {Seven + 1, Seven + 2}, false},
      // A meld already made takes an open pile.
      {King, PileOpen, {}, true},
      {King, PileFrozen, {}, false},
      {0, PileFrozen, {King + 1, King + 2}, false},  // the up card has been taken
  };
  for (const auto& [up, colour, hand, may] : cases) {
    EmptyTable();
    Pile({up ? up : King}, colour);
    if (!up) Put(PlaceHumanMeld, {King});
    Put(PlaceHumanHand, hand);
    game.MeldInfo[Human][RankKing].Started = hand.empty();
    EXPECT_EQ(game.MayTakePile(Human), may) << up << " " << colour;
  }
}

// The human takes an open pile topped by a four, holding two fours, a two and
// three aces: the fours and the two make 35, short of the minimum of 50.
class HumanTakesPile : public PileTest {
 protected:
  void SetUp() override {
    EmptyTable();
    Pile({King, Four}, PileOpen);
    Put(PlaceHumanHand, {Two, Four + 1, Four + 2, Ace, Ace + 1, Ace + 2, Nine});
    HumanToDraw();
    game.CheckMinimumMeld(Human);
  }
  void TakeAndMeldFours() {
    Click(Four);
    ASSERT_EQ(At(Four), Pos(MeldColumnLeft(RankFour), HumanMeldRowTop));  // not back on the pile
    for (int c : {Four + 1, Four + 2, Two}) Click(c);
    game.LblHeadings_Click(RankFour);
    ASSERT_EQ(game.MeldInfo[Human][RankFour].Count, 4);
  }
  void MeldAces() {
    for (int c : {Ace, Ace + 1, Ace + 2}) Click(c);
  }
};

TEST_F(HumanTakesPile, RestOfThePileComesOnceTheMinimumMeldIsMet) {
  TakeAndMeldFours();
  EXPECT_TRUE(game.PlayerPileDue && Where(King) == PlacePile);
  MeldAces();
  EXPECT_TRUE(!game.PlayerPileDue && Where(King) == PlaceHumanHand);
  EXPECT_EQ(host.MessageTitles(), Texts{"Discards coming to hand"});
  // Met already: the next take brings the pile at once, with no dialog.
  Pile({Ten, King});
  Put(PlaceHumanHand, {King + 1, King + 2});
  HumanToDraw();
  Click(King);
  EXPECT_EQ(Places({King, Ten}), std::vector<int>({PlaceHumanMeld, PlaceHumanHand}));
  EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(HumanTakesPile, TakeBackReturnsTheTopCardWithOnePenaltyAndReopensTheDraw) {
  TakeAndMeldFours();
  game.LblReturnPack_Click();
  EXPECT_EQ(host.MessageTitles(), Texts{"Cards taken back"});
  EXPECT_EQ(game.Table.LblBonusScore[Human].Caption, "Bonus Pts. -50");
  // The four is the pile's top card again; the rest is back in the hand.
  EXPECT_EQ(Places({Four, Two, Four + 1, Four + 2}),
            std::vector<int>({PlacePile, PlaceHumanHand, PlaceHumanHand, PlaceHumanHand}));
  // Nothing was drawn this turn: the human is back in the drawing phase.
  EXPECT_TRUE(game.PlayerTurnOpen && !game.PlayerHasDrawn && !game.PlayerPileDue);
  EXPECT_FALSE(game.Table.LblDiscarding.Visible || game.Table.LblReturnPack.Visible);
  EXPECT_EQ(Status(), "Player  click the Discard pack or click Stock for two cards.");
  // Drawing and then meeting the minimum meld leaves the pile where it is.
  Click(Queen);
  MeldAces();
  EXPECT_TRUE(game.MinMeldMet[Human]);
  EXPECT_EQ(Places({Four, King}), std::vector<int>({PlacePile, PlacePile}));
  EXPECT_EQ(host.messages.size(), 1u);  // none says the pile is coming

  // Taking back only cards from the hand costs nothing, and the human goes on melding.
  EmptyTable();
  Put(PlaceHumanHand, {Four + 1, Four + 2, Four + 3, Nine});
  HumanToMeld();
  for (int c : {Four + 1, Four + 2, Four + 3}) Click(c);
  game.LblReturnPack_Click();
  EXPECT_EQ(host.messages.size(), 1u);  // nothing more is said
  EXPECT_EQ(game.PenaltyPoints + CountAt(PlaceHumanMeld), 0);
  EXPECT_TRUE(game.PlayerHasDrawn && !game.PlayerTurnOpen && game.Table.LblDiscarding.Visible);
}

TEST_F(PileTest, BonusesCountRedThreesCanastasAndThePenaltyOnce) {
  auto bonus = [&](int p) {
    game.CountBonuses(p);
    return game.BonusPoints[p];
  };
  // Red threes count against a player with no natural meld: black threes are none.
  Put(PlaceHumanRedThree, {RedThree});
  game.MeldInfo[Human][RankBlackThree].Started = true;
  EXPECT_EQ(bonus(Human), -100);
  game.MeldInfo[Human][RankAce].Started = true;
  EXPECT_EQ(bonus(Human), 100);
  Put(PlaceHumanRedThree, {RedThree + 1, RedThree + 2, RedThree + 3});
  EXPECT_EQ(bonus(Human), 800);
  game.MeldInfo[Human][RankAce].Started = false;
  EXPECT_EQ(bonus(Human), -800);
  EXPECT_EQ(game.Table.lblMelds[RankRedThree].Caption, "Pts. -800");
  // A pure and a mixed canasta and two red threes; black threes make no
  // canasta, and the human's penalty is not the robot's.
  Put(PlaceRobotRedThree, {RedThree + 2, RedThree + 3});
  game.MeldInfo[Robot][RankKing] = {7, 0, 0, false, true};
  game.MeldInfo[Robot][RankAce] = {8, 2, 3, true, true};
  game.MeldInfo[Robot][RankBlackThree] = {7, 0, 0, false, true};
  game.PenaltyPoints = 50;
  EXPECT_EQ(bonus(Robot), 500 + 300 + 200);
  // The penalty counts once however often the bonuses are counted again.
  Put(PlaceStock, {RedThree, RedThree + 1});
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

TEST_F(HandResult, RobotsHandStaysHiddenUnlessTheHumanWinsAndTheTargetEndsTheGame) {
  Put(PlaceHumanHand, {Five});
  Put(PlaceRobotHand, {Six});
  auto shows = [&](const std::string& status, int hidden) {
    game.ShowHandResult();
    EXPECT_EQ(game.Table.lblInfoScores.Caption, status);
    EXPECT_EQ(game.Table.PicCards[hidden].Image, BackImage);
  };
  game.GameScore = {0, 5005, 100};  // equal hands of 5 points; the human ends on 5000
  shows("Game is over - click 'Carry On' button'", Six);
  game.GameScore = {0, 5004, 100};
  shows("game not over - click 'Carry On' button' or 'Exit'", Six);
  game.GameScore = {0, 4000, 5015};
  Put(PlaceHumanHand, {Ace});
  Put(PlaceRobotHand, {King});
  shows("Game is over - click 'Carry On' button'", King);
  EXPECT_EQ(Column(Robot), (Texts{"0", "0", "0", "0", "", " - 15", "-15", "5000"}));
}

}  // namespace
