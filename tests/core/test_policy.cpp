// The Expert's choices in laid-out positions, the same choices whatever the
// cards it cannot see, and the hint. Card numbers: jokers 1-4, twos 5-12, black
// threes 13-16, then eight of each rank from fours (17) up, kings 89-96, aces 97-104.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <random>
#include <vector>

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
    for (int c : robotHand) game.Cards[c].Place = PlaceRobotHand;
    for (int c : humanHand) game.Cards[c].Place = PlaceHumanHand;
    Meld(Robot, RankAce, {97, 98, 99});
    Meld(Human, RankAce, {100, 101, 102});
    game.HandLayout(Human);
    game.HandLayout(Robot);
  }
  void Meld(int player, int rank, const CardList& cards) {
    for (int c : cards) game.MeldCard(c, rank, player);
    game.LayOutMelds(player);
  }
  // The pile: these cards, the last on top, open to the player to move.
  void OpenPile(const CardList& cards) {
    for (int c : cards) game.Cards[c].Place = PlacePile;
    game.UpCard = cards.back();
    game.ShowDiscardPile();
    game.Table.Shape1.BorderColor = PileOpen;
  }
  SeatView View(int seat) const { return MakeSeatView(game, seat); }

  ExpertPolicy expert;
};

const CardList TensAndQueens{65, 66, 67, 68, 69, 70, 71, 81, 82, 83, 84};

TEST_F(PolicyTest, TakesALargePileAndNoSmallOneThatCostsAWildCard) {
  // The robot's hand; the pile, sevens on top; whether the Expert takes it.
  const struct {
    CardList hand, pile;
    bool takes;
  } cases[] = {
      {{42, 43, 57, 89}, {25, 26, 33, 49, 50, 73, 74, 91, 41}, true},  // a pair: free
      {{42, 43, 57, 89}, {41}, true},                                  // free even when small
      {{42, 5, 57, 89}, {25, 41}, false},                 // one seven and a two: not for two cards
      {{42, 5, 57, 89}, {25, 26, 33, 49, 50, 41}, true},  // but for six
      {{42, 43}, {41}, false},  // the take would empty the hand without a canasta
  };
  for (const auto& k : cases) {
    BothHaveMelded(k.hand, TensAndQueens);
    OpenPile(k.pile);
    EXPECT_EQ(expert.TakePile(View(Robot)), k.takes) << k.hand[1] << " " << k.pile.size();
  }
  // On the robot's seat the turn takes it the robot's way: the sevens' meld and the pile.
  BothHaveMelded({42, 43, 57, 89}, TensAndQueens);
  OpenPile({25, 26, 33, 49, 50, 73, 74, 91, 41});
  game.RobotPlayer = RobotPlay::Expert;
  EXPECT_TRUE(game.RobotSeatTurn());
  EXPECT_EQ(game.MeldInfo[Robot][7].Count, 3);
  EXPECT_EQ(CountAt(PlacePile), 1);  // the Expert's own discard
  // A wild card in the pile freezes it: one seven and a two no longer take it.
  BothHaveMelded({42, 5, 57, 89}, TensAndQueens);
  OpenPile({25, 26, 33, 49, 50, 6, 41});
  game.Table.Shape1.BorderColor = PileFrozen;
  EXPECT_FALSE(expert.TakePile(View(Robot)));
}

TEST_F(PolicyTest, FreezesThePileWhenTheOpponentIsAboutToGoOut) {
  // The human has melded sevens, nines and kings, so the pile is open to them for those.
  for (const auto& [humanCards, discard] : {std::pair{CardList{65, 66}, 5},   // two cards: a two
                                            std::pair{TensAndQueens, 26}}) {  // eleven: a five
    BothHaveMelded({5, 44, 60, 92, 26}, humanCards);
    Meld(Human, 7, {41, 42, 43});
    Meld(Human, 9, {57, 58, 59});
    Meld(Human, 13, {89, 90, 91});
    OpenPile({73, 18, 36});
    EXPECT_EQ(expert.Discard(View(Robot)), discard) << humanCards.size() << " cards";
  }
}

