// The stock and card flights, the deal, the new-hand reset and the game
// driver, on a host whose pauses can be watched and whose stock draws can be
// chosen card by card.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ScriptedHost.h"
#include "ScriptedHuman.h"
#include "state/Game.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

using Pos = std::pair<int, int>;

class ProbeHost : public ScriptedHost {
 public:
  using ScriptedHost::ScriptedHost;
  std::function<void()> onPause;
  std::deque<double> randoms;  // handed out first, then the seeded source

  void WaitUntil(std::int64_t deadline) override {
    ScriptedHost::WaitUntil(deadline);
    if (onPause) onPause();
  }
  double Random() override {
    if (randoms.empty()) return ScriptedHost::Random();
    const double r = randoms.front();
    randoms.pop_front();
    return r;
  }
  // The next stock draws pick exactly these cards.
  void Picks(std::initializer_list<int> cards) {
    for (int c : cards) randoms.push_back(c / 108.0);
  }
};

class DealDriverTest : public ::testing::Test {
 protected:
  DealDriverTest() : host(3), game(host) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path() /
             ("larkspur-dd-" + std::to_string(::getpid()) + test->name());
    std::filesystem::create_directories(folder);
    host.folder = folder.string();
    // A deal is seen at its first flight, while both hands are still empty.
    host.onPause = [this] {
      const bool first = !game.Table.MnuPlayEnabled && CountAt(1) + CountAt(2) == 0;
      if (first && !firstFlight) dealStatus.push_back(game.Table.LblGenInfo.Caption);
      firstFlight = first;
    };
  }
  ~DealDriverTest() override { std::filesystem::remove_all(folder); }
  void Fresh() {
    game.HandInPlay = false;
    game.NewHandReset();
  }
  int CountAt(int place) const {
    int n = 0;
    for (int c = 1; c <= CardCount; ++c) n += game.Cards[c].Place == place;
    return n;
  }
  Pos At(int c) const { return {game.Table.PicCards[c].Left, game.Table.PicCards[c].Top}; }
  // Under the up card lie only wild cards and red threes, on top only when eight were turned.
  void CheckDealt() {
    EXPECT_EQ(std::vector({CountAt(1), CountAt(2), CountAt(16), CountAt(17)}),
              std::vector({15, 15, game.StockCount, game.DiscardCount}));
    EXPECT_EQ(game.Table.LblStock.Caption, "Stock:- " + std::to_string(game.StockCount));
    EXPECT_TRUE(game.Table.MnuPlayEnabled && game.Cards[game.UpCard].Place == PlacePile);
    for (int c = 1; c <= CardCount; ++c) {
      const int place = game.Cards[c].Place, rank = game.Cards[c].Rank;
      const bool inHand = place == PlaceHumanHand || place == PlaceRobotHand;
      EXPECT_TRUE(inHand || place == 16 || place == 17 || place == 20 || place == 21) << c;
      EXPECT_FALSE(inHand && c >= 105) << c;
      const bool wildOrRed = rank == RankTwo || rank == RankJoker || rank == RankRedThree;
      EXPECT_TRUE(place != PlacePile || wildOrRed || c == game.UpCard) << c;
      EXPECT_TRUE(c != game.UpCard || !wildOrRed || game.DiscardCount == 8);
    }
  }

  std::filesystem::path folder;
  ProbeHost host;
  Game game;
  bool firstFlight = false;
  std::vector<std::string> dealStatus;
};

TEST_F(DealDriverTest, PickStockCardRoundsHalfToEvenAndDrawsAgainForNoCard) {
  Fresh();
  auto pick = [&](std::initializer_list<double> values) {
    host.randoms.assign(values);
    return game.PickStockCard();
  };
  EXPECT_EQ(pick({0.125}), 14);              // 13.5 goes to the even neighbour
  EXPECT_EQ(pick({0.375}), 40);              // and 40.5 too
  EXPECT_EQ(pick({0.0, 0.004, 0.625}), 68);  // 0 names no card
  EXPECT_EQ(pick({std::nextafter(1.0, 0.0)}), 108);
  game.Cards[14].Place = PlaceHumanHand;
  EXPECT_EQ(pick({0.125, 0.875}), 94);  // card 14 has left the stock
  game.StockCount = 0;
  game.Delay = 25;
  EXPECT_EQ(pick({0.5}), 0);
  EXPECT_EQ(host.randoms.size(), 1u);
  EXPECT_EQ(game.Delay, game.PaceSetting);
  // A count that disagrees with a table holding no stock card gives up.
  for (int c = 1; c <= CardCount; ++c) game.Cards[c].Place = PlaceRobotHand;
  game.StockCount = 5;
  EXPECT_EQ(game.PickStockCard(), 0);
}

