// The discard pile's picture and state, taking and giving back the pile, and
// the scores of a hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

using Pos = std::pair<int, int>;

class DiscardPileTest : public TableTest {
 protected:
  std::vector<int> Places(std::initializer_list<int> cards) const {
    std::vector<int> places;
    for (int c : cards) places.push_back(game.Cards[c].Place);
    return places;
  }
  Pos At(int c) const { return {game.Table.PicCards[c].Left, game.Table.PicCards[c].Top}; }
  int Shown(const std::string& title) const {
    const auto titles = host.MessageTitles();
    return static_cast<int>(std::count(titles.begin(), titles.end(), title));
  }
  void Pile(std::initializer_list<int> cards, int up) {
    Put(PlacePile, cards);
    game.UpCard = up;
    game.ShowDiscardPile();
  }
};

TEST_F(DiscardPileTest, DiscardColoursThePileForThePlayerWhoMovesNext) {
  EmptyTable();
  const int seven = CardOf(RankSeven), three = CardOf(RankBlackThree);
  Pile({CardOf(5)}, CardOf(5));
  Put(PlaceHumanHand, {three, CardOf(RankEight), CardOf(9), CardOf(RankBlackThree, 1)});
  Put(PlaceRobotHand, {seven, CardOf(RankSeven, 1), CardOf(RankSeven, 2), CardOf(RankTwo)});
  game.MinMeldMet[Robot] = true;
  std::vector<int> colours;
  auto discard = [&](int player, int card) {
    game.DiscardCard(player, card);
    colours.push_back(game.Table.Shape1.BorderColor);
  };
  discard(Human, three);  // black three on top
  EXPECT_FALSE(game.MayTakePile(Robot));
  discard(Human, CardOf(RankEight));  // the robot has met the minimum meld
  discard(Robot, seven);              // the human has not
  game.MinMeldMet[Human] = true;
  discard(Robot, CardOf(RankSeven, 1));
  discard(Robot, CardOf(RankTwo));  // a wild card in the pile freezes it for both
  discard(Human, CardOf(9));
  discard(Human, CardOf(RankBlackThree, 1));
  EXPECT_EQ(colours, std::vector({PileBlocked, PileOpen, PileFrozen, PileOpen, PileFrozen,
                                  PileFrozen, PileBlocked}));
  EXPECT_EQ(game.Table.LblDiscard.Caption, "Discards: 8");
}

TEST_F(DiscardPileTest, PileFansOutWithWildCardsRaisedAndTheUpCardOnTop) {
  EmptyTable();
  game.ShowDiscardPile();
  EXPECT_EQ(game.Table.LblDiscard.Caption, "Discards: 0");
  for (int c = 1; c <= CardCount; ++c) EXPECT_EQ(At(c), Pos(2 * (c - 1), 9360 - 2 * (c - 1)));

  const int joker = CardOf(RankJoker), five = CardOf(5), seven = CardOf(RankSeven);
  const auto& pic = game.Table.PicCards;
  Pile({seven, joker, five}, five);
  EXPECT_EQ(game.Table.LblDiscard.Caption, "Discards: 3");
  // Fanned 5 right and 5 up in card order; the up card goes to the next step.
  EXPECT_EQ(std::vector({At(joker), At(five), At(seven)}),
            (std::vector<Pos>{{0, 6840 - 500}, {5, 6825}, {10, 6830}}));
  EXPECT_GT(pic[five].ZOrder, pic[seven].ZOrder);
  game.UpCard = joker;  // a wild up card is not raised
  game.ShowDiscardPile();
  EXPECT_EQ(At(joker), Pos(0, 6825));
  // An up card already taken is left where it lies.
  Put(PlaceHumanMeld, {joker});
  game.Table.PicCards[joker].Top = 5640;
  game.ShowDiscardPile();
  EXPECT_EQ(At(joker), Pos(0, 5640));
  EXPECT_GT(pic[seven].ZOrder, pic[five].ZOrder);
}

