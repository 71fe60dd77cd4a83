// Melds, their layout and labels, and the human's turn: card clicks, meld headings, the
// Discard and Return labels and the pointer feedback, played on laid-out positions.
#include <gtest/gtest.h>

#include <tuple>

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

const std::string Melding =
    "Player  click a card to meld it and when finished click big label above card and then 1 "
    "card to discard.";

class HumanTurnTest : public TableTest {
 protected:
  HumanTurnTest() { EmptyTable(); }
  void Discard(int c) {
    game.LblDiscarding_Click();
    Click(c);
  }
  // Chooses a wild card and then the heading of the meld it is to join.
  void Wild(int c, int heading) {
    Click(c);
    game.LblHeadings_Click(heading);
  }
  // The phase of the turn as its flags and the two command labels show it.
  std::string Phase() const {
    const auto& g = game;
    const int f =
        g.PlayerToPlay * 8 + g.PlayerTurnOpen * 4 + g.PlayerHasDrawn * 2 + g.PlayerDiscarding;
    const bool labels = g.Table.LblDiscarding.Visible && g.Table.LblReturnPack.Visible;
    if (f == 10 && labels) return "melding";
    return f == 0 ? "over" : f == 12 ? "drawing" : "flags " + std::to_string(f);
  }
  // An ignored click leaves the status line, the phase and every card's place as they were.
  void Ignored(int c) {
    auto table = [&] {
      std::string t = Status() + "|" + Phase() + "|";
      for (int k = 1; k <= CardCount; ++k) t += std::to_string(Where(k)) + " ";
      return t;
    };
    const std::string before = table();
    Click(c);
    EXPECT_EQ(table(), before) << "card " << c;
  }
};

TEST_F(HumanTurnTest, WholeTurnWithItsRefusalsAndIgnoredClicks) {
  const int robot = Ten, stock = Seven;
  game.GameScore[Human] = 1500;  // a minimum meld of 90
  Put(PlaceHumanHand,
      {King, King + 1, King + 2, King + 3, Joker, Two, Two + 1, Five, Nine, Nine + 2});
  Put(PlaceRobotHand, {robot});
  Pile({Six, Nine + 1}, PileFrozen);
  HumanToDraw();
  for (int c : {robot, Five, Six}) Ignored(c);  // Six: a buried pile card of another rank
  game.LblDiscarding_Click();                   // hidden while drawing: no click can reach it
  EXPECT_EQ(Phase(), "drawing");
  game.HandInPlay = false;
  Ignored(stock);
  game.HandInPlay = true;
  game.Table.Shape1.BorderColor = PileBlocked;
  Click(Nine + 1);
  EXPECT_EQ(Status(), "Player  you cannot Meld the Discard. Click on Stock for two cards.");

  host.Picks({Queen, Queen + 1});
  Click(stock);
  EXPECT_EQ(Places({Queen, Queen + 1}), std::vector<int>(2, PlaceHumanHand));
  EXPECT_EQ(Phase(), "melding");
  for (int c : {stock, Nine + 1}) Ignored(c);
  Click(King);
  game.Table.LblReturnPack.Visible = false;
  Discard(Five);
  EXPECT_EQ(host.MessageTitles(), Texts{"Unfinished Meld."});
  EXPECT_EQ(Phase(), "melding");
  auto meldKings = [&](std::initializer_list<int> wilds) {
    for (int c : {King, King + 1, King + 2, King + 3}) Click(c);
    for (int wild : wilds) Wild(wild, RankKing);
  };
  meldKings({Joker});
  Discard(Five);  // exactly 90 points against 90
  EXPECT_EQ(host.MessageTitles().back(), "Minimum Meld not met.");
  // Returning from the discarding phase gives everything back and must not strand the turn.
  game.LblDiscarding_Click();
  game.LblReturnPack_Click();
  EXPECT_EQ(CountAt(PlaceHumanHand), 12);
  EXPECT_EQ(game.Cards[Joker].Rank, RankJoker);
  EXPECT_EQ(Phase(), "melding");

  meldKings({Joker, Two});  // 110 points
  EXPECT_EQ(Places({King, King + 2, Joker, Two}), std::vector<int>(4, PlaceHumanMeld));
  Click(Two + 1);  // chosen, and still chosen when the turn ends
  game.LblDiscarding_Click();
  for (int c : {stock, Nine + 1}) Ignored(c);
  Click(Five);
  EXPECT_EQ(Where(Five), PlacePile);
  EXPECT_EQ(Phase(), "over");
  EXPECT_EQ(Status(), "Player  your opponent will now play.");
  Ignored(Nine);
  game.LblHeadings_Click(RankKing);  // the robot's turn: the choice melds nothing
  EXPECT_EQ(Where(Two + 1), PlaceHumanHand);
}

