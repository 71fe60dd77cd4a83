// The hand log and the score sheet: what the player can read of the game so far.
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace larkspur::testing::cards;

namespace {

using ScoreSheetTest = TableTest;

// A turn of each player, told in order: the human's draw with a red three replaced, a new
// meld, a card added to an earlier one and a discard; the robot's, its draws unnamed.
TEST_F(ScoreSheetTest, LogTellsEachTurnInOrder) {
  EmptyTable();
  Put(PlaceHumanHand, {Ace, Ace + 1, Ace + 2, King + 3, Nine});
  Melded(Human, RankKing, 3);
  game.Log.Clear();  // the kings were melded in an earlier turn
  Put(PlaceRobotHand, {Ace + 3, Ace + 4, Ace + 5, Four, Seven + 4});
  Pile({Six + 1});
  HumanToDraw();
  host.Picks({RedThree, Six, Seven});
  Click(Ten);  // the stock
  for (int c : {Ace, Ace + 1, Ace + 2, King + 3}) Click(c);
  game.LblDiscarding_Click();
  Click(Nine);
  host.Picks({Ten, Ten + 1});
  game.RobotTurn();
  EXPECT_EQ(HandLogLines(game),
            (Texts{"You drew the three of hearts from the stock",
                   "You laid down the three of hearts and drew the six of clubs in its place",
                   "You drew the seven of clubs from the stock", "You melded three aces",
                   "You added the king of spades to your kings", "You discarded the nine of clubs",
                   "Barnaby drew two cards from the stock", "Barnaby melded three aces",
                   "Barnaby discarded the four of clubs"}));
  game.NewHandReset();
  EXPECT_TRUE(HandLogLines(game).empty());
}

// A taken pile tells the cards its meld was made with; giving it back tells
// the cards taken back and the points it cost.
TEST_F(ScoreSheetTest, LogTellsAPileTakenAndGivenBack) {
  EmptyTable();
  Put(PlaceHumanHand, {Seven, Seven + 1, Nine, Nine + 1});
  Pile({Four, Six, Seven + 2});
  HumanToDraw();
  Click(Seven + 2);
  Click(Seven);
  Click(Seven + 1);
  game.LblReturnPack_Click();
  EXPECT_EQ(HandLogLines(game), (Texts{"You took the discard pile (3 cards) with two sevens",
                                       "You took back two sevens",
                                       "You gave the discard pile back and lost 50 points"}));
}

// The sheet gains a row as each hand is scored, with that hand's hints, and starts
// afresh with each game: from the totals a loaded game brings, from nothing after New.
TEST_F(ScoreSheetTest, SheetKeepsARowAHandUntilTheNextGame) {
  SimplePolicy simple(4);
  HumanSeat human(game, simple);
  host.maxEventWaits = 5000;
  int scored = 0, games = 0;
  PerPlayer<int> loaded{};
  host.onIdle = [&] {
    if (games > 0) {  // the first idle of a new game
      EXPECT_TRUE(game.Sheet.Rows.empty());
      EXPECT_EQ(game.Sheet.Start, games == 1 ? loaded : PerPlayer<int>{});
      EXPECT_EQ(ScoreSheetCells(game).size(), games == 1 ? 2u : 1u);  // headings, "Loaded"
      return ++games == 2 ? game.MnuNew_Click() : game.QuitGame();
    }
    if (!game.Table.FramResults.Visible) {
      if (game.PlayerTurnOpen) game.HintsThisHand = scored + 1;  // as asking for hints counts them
      return human.Act();
    }
    const SheetRow& row = game.Sheet.Rows.back();
    EXPECT_EQ(game.Sheet.Rows.size(), std::size_t(++scored));
    EXPECT_EQ(row.Hints, scored);
    EXPECT_EQ(game.HintsThisHand, 0);
    const auto cells = ScoreSheetCells(game).back();
    EXPECT_EQ(cells.back(), std::to_string(scored));
    // Each side's melds, bonuses and cards left add up to its hand total.
    for (int at : {1, 6})
      EXPECT_EQ(std::stoi(cells[at]) + std::stoi(cells[at + 1]) + std::stoi(cells[at + 2]),
                std::stoi(cells[at + 3]));
    if (scored < 2) return game.cmdNew_Click();
    game.GameScore[Human] = 0;  // a loaded game in which only the robot has scored
    loaded = game.GameScore;
    games = 1;
    game.MnuLoad_Click();
  };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(games, 3);
}

}  // namespace
