// The human's turn: card clicks, meld headings, the Discard and Return labels
// and the pointer feedback, played on laid-out positions.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

constexpr int Joker = 1;
constexpr int Two = 5;
// The first card of each rank; the other seven follow it.
constexpr int Five = 25;
constexpr int Six = 33;
constexpr int Nine = 57;
constexpr int Queen = 81;
constexpr int King = 89;

class HumanTurnTest : public TableTest {
 protected:
  HumanTurnTest() { Fresh(); }
  void Fresh() {
    game.PlayerName = "Ann";
    game.RobotName = "Robo";
    EmptyTable();
    game.Table.LblDiscarding.Visible = game.Table.LblReturnPack.Visible = false;
  }
  // The melding phase as a draw leaves it, with both labels shown.
  void ToMeld() {
    HumanToMeld();
    game.Table.LblDiscarding.Visible = game.Table.LblReturnPack.Visible = true;
  }
  void Click(int c) { game.PicCards_MouseDown(c); }
  void Discard(int c) {
    game.LblDiscarding_Click();
    Click(c);
  }
  // Natural cards melded in an earlier turn.
  void Melded(int rank, int n) {
    for (int i = 0; i < n; ++i) game.MeldCard(CardOf(rank, i), rank, Human);
    for (int c = 1; c <= CardCount; ++c) game.Cards[c].NewThisTurn = false;
    game.LayOutMelds(Human);
  }
  void Pile(std::initializer_list<int> cards, int state) {
    Put(PlacePile, cards);
    game.UpCard = *(cards.end() - 1);
    game.ShowDiscardPile();
    game.Table.Shape1.BorderColor = state;
  }
  std::vector<int> Places(std::initializer_list<int> cards, bool tops = false) const {
    std::vector<int> v;
    for (int c : cards) v.push_back(tops ? game.Table.PicCards[c].Top : game.Cards[c].Place);
    return v;
  }
  std::string Phase() const {
    const auto& g = game;
    const int flags =
        g.PlayerToPlay * 8 + g.PlayerTurnOpen * 4 + g.PlayerHasDrawn * 2 + g.PlayerDiscarding;
    const bool labels = g.Table.LblDiscarding.Visible && g.Table.LblReturnPack.Visible;
    if (flags == 0) return "over";
    if (flags == 12) return "drawing";
    if (flags == 10 && labels) return "melding";
    if (flags == 9 && !g.Table.LblDiscarding.Visible) return "discarding";
    return "flags " + std::to_string(flags) + (labels ? " with labels" : "");
  }
  const std::string& Status() const { return game.Table.LblGenInfo.Caption; }
  const MeldItems& MeldOf(int rank) const { return game.MeldInfo[Human][rank]; }
  std::vector<std::string> Titles() const { return host.MessageTitles(); }
};