TEST_F(HumanTurnTest, GoingOutNeedsACanasta) {
  // The last card without a canasta stays, and the turn passes all the same.
  Put(PlaceHumanHand, {Five});
  HumanToMeld();
  Discard(Five);
  EXPECT_EQ(host.messages.at(0).Message,
            "Player you cannot discard last card with no Canasta. Barnaby will now play");
  EXPECT_EQ(Where(Five), PlaceHumanHand);
  EXPECT_EQ(Phase(), "over");
  Melded(Human, RankKing, 7);
  HumanToMeld();
  Discard(Five);
  EXPECT_EQ(Where(Five), PlacePile);

  const std::string said[] = {
      "Player -",  // refused silently
      "Player  you cannot go out with black threes until you have a Canasta. ",
      "Player  you must have no more than 4 cards in your hand to meld black threes.",
      "Player  you must have minimum of 3 black threes in hand to go out."};
  // The hand, whether a canasta is melded, and what is said.
  const std::tuple<std::vector<int>, bool, int> cases[] = {
      {{BlackThree, BlackThree + 1, BlackThree + 2}, false, 1},
      {{BlackThree, BlackThree + 1, BlackThree + 2, BlackThree + 3, Five}, true, 2},
      {{BlackThree, BlackThree + 1, Five}, false, 3},
      {{BlackThree, BlackThree + 1, BlackThree + 2, Five}, false, 1},
      {{BlackThree, BlackThree + 1, Five, Six}, true, 0}};
  for (const auto& [hand, canasta, status] : cases) {
    EmptyTable();
    if (canasta) Melded(Human, RankSeven, 7);
    Put(PlaceHumanHand, hand);
    HumanToMeld();
    game.SetStatus("-");
    Click(BlackThree);
    EXPECT_EQ(Status(), said[status]) << hand.size() << " cards";
    EXPECT_EQ(Where(BlackThree), PlaceHumanHand);
  }

  // Three black threes and a canasta: +9, and the hand ends and is scored.
  EmptyTable();
  Melded(Human, RankKing, 7);
  Put(PlaceHumanHand, {BlackThree, BlackThree + 1, BlackThree + 2});
  Put(PlaceRobotHand, {Five});
  HumanToMeld();
  host.actions.push_back([&] { game.cmdNew_Click(); });
  Click(BlackThree + 1);
  EXPECT_EQ(Places({BlackThree, BlackThree + 1, BlackThree + 2}),
            std::vector<int>(3, PlaceHumanMeld));
  // 9 for the threes; the hand: 85 melded, 500 canasta, 100 out.
  EXPECT_EQ(game.GameScore[Human], 9 + 685);
  EXPECT_EQ(game.GameScore[Robot], -5);
  EXPECT_EQ(Phase(), "over");
}

TEST_F(HumanTurnTest, WildCardsAndTheRatioRule) {
  // Naturals and wild cards in the kings' meld, and whether it takes the joker.
  const std::tuple<int, int, bool> cases[] = {
      {2, 0, true}, {2, 1, false}, {4, 2, true}, {3, 1, true}, {3, 2, false}};
  for (auto [naturals, wilds, accepted] : cases) {
    EmptyTable();
    Melded(Human, RankKing, naturals);
    for (int w = 0; w < wilds; ++w) game.MeldWildCard(Two + w, RankKing, Human);
    Put(PlaceHumanHand, {Joker, Five});
    HumanToMeld();
    Wild(Joker, RankKing);
    EXPECT_EQ(game.Table.PicCards[Joker].BorderStyle, 0);
    EXPECT_EQ(Where(Joker), accepted ? PlaceHumanMeld : PlaceHumanHand) << naturals << wilds;
    const std::string ratio =
        "Player  the ratio of Wild cards to Pure cards is too high to add one at the moment";
    EXPECT_EQ(Status(), accepted ? Melding : ratio);
  }

  // No meld under the heading, or the red threes' heading: the choice and its mark stay.
  EmptyTable();
  Put(PlaceHumanHand, {Joker, Five, Six, Six + 1, Nine, Nine + 1});
  Melded(Robot, RankAce, 3);  // the robot's aces are no meld for the human's headings
  HumanToMeld();
  Click(Joker);
  for (int heading : {RankAce, RankJoker}) {
    game.SetStatus("-");
    game.LblHeadings_Click(heading);
    EXPECT_EQ(Status(), "Player  you cannot add Wild card here as there is no Meld made.");
    EXPECT_EQ(game.Table.PicCards[Joker].BorderStyle, 1);
  }
  Click(Five);  // too few fives: refused, and the choice stays
  EXPECT_EQ(Status(), "Player  you do not have enough cards in your hand to meld this card");
  EXPECT_EQ(game.WildChosen, Joker);
  Click(Six);  // two sixes and a joker may start a meld; the choice is dropped
  EXPECT_EQ(game.WildChosen, 0);
  EXPECT_EQ(Where(Six), PlaceHumanMeld);
  // A chosen wild card that has left the hand is no longer chosen.
  Click(Six + 1);
  Click(Joker);
  Put(PlacePile, {Joker});
  game.LblHeadings_Click(RankSix);
  EXPECT_EQ(Where(Joker), PlacePile);
  Click(Nine);  // two nines and no wild card may not
  EXPECT_EQ(Where(Nine), PlaceHumanHand);
}