TEST_F(PolicyTest, KeepsARankTheOpponentCollectsAndGivesOneItThrewAway) {
  // The human took the pile for nines; since then it threw a six away.
  BothHaveMelded({60, 26, 34, 73, 74}, TensAndQueens);
  Meld(Human, 9, {57, 58, 59});
  game.Record.NotePileTaken(Human, 57, 9, 6);
  OpenPile({28, 35});  // a five and a six, so that as many of each are unseen
  game.Record.NoteDiscard(Human, 35, 6);
  EXPECT_EQ(expert.Discard(View(Robot)), 34);  // the six, not the nine or the five
  // Without the human's six the five goes (the lower card of two equal choices).
  game.Record.Notes.pop_back();
  EXPECT_EQ(expert.Discard(View(Robot)), 26);
}

// Whole games of the Expert against itself; at every wait for a click each seat's
// choices are made again with the cards it cannot see (the other hand and the
// stock) shuffled among themselves: they must not change.
TEST_F(PolicyTest, HiddenCardsDoNotChangeTheChoices) {
  struct Choices {
    bool take;
    std::vector<MeldStep> melds;
    int discard;
    bool operator==(const Choices&) const = default;
  };
  auto choose = [&](const Game& g, int s) {
    const SeatView v = MakeSeatView(g, s);
    return Choices{v.MayTakePile() && expert.TakePile(v), expert.PlanMelds(v).Steps,
                   expert.Discard(v)};
  };
  std::mt19937_64 rng(5);
  int compared = 0;
  for (int seed = 1; seed <= 6; ++seed) {
    ScriptedHost h(seed);
    h.folder = folder.string();
    h.answerMessage = [](const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; };
    Game g(h);
    g.RobotPlayer = RobotPlay::Expert;
    ExpertPolicy human;
    HumanSeat seat(g, human);
    h.onIdle = [&] {
      for (int s : {Human, Robot}) {
        const Choices chosen = choose(g, s);
        std::vector<int> hidden, places;
        for (int c = 1; c <= CardCount; ++c) {
          const int p = g.Cards[c].Place;
          if (p == PlaceStock || p == (s == Human ? PlaceRobotHand : PlaceHumanHand))
            hidden.push_back(c), places.push_back(p);
        }
        for (int k = 0; k < 2; ++k) {
          std::vector<int> shuffled = places;
          std::shuffle(shuffled.begin(), shuffled.end(), rng);
          for (size_t i = 0; i < hidden.size(); ++i) g.Cards[hidden[i]].Place = shuffled[i];
          ASSERT_TRUE(choose(g, s) == chosen) << "seed " << seed << " seat " << s;
          ++compared;
        }
        for (size_t i = 0; i < hidden.size(); ++i) g.Cards[hidden[i]].Place = places[i];
      }
      seat.Act();
    };
    g.Form_Load();
    g.MnuNew_Click();
    ASSERT_TRUE(h.ended);
  }
  EXPECT_GT(compared, 1000);
}