TEST_F(HumanTurnTest, DrawMeldATripleAddAJokerAndDiscard) {
  Put(PlaceHumanHand, {King, King + 1, King + 2, Joker, Five, Nine});
  HumanToDraw();
  int stockCard = 1;
  while (game.Cards[stockCard].Place != PlaceStock) ++stockCard;
  Click(stockCard);
  EXPECT_EQ(CountAt(PlaceHumanHand), 8);
  EXPECT_EQ(Phase(), "melding");
  EXPECT_EQ(Status(),
            "Ann  click a card to meld it and when finished click big label above card and then 1 "
            "card to discard.");

  for (int k : {King, King + 1, King + 2}) Click(k);
  EXPECT_EQ(Places({King, King + 1, King + 2}), std::vector<int>(3, PlaceHumanMeld));
  EXPECT_EQ(Places({King, King + 1, King + 2}, true), (std::vector<int>{5880, 5920, 5960}));
  EXPECT_EQ(game.Table.lblMelds[RankKing].Caption, "Pure:- 3 Wild:-0");
  EXPECT_EQ(game.Table.lblMelds[RankKing].BackColor, RGB(255, 192, 192));

  Click(Joker);
  EXPECT_EQ(game.WildChosen, Joker);
  EXPECT_EQ(game.Table.PicCards[Joker].BorderStyle, 1);
  EXPECT_EQ(Status(), "Ann  now click on label above the Meld to which you wish to add this card.");
  game.LblHeadings_Click(RankKing);
  EXPECT_EQ(game.WildChosen, 0);
  EXPECT_EQ(game.Table.PicCards[Joker].BorderStyle, 0);
  EXPECT_EQ(game.Cards[Joker].Rank, RankKing);
  EXPECT_EQ(Places({Joker, King, King + 1, King + 2}, true),
            (std::vector<int>{5640, 5920, 5960, 6000}));
  EXPECT_EQ(game.Table.PicCards[Joker].Left, 12480);
  EXPECT_EQ(game.Table.lblMelds[RankKing].Caption, "Mixed:- 4 Wild:-1");
  EXPECT_EQ(game.Table.lblMelds[RankKing].BackColor, RGB(192, 192, 255));

  game.LblDiscarding_Click();
  EXPECT_EQ(Phase(), "discarding");
  EXPECT_EQ(Status(), "Ann  now click on 1 card which will be discarded.");
  Click(Five);
  EXPECT_EQ(game.Cards[Five].Place, PlacePile);
  EXPECT_EQ(Phase(), "over");
  EXPECT_EQ(Status(), "Ann  your opponent will now play.");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(HumanTurnTest, DiscardRefusalsAndTheLastCard) {
  Put(PlaceHumanHand, {King, King + 1, King + 2, Five, Nine});
  ToMeld();
  Click(King);
  game.LblDiscarding_Click();
  game.Table.LblReturnPack.Visible = false;
  Click(Five);
  EXPECT_EQ(Titles(), std::vector<std::string>{"Unfinished Meld."});
  EXPECT_EQ(game.Cards[Five].Place, PlaceHumanHand);
  EXPECT_EQ(Phase(), "melding");

  Click(King + 1);
  Click(King + 2);
  Discard(Five);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Unfinished Meld.", "Minimum Meld not met."}));
  EXPECT_EQ(game.Cards[Five].Place, PlaceHumanHand);
  EXPECT_EQ(Phase(), "melding");

  // With nothing melded the minimum meld does not stand in the way.
  game.LblReturnPack_Click();
  EXPECT_EQ(CountAt(PlaceHumanHand), 5);
  Discard(Five);
  EXPECT_EQ(game.Cards[Five].Place, PlacePile);
  EXPECT_EQ(host.messages.size(), 2u);

  // The last card without a canasta stays, and the turn passes all the same.
  Fresh();
  host.messages.clear();
  Put(PlaceHumanHand, {Five});
  ToMeld();
  Discard(Five);
  EXPECT_EQ(Titles(), std::vector<std::string>{"Cannot Discard"});
  EXPECT_EQ(host.messages[0].Message,
            "Ann you cannot discard last card with no Canasta. Robo will now play");
  EXPECT_EQ(game.Cards[Five].Place, PlaceHumanHand);
  EXPECT_EQ(Phase(), "over");
  EXPECT_EQ(Status(), "Ann  your opponnent is now playing.");
  Melded(RankKing, 7);
  ToMeld();
  Discard(Five);
  EXPECT_EQ(game.Cards[Five].Place, PlacePile);
}

TEST_F(HumanTurnTest, GoingOutWithBlackThreesEndsTheHand) {
  Melded(RankKing, 7);
  Put(PlaceHumanHand, {13, 14, 15});
  Put(PlaceRobotHand, {Five});
  ToMeld();
  bool resultsShown = false;
  host.actions.push_back([&] {
    resultsShown = game.Table.FramResults.Visible;
    game.cmdNew_Click();
  });
  Click(14);
  EXPECT_TRUE(resultsShown);
  EXPECT_EQ(Places({13, 14, 15}), std::vector<int>(3, PlaceHumanMeld));
  EXPECT_EQ(game.Table.PointsTotal[Human].Caption, "685");  // 85 melded, 500 canasta, 100 out
  EXPECT_EQ(game.GameScore[Human], 9 + 685);
  EXPECT_EQ(game.GameScore[Robot], -5);
  EXPECT_EQ(Phase(), "over");
}

TEST_F(HumanTurnTest, BlackThreesRefusedWithTheirReasons) {
  const std::string noCanasta =
      "Ann  you cannot go out with black threes until you have a Canasta. ";
  const std::string notThree = "Ann  you must have minimum of 3 black threes in hand to go out.";
  struct Case {
    std::vector<int> hand;
    bool canasta;
    std::string status;  // "Ann -": refused silently
  };
  const Case cases[] = {
      {{13, 14, 15}, false, noCanasta},
      {{13, 14, 15, 16, Five},
       true,
       "Ann  you must have no more than 4 cards in your hand to meld black threes."},
      {{13, 14, Five}, true, notThree},
      {{13, 14, Five}, false, notThree},
      {{13, Five}, false, noCanasta},
      {{13, 14, 15, Five}, false, noCanasta},
      {{13, Five}, true, "Ann -"},
      {{13, 14, Five, Six}, true, "Ann -"},
  };
  for (const Case& k : cases) {
    Fresh();
    if (k.canasta) Melded(RankSeven, 7);
    for (int c : k.hand) Put(PlaceHumanHand, {c});
    ToMeld();
    game.SetStatus("-");
    Click(13);
    EXPECT_EQ(Status(), k.status) << k.hand.size() << " cards";
    EXPECT_EQ(game.Cards[13].Place, PlaceHumanHand);
    EXPECT_EQ(game.GameScore[Human], 0);
    EXPECT_EQ(Phase(), "melding");
  }
}

TEST_F(HumanTurnTest, WildCardsAndTheRatioRule) {
  struct Case {
    int naturals, wilds;
    bool accepted;
  };
  const Case cases[] = {{2, 0, true}, {2, 1, false}, {4, 2, true}, {3, 1, true}, {3, 2, false}};
  for (const Case& k : cases) {
    Fresh();
    Melded(RankKing, k.naturals);
    for (int w = 0; w < k.wilds; ++w) game.MeldWildCard(Two + w, RankKing, Human);
    Put(PlaceHumanHand, {Joker, Five});
    ToMeld();
    Click(Joker);
    game.LblHeadings_Click(RankKing);
    EXPECT_EQ(game.Table.PicCards[Joker].BorderStyle, 0);
    EXPECT_EQ(game.Cards[Joker].Place, k.accepted ? PlaceHumanMeld : PlaceHumanHand)
        << k.naturals << " naturals, " << k.wilds << " wild";
    EXPECT_EQ(MeldOf(RankKing).WildCount, k.wilds + k.accepted);
    EXPECT_EQ(game.WildChosen, k.accepted ? 0 : Joker);
    const std::string ratio =
        "Ann  the ratio of Wild cards to Pure cards is too high to add one at the moment";
    EXPECT_EQ(Status() == ratio, !k.accepted) << Status();
  }

  // No meld under the heading, or the red threes' heading: the choice and its mark stay.
  Fresh();
  Put(PlaceHumanHand, {Joker, Queen, Queen + 1, Queen + 2, Five, Six, Six + 1, Nine, Nine + 1});
  for (int c = 0; c < 3; ++c) game.MeldCard(CardOf(RankAce, c), RankAce, Robot);
  ToMeld();
  game.LblHeadings_Click(RankKing);  // nothing chosen: nothing happens
  EXPECT_EQ(Status(), "Ann General Infomation");
  Click(Joker);
  Click(Joker);
  for (int heading : {13, 15}) {  // the robot's aces are no meld for the red threes' heading
    game.SetStatus("-");
    game.LblHeadings_Click(heading);
    EXPECT_EQ(Status(), "Ann  you cannot add Wild card here as there is no Meld made.");
    EXPECT_EQ(game.WildChosen, Joker);
    EXPECT_EQ(game.Table.PicCards[Joker].BorderStyle, 1);
  }
  Click(Five);  // too few fives: refused, and the choice stays
  EXPECT_EQ(Status(), "Ann  you do not have enough cards in your hand to meld this card");
  EXPECT_EQ(game.WildChosen, Joker);
  Click(Six);  // two sixes and a joker may start a meld; the choice is dropped
  EXPECT_EQ(game.WildChosen, 0);
  EXPECT_EQ(game.Cards[Six].Place, PlaceHumanMeld);
  Put(PlaceStock, {Joker});
  Click(Nine);  // two nines and no wild card may not
  EXPECT_EQ(game.Cards[Nine].Place, PlaceHumanHand);
}

TEST_F(HumanTurnTest, ChosenWildCardStaysInItsTurnAndHand) {
  Melded(RankKing, 6);  // 60 points: the minimum is met
  Put(PlaceHumanHand, {Joker, Two, Five, Six});
  ToMeld();
  Click(Joker);
  Discard(Joker);
  EXPECT_EQ(game.Cards[Joker].Place, PlacePile);
  ToMeld();  // next turn, after the draw
  game.LblHeadings_Click(RankKing);
  EXPECT_EQ(game.Cards[Joker].Place, PlacePile);
  EXPECT_EQ(game.WildChosen, 0);

  // A choice left from a finished turn melds nothing in the robot's turn or before a draw.
  Click(Two);
  Discard(Five);
  game.LblHeadings_Click(RankKing);
  EXPECT_EQ(game.Cards[Two].Place, PlaceHumanHand);
  HumanToDraw();
  game.LblHeadings_Click(RankKing);
  EXPECT_EQ(game.Cards[Two].Place, PlaceHumanHand);
  EXPECT_EQ(MeldOf(RankKing).Count, 6);
  game.WildChosen = Two;
  Fresh();
  EXPECT_EQ(game.WildChosen, 0);  // a new hand forgets it
}

TEST_F(HumanTurnTest, ReturnCardsBeforeAndAfterTheMinimumMeld) {
  // Requirement 90: four fours, a joker and a two make exactly 90, not enough.
  game.GameScore[Human] = 1500;
  const int f = CardOf(RankFour);
  Put(PlaceHumanHand, {Joker, Two, f, f + 1, f + 2, f + 3, Nine});
  ToMeld();
  for (int c : {f, f + 1, f + 2, f + 3}) Click(c);
  for (int wild : {Joker, Two}) {
    Click(wild);
    game.LblHeadings_Click(RankFour);
  }
  EXPECT_EQ(MeldOf(RankFour).Count, 6);
  game.LblDiscarding_Click();  // returning from the discarding phase must not strand the turn
  game.LblReturnPack_Click();
  EXPECT_EQ(CountAt(PlaceHumanHand), 7);
  EXPECT_EQ(std::make_pair(game.Cards[Joker].Rank, game.Cards[Joker].Points),
            std::make_pair(15, 50));
  EXPECT_EQ(std::make_pair(game.Cards[Two].Rank, game.Cards[Two].Points), std::make_pair(2, 20));
  const auto& m = MeldOf(RankFour);
  EXPECT_TRUE(m.Count == 0 && m.WildCount == 0 && m.WildMark == 0 && !m.HasWild && !m.Started);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(Phase(), "melding");
  Discard(Nine);
  EXPECT_EQ(game.Cards[Nine].Place, PlacePile);

  // Met: a dialog, and only melds of one or two cards come back. Two queens
  // sent back earlier carry their old column, one in the hand and one on the
  // pile; only the queen still melded may come back.
  Fresh();
  Melded(RankAce, 3);
  Put(PlaceHumanHand, {Queen, Queen + 2, Queen + 3, King, King + 1, King + 2});
  Pile({Queen + 1}, PileFrozen);
  game.Cards[Queen].MeldColumn[Human] = game.Cards[Queen + 1].MeldColumn[Human] = 12;
  ToMeld();
  for (int c : {Queen + 2, King, King + 1}) Click(c);
  game.LblReturnPack_Click();
  EXPECT_EQ(Titles(), std::vector<std::string>{"Cannot send back now"});
  EXPECT_EQ(host.messages[0].Message,
            "Ann you cannot take all back but if you added 1 card or 2 by mistake then it will go "
            "back to your hand, then click the Discard label before clicking card to discard.");
  EXPECT_EQ(Places({Queen, Queen + 1, Queen + 2, King, King + 1}),
            (std::vector<int>{PlaceHumanHand, PlacePile, PlaceHumanHand, PlaceHumanHand,
                              PlaceHumanHand}));
  EXPECT_FALSE(MeldOf(12).Started || MeldOf(RankKing).Started);
  EXPECT_EQ(CountAt(PlaceHumanMeld), 3);
  EXPECT_EQ(Phase(), "melding");
}

TEST_F(HumanTurnTest, PointerAndTooltipSayWhatAClickWouldDo) {
  const int stock = CardOf(7), robot = CardOf(10), melded = CardOf(11);
  Put(PlaceHumanHand, {Joker, Nine});
  Put(PlaceRobotHand, {robot});
  Pile({13}, PileBlocked);
  game.Cards[melded].Place = PlaceHumanMeld;
  auto moved = [&](int c, int icon, const std::string& tip) {
    game.Table.PicCards[c] = CardPicture{};
    game.Table.PicCards[c].ToolTip = "before";
    game.PicCards_MouseMove(c);
    const auto& p = game.Table.PicCards[c];
    EXPECT_EQ(p.MouseIcon, icon) << c;
    EXPECT_EQ(p.ToolTip, icon == 0 ? "before" : tip) << c;
  };
  HumanToDraw();
  game.PlayerToPlay = false;  // the robot's turn
  moved(stock, 0, "");
  game.PlayerToPlay = true;
  moved(robot, 0, "");
  moved(stock, PointerAct, "Ann left click to take two cards.");
  EXPECT_EQ(game.Table.PicCards[stock].MousePointer, CustomPointer);
  moved(13, PointerRefuse, "Ann discard Blocked - take two Stock cards.");
  game.Table.Shape1.BorderColor = PileFrozen;
  moved(13, PointerAct, "Ann left click to take card. Make sure you can make the Minimum meld.");
  moved(melded, PointerRefuse, "Ann you cannot click these Melded cards.");
  ToMeld();
  moved(robot, 0, "");
  moved(13, PointerRefuse, "Meld or Discard now.");
  moved(Joker, PointerAct, "Click the card you wish to Meld and then Label over Meld to add.");
  moved(Nine, PointerAct, "Click the cards you wish to meld.");
  moved(melded, PointerRefuse, "Ann you cannot click these Melded cards.");

  game.PlayerToPlay = false;  // headings answer in every phase
  for (int heading : {1, 13, 15}) {
    game.LblHeadings_MouseMove(heading);
    const Label& l = game.Table.LblHeadings[heading];
    EXPECT_EQ(l.MousePointer, CustomPointer);
    EXPECT_EQ(l.MouseIcon, PointerAct);
    EXPECT_EQ(l.ToolTip, "Ann click to Meld the Wild card you chose.");
  }
}

TEST_F(HumanTurnTest, TakingThePileAndClicksThatDoNothing) {
  const int stock = CardOf(7), robot = CardOf(10);
  Put(PlaceHumanHand, {King + 1, Five});
  Put(PlaceRobotHand, {robot});
  Pile({Six, King}, PileFrozen);
  auto ignored = [&](int c, const char* why) {
    std::vector<int> before;
    for (int i = 1; i <= CardCount; ++i) before.push_back(game.Cards[i].Place);
    const std::string phase = Phase();
    game.SetStatus("-");
    Click(c);
    for (int i = 1; i <= CardCount; ++i) EXPECT_EQ(game.Cards[i].Place, before[i - 1]) << why;
    EXPECT_EQ(Status(), "Ann -") << why;
    EXPECT_EQ(Phase(), phase) << why;
  };
  HumanToDraw();
  Click(King);  // one king cannot take a frozen pile
  EXPECT_EQ(Status(), "Ann  you cannot Meld the Discard. Click on Stock for two cards.");
  Put(PlaceHumanHand, {King + 2});
  ignored(robot, "robot's card");
  ignored(Five, "hand card before the draw");
  ignored(Six, "buried pile card of another rank");
  game.PlayerToPlay = false;
  ignored(stock, "robot's turn");
  game.PlayerToPlay = true;
  game.HandInPlay = false;
  ignored(stock, "no hand in play");
  game.HandInPlay = true;

  Click(King);
  EXPECT_EQ(game.Cards[King].Place, PlaceHumanMeld);
  EXPECT_TRUE(game.PlayerPileDue);
  EXPECT_EQ(Phase(), "melding");
  ignored(stock, "stock while melding");
  ignored(Six, "pile while melding");
  Click(King + 1);
  Click(King + 2);
  game.LblDiscarding_Click();
  ignored(stock, "stock while discarding");
  ignored(Six, "pile while discarding");

  // Giving back the pile's top card costs 50 and the human draws again.
  game.LblReturnPack_Click();
  EXPECT_EQ(Titles(), std::vector<std::string>{"Cards taken back"});
  EXPECT_EQ(game.PenaltyPoints, 50);
  EXPECT_EQ(Places({King, Six, King + 1, King + 2}),
            (std::vector<int>{PlacePile, PlacePile, PlaceHumanHand, PlaceHumanHand}));
  EXPECT_EQ(Phase(), "drawing");
}

}  // namespace