TEST_F(HumanTurnTest, ReturnBeforeTheMinimumMeldTakesBackAllThatWasMeldedThisTurn) {
  // Kings with a joker among them, all taken back: the column is empty and pure again.
  game.GameScore[Human] = 3000;  // a minimum meld of 120, not met by 90
  Put(PlaceHumanHand, {Joker, Five});
  for (int k = 0; k < 8; ++k) Put(PlaceHumanHand, {King + k});
  HumanToMeld();
  for (int c : {King, King + 1, King + 2}) Click(c);
  Wild(Joker, RankKing);
  Click(King + 3);
  game.LblReturnPack_Click();
  EXPECT_EQ(std::make_pair(game.Table.lblMelds[RankKing].Caption,
                           game.Table.lblMelds[RankKing].BackColor),
            std::make_pair(std::string("NoMelds"), NoMeldColor));
  EXPECT_EQ(game.Table.LblMeldScore[Human].Caption, "Meld Pts. 0");
  for (int k = 0; k < 7; ++k) Click(King + k);
  EXPECT_EQ(game.Table.lblMelds[RankKing].Caption, " Pure Canasta 7 Wild:-0");
  game.CountBonuses(Human);
  EXPECT_EQ(game.BonusPoints[Human], 500);
}

// Once the minimum meld is met only melds of one or two cards go back, and
// what stays may no longer meet it.
TEST_F(HumanTurnTest, ReturnAfterTheMinimumMeldTakesBackOnlyUnfinishedMelds) {
  // A queen sent back earlier still has its old column, one in the hand and one on the pile.
  Put(PlaceHumanHand, {King, King + 1, King + 2, King + 3, King + 4, Ace, Ace + 1, Joker, Five});
  Put(PlaceHumanHand, {Queen, Queen + 2, Queen + 3});
  Pile({Queen + 1});
  game.Cards[Queen].MeldColumn[Human] = game.Cards[Queen + 1].MeldColumn[Human] = RankQueen;
  HumanToMeld();
  for (int c : {King, King + 1, King + 2, King + 3, King + 4, Ace, Ace + 1, Queen + 2}) Click(c);
  ASSERT_TRUE(game.MinMeldMet[Human]);
  game.LblReturnPack_Click();
  EXPECT_EQ(host.MessageTitles(), Texts{"Cannot send back now"});
  EXPECT_EQ(Places({Queen, Queen + 1, Queen + 2, Ace, Ace + 1, King + 4}),
            (std::vector<int>{PlaceHumanHand, PlacePile, PlaceHumanHand, PlaceHumanHand,
                              PlaceHumanHand, PlaceHumanMeld}));
  EXPECT_EQ(Phase(), "melding");
  // Five kings are exactly 50 against 50.
  EXPECT_EQ(game.Table.LblMinMeld.Caption, "PlayerMinimum Meld: 0");
  EXPECT_EQ(game.Table.LblMeldScore[Human].Caption, "Meld Pts. 50");
  Discard(Five);
  EXPECT_EQ(host.MessageTitles().back(), "Minimum Meld not met.");
  EXPECT_EQ(Where(Five), PlaceHumanHand);
  EXPECT_EQ(Status(), Melding);  // back to melding, and told so
}

