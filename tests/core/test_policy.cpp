// The Expert's choices in laid-out positions, the hint and what a click could use. Card numbers:
// jokers 1-4, twos 5-12, black threes 13-16, then eight of each rank from fours (17) up, kings
// 89-96, aces 97-104.
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "policy/ExpertPolicy.h"
#include "policy/HumanSeat.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

using CardList = std::vector<int>;

class PolicyTest : public TableTest {
 protected:
  // A hand in play: both players have made their first meld with three aces.
  void BothHaveMelded(const CardList& robotHand, const CardList& humanHand) {
    EmptyTable();
    Put(PlaceRobotHand, robotHand);
    Put(PlaceHumanHand, humanHand);
    Melded(Robot, RankAce, 3);
    Melded(Human, RankAce, 3, 3);
  }
  SeatView View(int seat) const { return MakeSeatView(game, seat); }

  ExpertPolicy expert;
};

const CardList TensAndQueens{65, 66, 67, 68, 69, 70, 71, 81, 82, 83, 84};

TEST_F(PolicyTest, TakesALargePileAndNoSmallOneThatCostsAWildCard) {
  // The robot's hand; the pile, sevens on top, and its state; whether the Expert takes it.
  const struct {
    CardList hand, pile;
    int state;
    bool takes;
  } cases[] = {
      {{42, 43, 57, 89}, {25, 26, 33, 49, 50, 73, 74, 91, 41}, PileOpen, true},  // a pair: free
      {{42, 43, 57, 89}, {41}, PileOpen, true},      // free even when small
      {{42, 5, 57, 89}, {25, 41}, PileOpen, false},  // one seven and a two: not for two cards
      {{42, 5, 57, 89}, {25, 26, 33, 49, 50, 41}, PileOpen, true},        // but for six
      {{42, 5, 57, 89}, {25, 26, 33, 49, 50, 6, 41}, PileFrozen, false},  // nor for a frozen pile
      {{42, 43}, {41}, PileOpen, false},  // the take would empty the hand without a canasta
  };
  for (const auto& k : cases) {
    BothHaveMelded(k.hand, TensAndQueens);
    Pile(k.pile, k.state);
    EXPECT_EQ(expert.TakePile(View(Robot)), k.takes) << k.hand[1] << " " << k.pile.size();
  }
  // On the robot's seat the turn takes it the robot's way: the sevens' meld and the pile.
  BothHaveMelded({42, 43, 57, 89}, TensAndQueens);
  Pile({25, 26, 33, 49, 50, 73, 74, 91, 41}, PileOpen);
  game.RobotPlayer = RobotPlay::Expert;
  EXPECT_TRUE(game.RobotSeatTurn());
  EXPECT_EQ(game.MeldInfo[Robot][7].Count, 3);
  EXPECT_EQ(CountAt(PlacePile), 1);  // the Expert's own discard
}

TEST_F(PolicyTest, FreezesThePileWhenTheOpponentIsAboutToGoOut) {
  // The human has melded sevens, nines and kings, so the pile is open to them for those.
  for (const auto& [humanCards, discard] : {std::pair{CardList{65, 66}, 5},   // two cards: a two
                                            std::pair{TensAndQueens, 26}}) {  // eleven: a five
    BothHaveMelded({5, 44, 60, 92, 26}, humanCards);
    for (int rank : {RankSeven, RankNine, RankKing}) Melded(Human, rank, 3);
    Pile({73, 18, 36}, PileOpen);
    EXPECT_EQ(expert.Discard(View(Robot)), discard) << humanCards.size() << " cards";
  }
}

TEST_F(PolicyTest, KeepsARankTheOpponentCollectsAndGivesOneItThrewAway) {
  // The human took the pile for nines; since then it threw a six away.
  BothHaveMelded({60, 26, 34, 73, 74}, TensAndQueens);
  Melded(Human, RankNine, 3);
  game.Record.NotePileTaken(Human, 57, 9, 6);
  Pile({28, 35}, PileOpen);  // a five and a six, so that as many of each are unseen
  game.Record.NoteDiscard(Human, 35, 6);
  EXPECT_EQ(expert.Discard(View(Robot)), 34);  // the six, not the nine or the five
  // Without the human's six the five goes (the lower card of two equal choices).
  game.Record.Notes.pop_back();
  EXPECT_EQ(expert.Discard(View(Robot)), 26);
}