TEST_F(PolicyTest, TheHintPointsAtTheExpertsChoiceOnlyWhenTheHumanMoves) {
  BothHaveMelded({17, 18}, {42, 43, 57, 89, 25});
  OpenPile({34, 35, 33, 49, 50, 73, 74, 91, 41});
  game.PlayerToPlay = false;
  EXPECT_EQ(game.HumanHint().Target.What, TableTarget::None);  // the robot's turn
  game.MnuHint_Click();
  EXPECT_EQ(game.HintsThisHand, 0);

  HumanToDraw();
  const HintAdvice take = game.HumanHint();
  EXPECT_EQ(take.Target.What, TableTarget::Pile);
  EXPECT_EQ(take.Target.Index, 41);
  EXPECT_EQ(take.Text, "Take the discard pile: you hold two sevens and it holds 9 cards.");
  // Asked for from the menu it is said to the player and marked on the table.
  game.MnuHint_Click();
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  take the discard pile: you hold two sevens and it holds 9 cards.");
  EXPECT_TRUE(game.Table.HintTarget == take.Target);
  EXPECT_EQ(game.HintsThisHand, 1);
  // A black three on top blocks the pile: the stock.
  game.Cards[13].Place = PlacePile;
  game.UpCard = 13;
  game.Table.Shape1.BorderColor = PileBlocked;
  const HintAdvice draw = game.HumanHint();
  EXPECT_EQ(draw.Target.What, TableTarget::Stock);
  EXPECT_EQ(game.Cards[draw.Target.Index].Place, PlaceStock);
  EXPECT_EQ(draw.Text, "Draw two cards from the stock: a black three blocks the discard pile.");

  // Melding: the three fives go down, one card at a time; then the Discard label;
  // then the card the Expert would discard, which the click does discard.
  Put(PlaceHumanHand, {26, 27});
  HumanToMeld();
  const HintAdvice meld = game.HumanHint();
  EXPECT_EQ(meld.Target.What, TableTarget::HandCard);
  EXPECT_EQ(game.Cards[meld.Target.Index].Rank, 5);
  EXPECT_EQ(meld.Text.rfind("Meld your fives: ", 0), 0u) << meld.Text;
  HumanSeat seat(game, expert);
  for (int k = 0; k < 3; ++k) seat.Meld(expert.NextMeld(View(Human), k));
  EXPECT_EQ(game.HumanHint().Target.What, TableTarget::DiscardLabel);
  game.LblDiscarding_Click();
  const HintAdvice discard = game.HumanHint();
  ASSERT_EQ(discard.Target.What, TableTarget::HandCard);
  EXPECT_EQ(discard.Target.Index, expert.Discard(View(Human)));
  EXPECT_EQ(discard.Text.rfind("Discard the ", 0), 0u) << discard.Text;
  game.MnuHint_Click();
  game.PicCards_MouseDown(discard.Target.Index);
  EXPECT_EQ(game.Table.HintTarget.What, TableTarget::None);  // the click put the outline away
  EXPECT_EQ(game.Cards[discard.Target.Index].Place, PlacePile);
  EXPECT_EQ(game.HumanHint().Target.What, TableTarget::None);  // the turn is over
}

// What a click could use, in the keyboard's order: the stock's and the pile's top
// cards while drawing (not a blocked pile), then the hand from left to right, the
// headings a chosen wild card could join from left to right, the command labels
// shown; nothing outside the human's move.
TEST_F(PolicyTest, ClickableNowListsWhatAClickCouldUseInTheKeyboardsOrder) {
  using T = TableTarget;
  BothHaveMelded({17, 18}, {42, 43, 57, 89, 25, 5});
  Meld(Human, RankKing, {92, 93, 94});
  OpenPile({34, 35, 33, 49, 50, 73, 74, 91, 41});
  HumanToDraw();
  int stockTop = 0;  // the stock card a click lands on
  for (int c = 1; c <= CardCount; ++c)
    if (game.Cards[c].Place == PlaceStock &&
        game.Table.PicCards[c].ZOrder > game.Table.PicCards[stockTop].ZOrder)
      stockTop = c;
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
      {"drawing", [&] { HumanToDraw(); }, {{T::Stock, stockTop}, {T::Pile, 41}}},
      {"drawing, the pile blocked",
       [&] { game.Table.Shape1.BorderColor = PileBlocked; },
       {{T::Stock, stockTop}}},
      {"melding", [&] { HumanToMeld(); }, hand({{T::DiscardLabel}, {T::ReturnLabel}})},
      {"melding, a two chosen", [&] { game.PicCards_MouseDown(5); },
       hand({{T::Heading, RankKing}, {T::Heading, RankAce}, {T::DiscardLabel}, {T::ReturnLabel}})},
      {"discarding", [&] { game.LblDiscarding_Click(); }, hand({{T::ReturnLabel}})},
      {"the hand's results shown", [&] { game.Table.FramResults.Visible = true; }, {}},
  };
  for (const auto& [phase, setUp, clickable] : cases) {
    setUp();
    EXPECT_TRUE(game.ClickableNow() == clickable) << phase;
  }
  // A card of the hand lies where it shows: a hand step wide, the last card whole.
  EXPECT_EQ(game.Table.PlaceOf({T::HandCard, 25}).Width, HumanHandStep);
  EXPECT_EQ(game.Table.PlaceOf({T::HandCard, 89}).Width, CardWidth);
}

}  // namespace
