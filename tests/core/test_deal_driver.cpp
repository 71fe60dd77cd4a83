// Stock draws, the deal, the new-hand reset and the game driver, with stock draws
// chosen card by card.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TableFixture.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

class DealDriverTest : public TableTest {
 protected:
  // A deal is seen at its first flight, while both hands are still empty.
  DealDriverTest() {
    host.rng.seed(3);
    host.onPause = [this] {
      const bool first = !game.Table.MnuPlayEnabled && CountAt(1) + CountAt(2) == 0;
      if (first && !firstFlight) dealStatus.push_back(game.Table.LblGenInfo.Caption);
      firstFlight = first;
    };
  }
  bool firstFlight = false;
  Texts dealStatus;
};

TEST_F(DealDriverTest, StockDrawsComeFaceDownToTheRobotAndRoundHalfToEven) {
  EmptyTable();
  game.MoveStockCard(Robot, 50);
  EXPECT_EQ(game.Table.PicCards[50].Image, BackImage);

  // A draw takes r x CardCount rounded half to even, again for 0 or a card not in the stock.
  auto pick = [&](std::initializer_list<double> values) {
    host.randoms.assign(values);
    return game.PickStockCard();
  };
  EXPECT_EQ(pick({0.375}), 40);              // 40.5 goes to the even neighbour
  EXPECT_EQ(pick({0.0, 0.004, 0.625}), 68);  // 0 names no card
  EXPECT_EQ(pick({std::nextafter(1.0, 0.0)}), CardCount);
  game.Cards[40].Place = PlaceHumanHand;
  EXPECT_EQ(pick({0.375, 0.875}), 94);  // card 40 has left the stock
  game.StockCount = 0;
  EXPECT_EQ(pick({0.5}), 0);
}

TEST_F(DealDriverTest, DealGoesOpponentFirstTurnsUpAgainAndLaysDownRedThrees) {
  EmptyTable();
  // The robot deals: the human gets red threes red, red + 2 and first..first + 12, the
  // robot red three red + 1 and first + 13..first + 26.
  const int red = FirstRedThree, first = FirstFour, nine = CardOf(RankNine, 3);
  for (int i = 0; i < HandSize; ++i)
    host.Picks({i ? (i == 1 ? red + 2 : first + i - 2) : red, i ? first + 12 + i : red + 1});
  // The last red three is turned up; the dealt ones are laid down, face up, and replaced
  // by 70, 71 and 72; a joker is turned up, then a nine.
  host.Picks({LastRedThree, 70, 71, 72, FirstJoker, nine});
  game.Deal(Robot);
  EXPECT_EQ(game.UpCard, nine);
  EXPECT_EQ(Places({first, first + 12, first + 13, first + 26, LastRedThree, FirstJoker, 70, 71, 72,
                    red, red + 1}),
            std::vector<int>({PlaceHumanHand, PlaceHumanHand, PlaceRobotHand, PlaceRobotHand,
                              PlacePile, PlacePile, PlaceHumanHand, PlaceHumanHand, PlaceRobotHand,
                              PlaceHumanRedThree, PlaceRobotRedThree}));
  EXPECT_EQ(std::pair(At(red + 1), game.Table.PicCards[red + 1].Image),
            std::pair(Pos(RedThreesColumnLeft, RobotRedThreeTop), red + 1));

  // The human deals: the robot gets the first card; no more than eight are turned.
  EmptyTable();
  for (int c = FirstFour; c < FirstFour + 2 * HandSize; ++c) host.Picks({c});
  for (int c = FirstWildCard; c <= FirstWildCard + 8; ++c) host.Picks({c});  // nine wild cards
  game.Deal(Human);
  EXPECT_EQ(std::vector({CountAt(PlaceHumanHand), CountAt(PlaceRobotHand), CountAt(PlacePile)}),
            std::vector({HandSize, HandSize, 8}));
  EXPECT_TRUE(game.Cards[FirstFour].Place == PlaceRobotHand && game.UpCard == FirstWildCard + 7);
}

// What the last hand left behind goes; a new game also clears the totals.
TEST_F(DealDriverTest, NewHandResetLeavesNothingOfTheLastHand) {
  game.GameScore = {0, 1230, -40};
  const int two = CardOf(RankTwo, 4);
  game.WildChosen = FirstTwo;
  game.PlayerPileDue = game.RobotPileDue = game.HandScored = true;
  game.PenaltyPoints = 50;
  game.MeldInfo[Human][RankSeven].Count = 4;
  game.Cards[two] = {20, PlaceHumanMeld, true, true, RankSeven, {0, RankSeven, 0}};
  game.HandInPlay = false;
  game.NewHandReset();
  EXPECT_EQ(game.Cards[two].Rank + game.Cards[two].MeldColumn[Human], RankTwo);
  EXPECT_FALSE(game.Cards[two].FromDiscard || game.Cards[two].NewThisTurn);
  EXPECT_EQ(game.MeldInfo[Human][RankSeven].Count + game.WildChosen + game.PenaltyPoints, 0);
  EXPECT_FALSE(game.PlayerPileDue || game.RobotPileDue || game.HandScored);
  EXPECT_EQ(game.GameScore, (PerPlayer<int>{0, 0, 0}));
}