TEST_F(DealDriverTest, StockCardsFlyInFourShortPausesAndRedThreesAreReplaced) {
  Fresh();
  game.PaceSetting = 700;
  std::vector<Pos> path;
  int card = 50;
  host.onPause = [&] { path.push_back(At(card)); };
  game.HandLeft[Human] = 2280;
  const auto start = host.now;
  game.MoveStockCard(Human, card);
  EXPECT_EQ(path, (std::vector<Pos>{{1440, 8520}, {720, 8400}, {4400, 9120}, {2280, 9480}}));
  EXPECT_EQ(host.now - start, 100);
  EXPECT_EQ(game.Table.PicCards[card].Image, card);
  EXPECT_EQ(host.sounds, std::vector<std::string>{"carddeal1.wav"});
  EXPECT_EQ(game.Delay, 700);  // the pace is back
  path.clear();
  card = 51;
  game.HandLeft[Robot] = 1880;
  game.MoveStockCard(Robot, card);
  EXPECT_EQ(path, (std::vector<Pos>{{3360, 6840}, {5280, 3600}, {5760, 1680}, {1880, 360}}));
  EXPECT_EQ(game.Table.PicCards[card].Image, BackImage);

  // The robot draws a red three: it is laid down face up and replaced.
  host.onPause = nullptr;
  Fresh();
  game.HandInPlay = true;
  host.Picks({106, 50, 51});
  game.DrawTwoFromStock(Robot);
  EXPECT_EQ(game.Cards[106].Place, PlaceRobotRedThree);
  EXPECT_EQ(At(106), Pos(1680, 2520));
  EXPECT_EQ(game.Table.PicCards[106].Image, 106);
  EXPECT_EQ(game.Table.LblStock.Caption, "Stock:- 105");
}

TEST_F(DealDriverTest, DealGoesOpponentFirstAndLaysDownRedThreesLowestFirst) {
  Fresh();
  // The robot deals: the human gets 105, 107, 17..29 and the robot 106, 30..43.
  for (int i = 0; i < 15; ++i) host.Picks({i ? (i == 1 ? 107 : 15 + i) : 105, i ? 29 + i : 106});
  // A red three is turned up, and laying out the pile lays down the dealt red
  // threes and replaces them; then a joker is turned up, then a nine.
  host.Picks({108, 70, 71, 72, 1, 60});
  bool menuOn = false, seen107 = false;
  host.onPause = [&] {
    menuOn = menuOn || (CountAt(PlacePile) == 0 && game.Table.MnuPlayEnabled);
    if (seen107 || game.Cards[107].Place != PlaceHumanRedThree) return;
    seen107 = true;  // after 105 was laid down and replaced by 70
    EXPECT_EQ(std::vector({game.Cards[105].Place, game.Cards[70].Place, game.Cards[71].Place}),
              std::vector({20, 1, 16}));
  };
  game.Deal(Robot);
  EXPECT_TRUE(seen107 && !menuOn);
  CheckDealt();
  // Nobody lays down a red three turned up.
  for (auto [c, place] : {std::pair{17, 1}, {29, 1}, {30, 2}, {43, 2}, {108, 17}, {72, 2}})
    EXPECT_EQ(game.Cards[c].Place, place) << c;
  EXPECT_EQ(game.UpCard, 60);
  EXPECT_EQ(std::vector({At(105), At(107), At(106)}),
            (std::vector<Pos>{{1680, 5640}, {1680, 5840}, {1680, 2520}}));
  EXPECT_EQ(game.Table.LblGenInfo.Caption, "Player Wild or Red 3 turned up  - another card dealt");

  // The human deals: the robot gets the first card; no more than eight are turned.
  Fresh();
  for (int c = 17; c < 47; ++c) host.Picks({c});
  host.Picks({1, 2, 3, 4, 5, 6, 7, 8, 9});
  game.Deal(Human);
  CheckDealt();
  EXPECT_EQ(game.Cards[17].Place, PlaceRobotHand);
  EXPECT_EQ(game.UpCard, 8);
  EXPECT_EQ(game.Cards[9].Place, PlaceStock);

  for (int seed = 1; seed <= 60; ++seed) {
    host.rng.seed(seed);
    Fresh();
    game.Deal(seed % 2 ? Robot : Human);
    CheckDealt();
  }
}

