// The robot's choices in laid-out positions: the Expert's, the hint and clickable elements
// it reads, and the Classic robot's melds. Card numbers: jokers 1-4, twos 5-12, black
// threes 13-16, then eight of each rank from fours (17) up, kings 89-96, aces 97-104. And
// the Classic robot's rules on the human's seat, which move as the robot itself does.
#include <gtest/gtest.h>

#include <tuple>

#include "TableFixture.h"
#include "harness/HumanSeat.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace larkspur::testing::cards;

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

TEST_F(PolicyTest, TakesAPileForAPairAndSpendsNoWildCardOnOne) {
  // The robot's hand; the pile, sevens on top, and its state; whether the Expert takes it.
  const struct {
    CardList hand, pile;
    int state;
    bool takes;
  } cases[] = {
      {{42, 43, 57, 89}, {25, 26, 33, 49, 50, 73, 74, 91, 41}, PileOpen, true},  // a pair: free
      {{42, 43, 57, 89}, {41}, PileOpen, true},      // free even when small
      {{42, 5, 57, 89}, {25, 41}, PileOpen, false},  // one seven and a two: not for two cards
      {{42, 5, 57, 89}, {25, 26, 33, 49, 50, 41}, PileOpen, false},  // nor six: the two is kept
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
  game.ChooseRobot(RobotPlay::Expert);
  EXPECT_TRUE(game.RobotTurn());
  EXPECT_EQ(game.MeldInfo[Robot][7].Count, 3);
  EXPECT_EQ(CountAt(PlacePile), 1);  // the Expert's own discard
}

TEST_F(PolicyTest, FreezesThePileOnlyAgainstAnOpponentAboutToGoOutWithNoSafeCard) {
  // The human has a canasta of eights and has melded sevens, nines and kings, so the
  // pile is open to them for those. The robot holds a two, one of each and maybe a five.
  const struct {
    CardList robotHand, humanHand;
    int discard;
  } cases[] = {
      {{5, 44, 60, 92}, {65, 66}, 5},        // two cards left: the two freezes the pile
      {{5, 44, 60, 92, 26}, {65, 66}, 26},   // but a five they cannot take is safer
      {{5, 44, 60, 92}, TensAndQueens, 60},  // eleven cards: the two is kept
  };
  for (const auto& k : cases) {
    BothHaveMelded(k.robotHand, k.humanHand);
    for (int rank : {RankSeven, RankNine, RankKing}) Melded(Human, rank, 3);
    Melded(Human, RankEight, 7);
    Pile({73, 18, 36}, PileOpen);
    EXPECT_EQ(expert.Discard(View(Robot)), k.discard)
        << k.robotHand.size() << " " << k.humanHand.size();
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
  EXPECT_EQ(Status(), "Player  take the discard pile: you hold two sevens and it holds 9 cards.");
  EXPECT_EQ(game.HintsThisHand, 1);
  // A black three on top blocks the pile: the stock.
  Pile({13}, PileBlocked);
  const HintAdvice draw = game.HumanHint();
  EXPECT_EQ(draw.Target, (T{T::Stock, TopOfStock()}));
  EXPECT_EQ(draw.Text, "Draw two cards from the stock: a black three blocks the discard pile.");
}

// What a click could use, in the keyboard's order: the stock's and the pile's top cards
// while drawing (not a blocked pile), then the hand and the headings a chosen wild card
// could join, each from left to right, and the command labels shown; nothing outside
// the human's move.
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

// The Classic robot's turn from laid-out positions: its score, its hand, a meld it already
// has (so many naturals of a rank and, on them, so many twos) and the pile. Its rules as a
// policy on the human's seat make the same moves from the same position.
class RobotTest : public TableTest {
 protected:
  struct Position {
    const char* what;
    int score;
    CardList hand;
    int rank, naturals, twos;
    CardList pile, melds;  // the robot's melds from its hand, in order
  };
  // The melds and the discard of one turn on a seat, as the log tells them.
  auto Turn(int seat, const Position& k) {
    EmptyTable();
    game.GameScore[seat] = k.score;
    Put(seat == Robot ? PlaceRobotHand : PlaceHumanHand, k.hand);
    if (k.rank) Melded(seat, k.rank, k.naturals);
    for (int w = 0; w < k.twos; ++w) game.MeldWildCard(Two + w, k.rank, seat);
    if (!k.pile.empty()) Pile(k.pile);
    game.Log.Clear();
    if (seat == Robot) {
      game.HandLayout(Robot);
      game.CheckMinimumMeld(Robot);
      game.RobotMelds();
      CardList melded;
      for (int c : k.hand)
        if (Where(c) == PlaceRobotMeld) melded.push_back(c);
      EXPECT_EQ(melded, k.melds) << k.what;
      game.RobotDiscard();
    } else {
      HumanToMeld();
      game.CheckMinimumMeld(Human);
      HumanSeat human(game, classic);
      human.Act();  // the melds, then the Discard label
      human.Act();  // the discard
    }
    std::vector<std::tuple<HandMove, CardList, int>> moves;
    for (const LoggedMove& m : game.Log.Moves) moves.emplace_back(m.Move, m.Cards, m.Rank);
    return moves;
  }
  ClassicPolicy classic;
};

TEST_F(RobotTest, MeldsAndDiscardsByItsFixedRulesOnEitherSeat) {
  const CardList acesAndFives{Ace, Ace + 1, Ace + 2, Five, Five + 1, Five + 2};
  const CardList pileOfSix{Four + 1, Four + 2, Six + 3, Seven, Seven + 1, Eight};
  const Position cases[] = {
      // A A A and 5 5 5 are worth 75: enough against 50, not against 90.
      {"worth the minimum",
       0,
       {Ace, Ace + 1, Ace + 2, Five, Five + 1, Five + 2, King, Nine},
       0,
       0,
       0,
       {},
       acesAndFives},
      {"worth too little",
       1500,
       {Ace, Ace + 1, Ace + 2, Five, Five + 1, Five + 2, King, Nine},
       0,
       0,
       0,
       {},
       {}},
      {"every triple with a canasta",
       0,
       {Five, Five + 1, Five + 2, Six, Six + 1, Six + 2, Nine, Ten},
       RankKing,
       7,
       0,
       {},
       {Five, Five + 1, Five + 2, Six, Six + 1, Six + 2}},
      // A score below 0 asks for 15, so five nines have met the minimum meld; two
      // jokers then make a mixed canasta.
      {"two jokers make a canasta",
       -100,
       {Joker, Joker + 1, King, Four},
       RankNine,
       5,
       0,
       {},
       {Joker, Joker + 1}},
      // Two kings and two twos already: a third wild card would outnumber the naturals.
      {"no more wild cards than naturals", -100, {Two + 2, Five, Six}, RankKing, 2, 2, {}, {}},
      // A canasta and three cards left: the second wild card step takes a two too.
      {"a two late in the hand", -100, {Two, Two + 1, Five}, RankKing, 7, 0, {}, {Two}},
      {"a lay-off", 0, {Ace + 3, King, Five}, RankAce, 3, 0, {}, {Ace + 3}},
      {"one card kept after a triple",
       0,
       {Ace, Ace + 1, Ace + 2, Nine},
       0,
       0,
       0,
       {},
       {Ace, Ace + 1, Ace + 2}},
      {"a black three onto six cards", 0, {BlackThree, Five, Six, Nine}, 0, 0, 0, pileOfSix, {}},
  };
  for (const Position& k : cases) EXPECT_EQ(Turn(Robot, k), Turn(Human, k)) << k.what;
}

}  // namespace