// "New" in the human's turn asks first; each new game abandons the one in
// play, starts from game scores of 0, and runs no deeper on the stack.
TEST_F(DealDriverTest, NewDuringTheHumansTurnAsksThenStartsAFreshGameAtTheSameDepth) {
  int games = 0, asked = 0;
  host.answerMessage = [&](const DeluxeMessage& m) {
    return m.Title == "Really start new game?" && ++asked == 1 ? 1 : 0;
  };
  host.maxEventWaits = 1100;  // a game that goes on stalls the script
  std::uintptr_t low = UINTPTR_MAX, high = 0;
  host.onIdle = [&] {
    int probe = 0;
    low = std::min(low, reinterpret_cast<std::uintptr_t>(&probe));
    high = std::max(high, reinterpret_cast<std::uintptr_t>(&probe));
    EXPECT_EQ(game.Table.LblGameScore[Human].Caption, "Game Pts. 0");
    game.GameScore = {0, 1200, 800};
    if (games == 0) game.MnuNew_Click();  // "No Cancel" changes nothing
    EXPECT_EQ(game.GameScore[Human], 1200);
    ++games <= 1000 ? game.MnuNew_Click() : game.QuitGame();
  };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(dealStatus.size(), 1001u);
  EXPECT_LT(high - low, 4096u);
}

// Whole hands with the simple policy on the human's seat: each ends for a reason the
// rule allows, the next opens with whoever was to play, and the game ends only on
// unequal scores once one has reached the target.
TEST_F(DealDriverTest, HandsRunUntilTheTargetIsReachedWithoutATie) {
  game.TargetScore = 1000;
  game.RobotName = "Zed";
  SimplePolicy simple(9);
  HumanSeat human(game, simple);
  const std::vector<Pos> totals{{500, 200}, {1000, 1000}, {1010, 1010}, {1000, 999}};
  std::vector<bool> toPlayAtEnd;
  host.answerMessage = ScriptedHost::ExitAtGameOver;
  host.onIdle = [&] {
    if (!game.Table.FramResults.Visible) return human.Act();
    EXPECT_TRUE(game.StockCount <= 0 || game.HandCount[Human] <= 0 || game.HandCount[Robot] <= 0);
    ASSERT_LT(toPlayAtEnd.size(), totals.size());
    game.GameScore = {0, totals[toPlayAtEnd.size()].first, totals[toPlayAtEnd.size()].second};
    toPlayAtEnd.push_back(game.PlayerToPlay);
    game.cmdNew_Click();
  };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  ASSERT_EQ(dealStatus.size(), 4u);
  for (size_t k = 0; k < 3; ++k)
    EXPECT_EQ(dealStatus[k + 1], toPlayAtEnd[k]
                                     ? "Player  opponent is dealing and you will play first"
                                     : "Player  you are dealing Zed to play first");
  EXPECT_EQ(host.MessageTitles(), (Texts{"Game Drawn", "Game Over"}));
  EXPECT_EQ(game.GamesWonPlayer, 1);
}

// Going out with black threes scores the hand from inside the human's turn;
// the driver then goes on to the next hand without scoring it again.
TEST_F(DealDriverTest, GoingOutWithBlackThreesEndsTheHandOnce) {
  host.maxEventWaits = 100;
  int results = 0;
  host.onIdle = [&] {
    if (game.Table.FramResults.Visible) return ++results, game.cmdNew_Click();
    if (results > 0 || !game.PlayerTurnOpen) return game.QuitGame();
    // Leave the human holding three black threes and a canasta.
    for (int c = 1; c <= CardCount; ++c)
      if (game.Cards[c].Place == PlaceHumanHand) game.Cards[c].Place = PlaceStock;
    Put(PlaceHumanHand,
        {CardOf(RankBlackThree), CardOf(RankBlackThree, 1), CardOf(RankBlackThree, 2)});
    game.HasCanasta[Human] = game.PlayerHasDrawn = true;
    game.PlayerTurnOpen = false;
    game.PicCards_MouseDown(CardOf(RankBlackThree));
  };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(results, 1);
  EXPECT_EQ(dealStatus.size(), 2u);
}

// The pile went back after its hand-over had drawn the last stock card for a
// red three: the human, back to drawing, can draw nothing, and the hand ends
// there as it does before a turn with no stock, the human to play first next.
TEST_F(DealDriverTest, ATurnBackToDrawingWithNoStockEndsTheHand) {
  using namespace cards;
  host.maxEventWaits = 100;
  bool laidOut = false, stuck = false;
  std::vector<int> atResults;
  host.onIdle = [&] {
    if (game.Table.FramResults.Visible) {
      atResults = {game.StockCount, game.PlayerToPlay, Where(Four), Where(RedThree)};
      return game.cmdNew_Click();
    }
    if (laidOut) return stuck = atResults.empty(), game.QuitGame();
    laidOut = true;
    for (int c = 1; c <= CardCount; ++c)
      game.Cards[c].Place = IsRedThreeNumber(c) ? PlaceRobotRedThree : PlaceRobotHand;
    game.MeldInfo = {};
    Put(PlaceStock, {Nine});
    Put(PlaceHumanHand,
        {Four + 1, Four + 2, Ace, Ace + 1, Ace + 2, King + 1, King + 2, King + 3, Five});
    Pile({RedThree, Four}, PileOpen);
    game.ShowStock();
    game.HandLayout(Human);
    // Taken for the first meld, which the aces and kings make: the red three
    // comes with the pile and the last stock card replaces it.
    for (int c : {Four, Ace, Ace + 1, King + 1, King + 2, King + 3}) Click(c);
    game.LblDiscarding_Click();
    Click(Five);                 // refused: the four and the aces are unfinished melds
    game.LblReturnPack_Click();  // the kings alone do not stand: the pile goes back
  };
  game.MnuNew_Click();
  EXPECT_FALSE(stuck);
  EXPECT_EQ(atResults, (std::vector<int>{0, true, PlacePile, PlaceHumanRedThree}));
}

}  // namespace