TEST_F(DealDriverTest, NewHandResetClearsTheHandAndKeepsScoresOfAGameInPlay) {
  game.PlayerName = "Ann";
  game.TargetScore = 3500;
  game.Table.lblMelds[2].Caption = game.Table.lblMeldsC[2].Caption = "twos";
  game.GameScore = {0, 1230, -40};
  game.WildChosen = 5;
  game.PlayerPileDue = game.RobotPileDue = game.HandScored = true;
  game.PenaltyPoints = 50;
  game.MeldInfo[Human][7].Count = 4;
  game.Cards[9] = {0, 20, PlaceHumanMeld, true, true, 7, {0, 7, 0}};
  game.HandInPlay = true;
  game.NewHandReset();
  EXPECT_EQ(game.GameScore, (PerPlayer<int>{0, 1230, -40}));
  EXPECT_EQ(CountAt(PlaceStock), 108);
  EXPECT_EQ(game.Cards[9].Rank + game.Cards[9].MeldColumn[Human], RankTwo);
  EXPECT_FALSE(game.Cards[9].FromDiscard || game.Cards[9].NewThisTurn);
  EXPECT_EQ(game.MeldInfo[Human][7].Count + game.WildChosen + game.PenaltyPoints, 0);
  EXPECT_FALSE(game.PlayerPileDue || game.RobotPileDue || game.HandScored);
  const auto& t = game.Table;
  EXPECT_EQ(
      std::vector({t.Caption, t.LblDiscard.Caption, t.LblStock.Caption, t.LblGenInfo.Caption}),
      std::vector<std::string>(
          {"Larkspur - Target Score is 3500", "Discard: ", "Stock: ", "Ann General Infomation"}));
  EXPECT_EQ(t.Shape1.BorderColor, PileFrozen);
  for (int i : {1, 3, 9, 14}) {
    EXPECT_EQ(t.lblMeldsC[i].Caption + "/" + t.lblMelds[i].Caption, "No Melds/NoMelds");
    EXPECT_EQ(t.lblMelds[i].BackColor + t.lblMeldsC[i].BackColor, 2 * RGB(192, 255, 192));
  }
  EXPECT_EQ(t.lblMelds[2].Caption + t.lblMeldsC[2].Caption, "twostwos");

  game.HandInPlay = false;
  game.PlayerName = "";
  game.NewHandReset();
  EXPECT_EQ(game.GameScore, (PerPlayer<int>{0, 0, 0}));
  EXPECT_EQ(t.LblGameScore[Robot].Caption, "Game Pts. 0");
  EXPECT_EQ(t.LblGenInfo.Caption, " General Infomation");
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
  EXPECT_EQ(host.messages.at(0).Message,
            "Player you are in the middle of a game, are you sure you really wish to start a new "
            "game?.");
  EXPECT_EQ(host.messages.at(0).Button0 + "|" + host.messages.at(0).Button1, "New Game|No Cancel");
}

// Whole hands with a scripted human: each ends for a reason the rule allows,
// the next opens with whoever was to play, and the game ends only on unequal
// scores once one has reached the target.
TEST_F(DealDriverTest, HandsRunUntilTheTargetIsReachedWithoutATie) {
  game.TargetScore = 1000;
  game.RobotName = "Zed";
  ScriptedHuman human(game, 9);
  const std::vector<Pos> totals{{500, 200}, {1000, 1000}, {1010, 1010}, {1000, 999}};
  std::vector<bool> toPlayAtEnd;
  std::vector<std::string> drawn;  // after which hand, and what it said
  host.answerMessage = [&](const DeluxeMessage& m) {
    if (m.Title == "Game Drawn") drawn.push_back(std::to_string(toPlayAtEnd.size()) + m.Message);
    return m.Title == "Game Over" ? 1 : 0;
  };
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
  EXPECT_EQ(drawn, std::vector<std::string>{"3You have both scored over 5,000 but your scores are "
                                            "equal, so we will play another hand"});
  EXPECT_EQ(host.messages.back().Message,
            "Well done, Player you won this game with a total score of  1000 against Barnaby's "
            "score of  999 Statistics saved. Click 'New Game' or 'Exit'");
  EXPECT_EQ(game.GamesWonPlayer, 1);
}

// Going out with black threes scores the hand from inside the human's turn;
// the driver then goes on to the next hand without scoring it again.
TEST_F(DealDriverTest, GoingOutWithBlackThreesEndsTheHandOnce) {
  host.answerMessage = [](const DeluxeMessage&) { return 0; };
  host.maxEventWaits = 100;
  int results = 0;
  std::string gamePoints;
  host.onIdle = [&] {
    if (game.Table.FramResults.Visible) {
      ++results;
      gamePoints = game.Table.LblGamePoints[Human].Caption;
      return game.cmdNew_Click();
    }
    if (results > 0 || !game.PlayerTurnOpen) return game.QuitGame();
    // Leave the human holding three black threes and a canasta.
    for (int c = 1; c <= CardCount; ++c)
      if (game.Cards[c].Place == PlaceHumanHand) game.Cards[c].Place = PlaceStock;
    for (int c : {13, 14, 15}) game.Cards[c].Place = PlaceHumanHand;
    game.ShowStock();
    game.ShowDiscardPile();
    game.HasCanasta[Human] = game.PlayerHasDrawn = true;
    game.PlayerTurnOpen = false;
    game.PicCards_MouseDown(13);
  };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(results, 1);
  EXPECT_EQ(dealStatus.size(), 2u);
  EXPECT_EQ(std::to_string(game.GameScore[Human]), gamePoints);
}

}  // namespace