// Whole games of the Expert against itself; at every wait for a click each seat's
// choices are made again with the cards it cannot see (the other hand and the
// stock) shuffled among themselves: they must not change.
TEST_F(PolicyTest, TheHintPointsAtTheExpertsChoiceOnlyWhenTheHumanMoves) {
  using T = TableTarget;
  BothHaveMelded({17, 18}, {42, 43, 57, 89, 25});
  Pile({34, 35, 33, 49, 50, 73, 74, 91, 41}, PileOpen);
  game.PlayerToPlay = false;  // the robot's turn: no hint
  game.MnuHint_Click();
  EXPECT_EQ(game.Table.HintTarget, T{});
  EXPECT_EQ(game.HintsThisHand, 0);
  // Asked for from the menu it is said to the player and marked on the table.
  HumanToDraw();
  game.MnuHint_Click();
  EXPECT_EQ(game.Table.HintTarget, (T{T::Pile, 41}));
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  take the discard pile: you hold two sevens and it holds 9 cards.");
  EXPECT_EQ(game.HintsThisHand, 1);
  // A black three on top blocks the pile: the stock.
  Pile({13}, PileBlocked);
  const HintAdvice draw = game.HumanHint();
  EXPECT_EQ(draw.Target, (T{T::Stock, TopOfStock()}));
  EXPECT_EQ(draw.Text, "Draw two cards from the stock: a black three blocks the discard pile.");

  // Melding: the three fives go down, one card at a time; then the Discard label;
  // then the card the Expert would discard, which the click does discard.
  Put(PlaceHumanHand, {26, 27});
  HumanToMeld();
  const HintAdvice meld = game.HumanHint();
  EXPECT_EQ(meld.Target, (T{T::HandCard, 25}));
  EXPECT_EQ(meld.Text.rfind("Meld your fives: ", 0), 0u) << meld.Text;
  HumanSeat seat(game, expert);
  for (int k = 0; k < 3; ++k) seat.Meld(expert.NextMeld(View(Human), k));
  EXPECT_EQ(game.HumanHint().Target, T{T::DiscardLabel});
  game.LblDiscarding_Click();
  const HintAdvice discard = game.HumanHint();
  EXPECT_EQ(discard.Target, (T{T::HandCard, expert.Discard(View(Human))}));
  EXPECT_EQ(discard.Text.rfind("Discard the ", 0), 0u) << discard.Text;
  game.MnuHint_Click();
  game.PicCards_MouseDown(discard.Target.Index);
  EXPECT_EQ(game.Table.HintTarget, T{});  // the click put the outline away
  EXPECT_EQ(game.Cards[discard.Target.Index].Place, PlacePile);
  EXPECT_EQ(game.HumanHint().Target, T{});  // the turn is over
}

// What a click could use, in the keyboard's order: the stock's and the pile's top
// cards while drawing (not a blocked pile), then the hand from left to right, the
// headings a chosen wild card could join from left to right, the command labels
// shown; nothing outside the human's move.
TEST_F(PolicyTest, ClickableNowListsWhatAClickCouldUseInTheKeyboardsOrder) {
  using T = TableTarget;
  BothHaveMelded({17, 18}, {42, 43, 57, 89, 25, 5});
  Melded(Human, RankKing, 3, 3);
  Pile({34, 35, 33, 49, 50, 73, 74, 91, 41}, PileOpen);
  HumanToDraw();
  const auto hand = [](std::initializer_list<T> then) {
    std::vector<T> list{{T::HandCard, 5},  {T::HandCard, 25}, {T::HandCard, 42},
                        {T::HandCard, 43}, {T::HandCard, 57}, {T::HandCard, 89}};
    list.insert(list.end(), then);
    return list;
  };
  const struct {
    const char* phase;
    std::function<void()> setUp;
    std::vector<T> clickable;
  } cases[] = {
      {"the robot's turn", [&] { game.PlayerToPlay = false; }, {}},
      {"drawing", [&] { HumanToDraw(); }, {{T::Stock, TopOfStock()}, {T::Pile, 41}}},
      {"drawing, the pile blocked",
       [&] { game.Table.Shape1.BorderColor = PileBlocked; },
       {{T::Stock, TopOfStock()}}},
      {"melding", [&] { HumanToMeld(); }, hand({{T::DiscardLabel}, {T::ReturnLabel}})},
      {"melding, a two chosen", [&] { game.PicCards_MouseDown(5); },
       hand({{T::Heading, RankKing}, {T::Heading, RankAce}, {T::DiscardLabel}, {T::ReturnLabel}})},
      {"discarding", [&] { game.LblDiscarding_Click(); }, hand({{T::ReturnLabel}})},
      {"the hand's results shown", [&] { game.Table.FramResults.Visible = true; }, {}},
  };
  for (const auto& [phase, setUp, clickable] : cases) {
    setUp();
    EXPECT_EQ(game.ClickableNow(), clickable) << phase;
  }
  // A card of the hand lies where it shows: a hand step wide, the last card whole.
  EXPECT_EQ(game.Table.PlaceOf({T::HandCard, 25}).Width, HumanHandStep);
  EXPECT_EQ(game.Table.PlaceOf({T::HandCard, 89}).Width, CardWidth);
}

}  // namespace