// The pile taken before the first meld came to the hand once the minimum was
// beaten, and Return Cards then sends back the melds that cannot stand: the
// pile stays only if the melds left still make the first meld; if not, the
// whole pile goes back with its penalty and the human draws again.
TEST_F(HumanTurnTest, APileTakenForAFirstMeldThatFailsGoesBackWhole) {
  struct Case {
    int score, top;
    std::vector<int> hand, melds;
    bool kept;
  };
  const Case cases[] = {
      // Two aces and three kings beat 50 with the four; the kings alone do not.
      {0,
       Four,
       {Four + 1, Four + 2, Ace, Ace + 1, Ace + 2, King + 1, King + 2, King + 3},
       {Ace, Ace + 1, King + 1, King + 2, King + 3},
       false},
      {-10, Ace, {Ace + 1, Ace + 2}, {}, false},  // the ace alone beat 15, and goes
      {0, Four, {Four + 1, Four + 2, Ace, Ace + 1, Ace + 2}, {Ace, Ace + 1, Ace + 2}, true},
  };
  for (const Case& t : cases) {
    EmptyTable();
    game.GameScore[Human] = t.score;
    Put(PlaceHumanHand, t.hand);
    Put(PlaceHumanHand, {Nine});
    Pile({King, t.top}, PileOpen);
    HumanToDraw();
    Click(t.top);
    for (int c : t.melds) Click(c);
    ASSERT_EQ(Where(King), PlaceHumanHand) << t.top;  // the first meld brought the pile
    Discard(Nine);                                    // refused: the top card's meld is unfinished
    host.messages.clear();
    game.LblReturnPack_Click();
    if (t.kept) {
      EXPECT_EQ(Places({t.top, King}), std::vector<int>(2, PlaceHumanHand));
      EXPECT_EQ(std::pair(game.PenaltyPoints, Phase()), std::pair(0, std::string("melding")));
      continue;
    }
    EXPECT_EQ(host.MessageTitles(), (Texts{"Cannot send back now", "Cards taken back"}));
    EXPECT_EQ(Places({t.top, King}), std::vector<int>(2, PlacePile)) << t.top;
    EXPECT_EQ(Places(t.hand), std::vector<int>(t.hand.size(), PlaceHumanHand));
    EXPECT_EQ(std::tuple(game.UpCard, game.DiscardCount, game.PenaltyPoints, Phase()),
              std::tuple(t.top, 2, 50, std::string("drawing")));
    EXPECT_EQ(HandLogLines(game).back(), "You gave the discard pile back and lost 50 points");
  }
}

// A taken top card that Return Cards sends to the hand, the pile staying there,
// is a card of the hand again: melded anew, the move log tells it.
TEST_F(HumanTurnTest, ATopCardReturnedWhileThePileStaysIsAHandCardAgain) {
  Melded(Human, RankAce, 3);  // the first meld, made in an earlier turn
  Put(PlaceHumanHand, {Four + 1, Four + 2, Nine});
  Pile({King, Four}, PileOpen);
  HumanToDraw();
  Click(Four);
  Discard(Nine);  // refused: the fours' meld is unfinished
  game.LblReturnPack_Click();
  ASSERT_EQ(Places({Four, King}), std::vector<int>(2, PlaceHumanHand));
  EXPECT_FALSE(game.Cards[Four].FromDiscard);
  for (int c : {Four, Four + 1, Four + 2}) Click(c);
  EXPECT_EQ(HandLogLines(game).back(), "You melded three fours");
}

TEST_F(HumanTurnTest, PointerSaysWhetherAClickWouldAct) {
  Put(PlaceHumanHand, {Nine});
  Put(PlaceRobotHand, {King});
  Pile({BlackThree}, PileBlocked);
  auto icon = [&](int c) {
    game.Table.PicCards[c].MouseIcon = 0;
    game.PicCards_MouseMove(c);
    return game.Table.PicCards[c].MouseIcon;
  };
  HumanToDraw();
  EXPECT_EQ(std::make_pair(icon(King), icon(BlackThree)), std::make_pair(0, PointerRefuse));
  EXPECT_EQ(game.Table.PicCards[BlackThree].ToolTip,
            "Player discard Blocked - take two Stock cards.");
  game.Table.Shape1.BorderColor = PileFrozen;
  EXPECT_EQ(icon(BlackThree), PointerAct);
  HumanToMeld();
  EXPECT_EQ(std::make_pair(icon(BlackThree), icon(Nine)),
            std::make_pair(PointerRefuse, PointerAct));
  game.PlayerToPlay = false;  // the robot's turn
  EXPECT_EQ(icon(Nine), 0);
}

}  // namespace