TEST_F(DiscardPileTest, MayTakePileFollowsThePileStateAndTheHand) {
  EmptyTable();
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
  Put(PlaceStock, {CardOf(RankJoker)});
  EXPECT_FALSE(may(PileOpen, Human));
  // A king meld already made takes an open pile with no king in hand.
  Pile({king}, king);
  game.MeldInfo[Human][RankKing].Started = true;
  EXPECT_TRUE(may(PileOpen, Human));
  EXPECT_FALSE(may(PileFrozen, Human));
  // Nothing takes an up card already taken.
  Put(PlaceHumanMeld, {king});
  game.UpCard = king;
  Put(PlaceHumanHand, {CardOf(RankKing, 1), CardOf(RankKing, 2)});
  EXPECT_FALSE(may(PileFrozen, Human));
}

TEST_F(DiscardPileTest, RobotTakesThePileWithOneNaturalAndATwo) {
  EmptyTable();
  for (int k = 0; k < 6; ++k) game.MeldCard(CardOf(RankKing, k), RankKing, Robot);
  const int top = CardOf(RankSeven), seven = CardOf(RankSeven, 1), two = CardOf(RankTwo);
  Pile({CardOf(9), top}, top);
  Put(PlaceRobotHand, {two, CardOf(RankTwo, 1), seven, CardOf(10)});
  game.Table.Shape1.BorderColor = PileOpen;
  ASSERT_TRUE(game.MayTakePile(Robot) && game.MinMeldMet[Robot]);
  game.TakePileTop(Robot);
  EXPECT_EQ(Places({top, seven, two, CardOf(RankTwo, 1), CardOf(9)}),
            std::vector({19, 19, 19, 2, 2}));
  EXPECT_EQ(game.MeldInfo[Robot][RankSeven].Count, 3);
  EXPECT_EQ(game.MeldInfo[Robot][RankSeven].WildCount, 1);
  EXPECT_TRUE(game.Cards[two].NewThisTurn);
  EXPECT_FALSE(game.RobotPileDue);
  // A pile of one card still due is handed over whole.
  Pile({CardOf(12)}, CardOf(12));
  game.RobotPileDue = true;
  game.HandOverPile(Robot);
  EXPECT_EQ(game.Cards[CardOf(12)].Place, PlaceRobotHand);
  EXPECT_FALSE(game.RobotPileDue);
}

// The human takes an open pile topped by a four, holding two fours, a two and
// three aces: the fours and the two make 35, short of the minimum of 50.
class HumanTakesPile : public DiscardPileTest {
 protected:
  void SetUp() override {
    EmptyTable();
    Pile({king, four}, four);
    Put(PlaceHumanHand, {two, CardOf(RankFour, 1), CardOf(RankFour, 2), CardOf(RankAce),
                         CardOf(RankAce, 1), CardOf(RankAce, 2), CardOf(9)});
    game.Table.Shape1.BorderColor = PileOpen;
    HumanToDraw();
    game.CheckMinimumMeld(Human);
  }
  void TakeAndMeldFours() {
    for (int c : {four, CardOf(RankFour, 1), CardOf(RankFour, 2), two}) game.PicCards_MouseDown(c);
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
  EXPECT_TRUE(game.PlayerPileDue);
  EXPECT_EQ(game.Cards[king].Place, PlacePile);
  MeldAces();
  EXPECT_EQ(game.Cards[king].Place, PlaceHumanHand);
  EXPECT_FALSE(game.PlayerPileDue);
  EXPECT_EQ(Shown("Discards coming to hand"), 1);
  EXPECT_EQ(host.messages[0].Message + "|" + host.messages[0].Button0,
            "Player you have made the minimum meld and rest of pack is now being given to you|"
            "Right");
}

TEST_F(HumanTakesPile, PileComesAtOnceAfterTheMinimumMeld) {
  HumanToMeld();
  MeldAces();
  HumanToDraw();
  game.PicCards_MouseDown(four);
  EXPECT_EQ(Places({four, king}), std::vector({18, 1}));
  EXPECT_FALSE(game.PlayerPileDue);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(HumanTakesPile, TakeBackReturnsTheTopCardWithOnePenaltyAndReopensTheDraw) {
  TakeAndMeldFours();
  game.LblReturnPack_Click();
  const auto& m = host.messages.at(0);
  EXPECT_EQ(host.MessageTitles(), std::vector<std::string>{"Cards taken back"});
  EXPECT_EQ(m.Message + "|" + m.Button0,
            "Player you lose 50 points for taking Discard and failing to meet Minimum Meld|O.K.");
  EXPECT_EQ(game.Table.LblBonusScore[Human].Caption, "Bonus Pts. -50");
  // The four is the pile's top card again; the rest is back in the hand.
  EXPECT_EQ(Places({four, two, CardOf(RankFour, 1), CardOf(RankFour, 2)}),
            std::vector({17, 1, 1, 1}));
  EXPECT_EQ(std::vector({game.Cards[two].Rank, game.Cards[two].Points}), std::vector({2, 20}));
  const MeldItems& fours = game.MeldInfo[Human][RankFour];
  EXPECT_FALSE(fours.Count || fours.Started || fours.HasWild || fours.WildCount || fours.WildMark);
  // Nothing was drawn this turn: the human is back in the drawing phase.
  EXPECT_TRUE(game.PlayerTurnOpen && !game.PlayerHasDrawn && !game.PlayerPileDue);
  EXPECT_FALSE(game.Table.LblDiscarding.Visible || game.Table.LblReturnPack.Visible);
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Player  click the Discard pack or click Stock for two cards.");
  game.PicCards_MouseDown(CardOf(RankAce));  // no melding before drawing
  EXPECT_EQ(game.Cards[CardOf(RankAce)].Place, PlaceHumanHand);
  // Taking and returning the pile once more costs nothing more.
  game.PicCards_MouseDown(four);
  ASSERT_EQ(game.Cards[four].Place, PlaceHumanMeld);
  game.LblReturnPack_Click();
  EXPECT_EQ(game.PenaltyPoints, 50);
  // Drawing and then meeting the minimum meld leaves the pile where it is.
  game.PicCards_MouseDown(CardOf(12));
  MeldAces();
  EXPECT_TRUE(game.MinMeldMet[Human]);
  EXPECT_EQ(Places({four, king}), std::vector({17, 17}));
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

TEST_F(DiscardPileTest, BonusesCountRedThreesCanastasAndThePenaltyOnce) {
  EmptyTable();
  Put(PlaceHumanRedThree, {105});
  std::vector<int> bonus;
  auto count = [&] {
    game.CountBonuses(Human);
    bonus.push_back(game.BonusPoints[Human]);
  };
  count();
  EXPECT_EQ(game.Table.lblMelds[14].Caption, "Pts. -100");
  game.MeldInfo[Human][RankBlackThree].Started = true;  // no natural meld
  count();
  game.MeldInfo[Human][RankAce].Started = true;
  count();
  Put(PlaceHumanRedThree, {106, 107, 108});
  count();
  game.MeldInfo[Human][RankAce].Started = false;
  count();
  EXPECT_EQ(bonus, std::vector({-100, -100, 100, 800, -800}));

  Put(PlaceStock, {105, 106});
  Put(PlaceRobotRedThree, {107, 108});
  auto& robot = game.MeldInfo[Robot];
  robot[RankKing] = {7, 0, 0, false, true};  // pure
  robot[RankAce] = {8, 2, 3, true, true};    // mixed
  robot[RankSeven] = {6, 0, 0, false, true};
  robot[RankBlackThree] = {7, 0, 0, false, true};
  game.PenaltyPoints = 50;
  game.CountBonuses(Robot);
  EXPECT_EQ(
      std::vector({game.PureCanastas[Robot], game.MixedCanastas[Robot], game.BonusPoints[Robot]}),
      std::vector({1, 1, 500 + 300 + 200}));
  EXPECT_EQ(game.Table.lblMeldsC[14].Caption, "Pts. 200");
  game.MeldInfo[Human][RankSeven] = {7, 1, 1, true, true};
  for (int i = 0; i < 3; ++i) count();
  EXPECT_EQ(bonus.back(), 300 - 50);

  game.MeldPoints = {0, 120, 75};
  game.HandPoints = {0, 35, 90};
  game.GameScore = {0, 1500, -20};
  game.CountBonuses(Robot);
  const auto& t = game.Table;
  EXPECT_EQ(std::vector({t.LblBonusScore[Human].Caption, t.LblMeldScore[Robot].Caption,
                         t.LblHandScore[Robot].Caption, t.LblGameScore[Robot].Caption,
                         t.LblPointsHand.Caption}),
            std::vector<std::string>({"Bonus Pts. 250", "Meld Pts. 75", "Hand Pts. 1075",
                                      "Game Pts. -20", "Pts. Hand: 35"}));
}

class HandResult : public DiscardPileTest {
 protected:
  // Scores the hand and answers the results frame after `shown` has read it.
  void Score(const std::function<void()>& shown) {
    host.actions.push_back([&, shown] {
      EXPECT_TRUE(game.Table.FramResults.Visible);
      shown();
      game.cmdNew_Click();
    });
    game.ShowHandResult();
  }
  std::vector<std::string> Column(int p) const {
    const auto& t = game.Table;
    std::vector<std::string> v;
    for (const auto* row : {&t.CardPoints, &t.RThreesPoints, &t.MixedCans, &t.PureCans, &t.OutFirst,
                            &t.MinusPoints, &t.PointsTotal, &t.LblGamePoints})
      v.push_back((*row)[p].Caption);
    return v;
  }
};

TEST_F(HandResult, HumanWhoWentOutWinsAndSeesTheRobotsHand) {
  EmptyTable();
  for (int k = 0; k < 7; ++k) game.MeldCard(CardOf(RankKing, k), RankKing, Human);
  Put(PlaceHumanRedThree, {105});
  for (int k = 0; k < 6; ++k) game.MeldCard(CardOf(RankSeven, k), RankSeven, Robot);
  game.MeldWildCard(CardOf(RankTwo), RankSeven, Robot);
  Put(PlaceRobotHand, {CardOf(RankAce), CardOf(RankAce, 1), CardOf(RankJoker)});
  game.GameScore = {0, 1000, 2000};
  game.PenaltyPoints = 50;
  game.CountBonuses(Human);
  Score([&] {
    // 500 pure + 100 red three - 50 penalty + 100 out + 70 melded.
    EXPECT_EQ(Column(Human),
              std::vector<std::string>({"70", "100", "0", "500", "100", " - 0", "720", "1720"}));
    EXPECT_EQ(Column(Robot),
              std::vector<std::string>({"50", "0", "300", "0", "", " - 90", "260", "2260"}));
    EXPECT_EQ(game.Table.lblInfoScores.Caption,
              "game not over - click 'Carry On' button' or 'Exit'");
    EXPECT_EQ(game.Table.LblGenInfo.Caption,
              "Well done, you  beat Barnaby this hand with total score of  720 against his "
              "score of  260");
    EXPECT_EQ(game.Table.PicCards[CardOf(RankJoker)].Image, CardOf(RankJoker));
  });
  // The hand's scores are cleared; the game's stay.
  EXPECT_FALSE(game.Table.FramResults.Visible);
  EXPECT_EQ(game.Table.LblMeldScore[Human].Caption + game.Table.LblGameScore[Robot].Caption,
            "Meld Pts. 0Game Pts. 2260");
}

TEST_F(HandResult, RobotsHandStaysHiddenUnlessTheHumanWinsAndTheTargetEndsTheGame) {
  EmptyTable();
  Put(PlaceHumanHand, {CardOf(5)});
  Put(PlaceRobotHand, {CardOf(6)});
  auto shows = [&](const std::string& status, int hidden) {
    Score([&, status, hidden] {
      EXPECT_EQ(game.Table.lblInfoScores.Caption, status);
      EXPECT_EQ(game.Table.PicCards[hidden].Image, BackImage);
    });
  };
  game.GameScore = {0, 5005, 100};  // equal hands of 5 points; the human ends on 5000
  shows("Game is over - click 'Carry On' button'", CardOf(6));
  game.GameScore = {0, 5004, 100};
  shows("game not over - click 'Carry On' button' or 'Exit'", CardOf(6));
  game.GameScore = {0, 4000, 5015};
  game.RobotName = "Zed";
  Put(PlaceHumanHand, {CardOf(RankAce)});
  Put(PlaceRobotHand, {CardOf(RankKing)});
  shows("Game is over - click 'Carry On' button'", CardOf(RankKing));
  EXPECT_EQ(game.Table.LblGenInfo.Caption,
            "Sorry, Zed beat you this hand with total score of  -15 against your score of -25");
  EXPECT_EQ(Column(Robot),
            std::vector<std::string>({"0", "0", "0", "0", "", " - 15", "-15", "5000"}));
}

}  // namespace
