// Start-up, pacing, hand layout, and the commands around a game: names,
// statistics, the target score, saving, loading and leaving the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ScriptedHuman.h"
#include "TableFixture.h"
#include "commands/PlayerFile.h"

using namespace larkspur;
using namespace larkspur::testing;
namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A game started from a player file in a folder of its own.
struct SavedGame {
  SavedGame(const fs::path& dir, const PlayerFileData& data) : folder(dir) {
    fs::create_directories(folder);
    std::ofstream(folder / "Name.dat", std::ios::binary) << FormatPlayerFile(data);
    host.folder = folder.string();
    game.Form_Load();
  }
  PlayerFileData Saved() const { return ParsePlayerFile(ReadBytes(folder / "Name.dat")).Data; }
  fs::path folder;
  ScriptedHost host{3};
  Game game{host};
};

}  // namespace

class StartupTest : public TableTest {
 protected:
  PlayerFileData Saved() const { return ParsePlayerFile(ReadBytes(folder / "Name.dat")).Data; }
  int StepOf(int first, int second) const {
    return game.Table.PicCards[second].Left - game.Table.PicCards[first].Left;
  }
};

TEST_F(StartupTest, FormLoadShowsNamesTargetAndAFaceDownStock) {
  SavedGame s(folder / "s", {"Ann", "Bob", 250, 1, 2, 0, 0, 3000});
  const TableModel& t = s.game.Table;
  EXPECT_EQ(t.LblTargetScore.Caption, "Target Score 3000");
  EXPECT_EQ(s.game.Delay, 250);
  EXPECT_EQ((Texts{t.LblNames[2].Caption, t.LblP.Caption, t.LblNames[1].Caption, t.LblB.Caption}),
            (Texts{"Ann", "Ann", "Bob", "Bob"}));
  EXPECT_EQ((Texts{t.LblStock.Caption, t.LblDiscard.Caption, t.LblGenInfo.Caption}),
            (Texts{"No. Deck 108", "Discard",
                   "Ann  welcome to Larkspur - Press F2 or us Game Menu for a new game."}));
  EXPECT_EQ(s.host.sounds, Texts{"riffle.wav"});
  EXPECT_EQ(s.game.StockCount, 108);
  for (int c = 1; c <= CardCount; ++c) {
    const CardPicture& pic = t.PicCards[c];
    EXPECT_TRUE(s.game.Cards[c].Place == PlaceStock && pic.Visible && pic.Image == BackImage) << c;
    EXPECT_TRUE(pic.Left == 2 * (c - 1) && pic.Top == 9360 - 2 * (c - 1)) << c;
    EXPECT_GT(pic.ZOrder, c > 1 ? t.PicCards[c - 1].ZOrder : 0) << c;
    // Points and ranks wait for the first game.
    EXPECT_TRUE(s.game.Cards[c].Points == 0 && s.game.Cards[c].Rank == 0) << c;
  }
  EXPECT_TRUE(s.host.messages.empty());

  s.game.Delay = 7;
  s.game.InitCards();
  EXPECT_EQ(s.game.Delay, 250);
  int total = 0;
  for (int c = 1; c <= CardCount; ++c) total += s.game.Cards[c].Points;
  EXPECT_EQ(total, 1580);
  // {card, rank, points} at the edges of each group of card numbers
  const int spots[][3] = {{1, 15, 50}, {4, 15, 50},  {5, 2, 20},     {12, 2, 20},   {13, 3, 5},
                          {16, 3, 5},  {17, 4, 5},   {48, 7, 5},     {49, 8, 10},   {96, 13, 10},
                          {97, 1, 20}, {104, 1, 20}, {105, 14, 100}, {108, 14, 100}};
  for (const auto& [c, rank, points] : spots)
    EXPECT_TRUE(s.game.Cards[c].Rank == rank && s.game.Cards[c].Points == points) << c;
}

TEST_F(StartupTest, PauseAndDealSoundWaitExactlyDelay) {
  const auto start = host.now;
  for (int delay : {0, -5}) {
    game.Delay = delay;
    game.Pause();
    game.DealSound();
  }
  EXPECT_EQ(host.now, start);
  EXPECT_EQ(host.pauses, 0);
  game.Delay = 25;
  game.Pause();
  EXPECT_EQ(host.now, start + 25);
  game.Delay = 40;
  game.DealSound();
  EXPECT_EQ(host.now, start + 65);
  EXPECT_EQ(host.sounds, Texts(3, "carddeal1.wav"));
}

TEST_F(StartupTest, HandLayoutLaysBothHandsInCardOrder) {
  EmptyTable();
  const int human[] = {3, 9, 14, 20, 33, 50, 51, 66, 70, 75, 82, 90, 91, 98, 100};
  for (int c : human) game.Cards[c].Place = PlaceHumanHand;
  Put(PlaceRobotHand, {1, 21, 22, 40});
  game.Table.PicCards[9].BorderStyle = game.Table.PicCards[21].BorderStyle = 1;
  game.HandLayout(Human);
  int points = 0;
  for (int k = 0; k < 15; ++k) {
    const CardPicture& pic = game.Table.PicCards[human[k]];
    EXPECT_EQ(pic.Left, 1680 + 400 * k);
    EXPECT_TRUE(pic.Top == 9480 && pic.Image == human[k] && pic.BorderStyle == 0) << k;
    EXPECT_GT(pic.ZOrder, k > 0 ? game.Table.PicCards[human[k - 1]].ZOrder : 0);
    points += game.Cards[human[k]].Points;
  }
  EXPECT_TRUE(game.HandCount[Human] == 15 && game.HandPoints[Human] == points);
  const std::string label = "Points Hand: " + std::to_string(points);
  EXPECT_EQ(game.Table.LblPointsHand.Caption, label);

  game.HandLayout(Robot);
  EXPECT_EQ(game.Table.PicCards[40].Left, 1680 + 3 * 200);
  for (int c : {1, 21, 22, 40})
    EXPECT_TRUE(game.Table.PicCards[c].Top == 360 && game.Table.PicCards[c].Image == BackImage);
  EXPECT_TRUE(game.HandCount[Robot] == 4 && game.HandPoints[Robot] == 65);
  EXPECT_EQ(game.Table.PicCards[21].BorderStyle, 1);
  EXPECT_EQ(game.HandLeft[Human], 1680);
  EXPECT_EQ(game.Table.LblPointsHand.Caption, label);  // always the human's points

  // An empty hand counts nothing and moves nothing.
  for (int c : human) game.Cards[c].Place = PlaceStock;
  const auto z = game.Table.ZCounter;
  game.HandLayout(Human);
  EXPECT_TRUE(game.HandCount[Human] == 0 && game.HandPoints[Human] == 0);
  EXPECT_EQ(game.Table.LblPointsHand.Caption, "Points Hand: 0");
  EXPECT_EQ(game.Table.ZCounter, z);
}

TEST_F(StartupTest, LongHandsCloseUpToStayOnTheTable) {
  for (int cards : {33, 34, 40, 90}) {
    SCOPED_TRACE(cards);
    EmptyTable();
    for (int c = 1; c <= cards; ++c) game.Cards[c].Place = PlaceHumanHand;
    game.HandLayout(Human);
    const int step = StepOf(1, 2);
    for (int c = 3; c <= cards; ++c) EXPECT_EQ(StepOf(c - 1, c), step);
    EXPECT_LE(game.Table.PicCards[cards].Left + CardWidth, TableWidth);
    EXPECT_EQ(step == 400, cards <= 33);
    EXPECT_GE(step, 140);  // still a strip of every card to click on
  }
}

TEST_F(StartupTest, ChangingNamesAsksThenShowsAndSaves) {
  game.Form_Load();
  host.yesNoAnswers = {false, true, false, true, true};
  host.inputAnswers = {"Ann, \"the\" Best", "R2"};
  game.MnuNameP_Click();  // No: nothing changes, nothing is written
  EXPECT_FALSE(fs::exists(folder / "Name.dat"));
  game.MnuNameP_Click();
  EXPECT_EQ(game.Table.LblNames[2].Caption, "Ann, \"the\" Best");
  EXPECT_EQ(game.Table.LblP.Caption, "Ann, \"the\" Best");
  EXPECT_EQ(Saved().PlayerName, "Ann, \"the\" Best");
  game.MnuNameR_Click();
  EXPECT_EQ(game.RobotName, "Barnaby");
  game.MnuNameR_Click();
  EXPECT_EQ(game.Table.LblNames[1].Caption, "R2");
  EXPECT_EQ(game.Table.LblB.Caption, "R2");
  const std::string askPlayer =
      "Please enter your name| Welcome Player if you wish to change the Player's name click on "
      "'Yes' ";
  const std::string askRobot =
      "Please enter a name for your opponent| if you wish to change the Robot's name click on "
      "'Yes' ";
  EXPECT_EQ(host.questions,
            (Texts{askPlayer, askPlayer, "Enter your name|Please enter new player's name.",
                   askRobot, askRobot, "Enter Opponent's name|Please enter new Robot's name."}));
  // A cancelled input box gives an empty name, saved as an empty quoted field.
  game.MnuNameP_Click();
  EXPECT_EQ(game.Table.LblNames[2].Caption, "");
  EXPECT_EQ(ReadBytes(folder / "Name.dat"), "\"\",\"R2\",300,0,0,0,0,5000\r\n");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(StartupTest, StatisticsViewAndDeleteReachTheFileOnExit) {
  game.Form_Load();
  game.MnuView_Click();
  game.GamesWonPlayer = 5;
  game.GamesWonRobot = 7;
  host.messageAnswers = {1, 0};
  game.MnuDelete_Click();  // "No Cancel"
  EXPECT_TRUE(game.GamesWonPlayer == 5 && game.GamesWonRobot == 7);
  game.MnuDelete_Click();  // "Yes Delete"
  EXPECT_TRUE(game.GamesWonPlayer == 0 && game.GamesWonRobot == 0);
  EXPECT_FALSE(fs::exists(folder / "Name.dat"));
  ASSERT_EQ(host.messages.size(), 3u);
  const DeluxeMessage &view = host.messages[0], &del = host.messages[1];
  EXPECT_EQ((Texts{view.Title, view.Message, view.Button0, view.Button1}),
            (Texts{"Games played statistics", "Player you are winning 0 against Barnaby winning 0",
                   "O.K", ""}));
  EXPECT_EQ((Texts{del.Title, del.Message, del.Button0, del.Button1}),
            (Texts{"Really delete?",
                   "Player do you really wish to delete the statistics on games won and lost?.",
                   "Yes Delete", "No Cancel"}));

  // Leaving with no game asks nothing and writes the zeros.
  game.MnuExit_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(ReadBytes(folder / "Name.dat"), "\"Player\",\"Barnaby\",300,0,0,0,0,5000\r\n");
}

TEST_F(StartupTest, TargetEntriesAreLimitedShownConfirmedAndSaved) {
  game.Form_Load();
  const std::pair<const char*, int> entries[] = {{"250", 500},
                                                 {"9000", 5000},
                                                 {"500", 500},
                                                 {"5000", 5000},
                                                 {"", 5000},
                                                 {"-20", 500},
                                                 {"99999", 5000},
                                                 {"-99999", 500},
                                                 {" 1200 ", 1200},
                                                 {"+700", 700},
                                                 {"99999999999999999999999", 5000},
                                                 {"4999", 4999}};
  for (const auto& [entry, target] : entries) {
    SCOPED_TRACE(entry);
    game.TargetScore = 3000;
    game.MnuTarget_Click();
    EXPECT_TRUE(game.Table.FramTarget.Visible);
    game.Table.Txtpoints = entry;
    host.messages.clear();
    game.CmdTarget_Click();
    EXPECT_FALSE(game.Table.FramTarget.Visible);
    EXPECT_EQ(game.TargetScore, target);
    EXPECT_EQ(game.Table.LblTargetScore.Caption, "Target Score:- " + std::to_string(target));
    ASSERT_EQ(host.messages.size(), 1u);
    const DeluxeMessage& m = host.messages[0];
    EXPECT_EQ((Texts{m.Title, m.Message, m.Button0}),
              (Texts{"Target points set.",
                     " Target points are set to " + std::to_string(target) +
                         " Target Points will stay as this until you change again.",
                     "O.K."}));
    EXPECT_EQ(Saved().TargetScore, target);
  }
  // Text that is no number changes nothing, says so, and saves nothing.
  fs::remove(folder / "Name.dat");
  for (const char* entry : {"abc", "12x", "1 2", "-", "++5"}) {
    SCOPED_TRACE(entry);
    game.Table.Txtpoints = entry;
    host.messages.clear();
    game.CmdTarget_Click();
    EXPECT_EQ(game.TargetScore, 4999);
    EXPECT_EQ(game.Table.LblTargetScore.Caption, "Target Score:- 4999");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].Title, "Target points set.");
  }
  EXPECT_FALSE(fs::exists(folder / "Name.dat"));
}

TEST_F(StartupTest, LoadContinuesAnUnfinishedGameAndSaveKeepsItsTotals) {
  SavedGame s(folder / "s", {"Ann", "Bob", 0, 1, 1, 1200, 800, 5000});
  Game& g = s.game;
  bool firstTurnReturned = false;
  s.host.actions.push_back([&] {
    EXPECT_TRUE(g.PlayerToPlay && g.PlayerTurnOpen);
    EXPECT_TRUE(g.GameScore[Human] == 1200 && g.GameScore[Robot] == 800);
    EXPECT_EQ(g.Table.LblGameScore[Human].Caption, "Game Pts. 1200");
    // Draw, then save in the middle of the hand.
    for (int c = 1; c <= CardCount && g.PlayerTurnOpen; ++c)
      if (g.Cards[c].Place == PlaceStock) g.PicCards_MouseDown(c);
    EXPECT_EQ(g.HandCount[Human], 17);
    g.MnuSave_Click();
    EXPECT_EQ(s.Saved(), (PlayerFileData{"Ann", "Bob", 0, 1, 1, 1200, 800, 5000}));
    // Loading again abandons this hand and deals afresh, not nested in it.
    g.MnuLoad_Click();
    firstTurnReturned = true;
  });
  s.host.actions.push_back([&] {
    EXPECT_TRUE(firstTurnReturned);
    EXPECT_TRUE(g.GameScore[Human] == 1200 && g.GameScore[Robot] == 800);
    EXPECT_TRUE(g.PlayerTurnOpen && g.HandCount[Human] == 15);
    // A target lowered below the totals leaves no unfinished game: Load starts anew.
    g.Table.Txtpoints = "1000";
    g.CmdTarget_Click();
    g.MnuLoad_Click();
  });
  s.host.actions.push_back([&] {
    EXPECT_TRUE(g.GameScore[Human] == 0 && g.GameScore[Robot] == 0);
    g.MnuExit_Click();  // "Yes-Exit": the hand in progress is lost
  });
  g.MnuLoad_Click();
  EXPECT_TRUE(s.host.ended);
  EXPECT_EQ(s.host.MessageTitles(),
            (Texts{"Target points set.", "No unfinished game to load", "Quit without saving?"}));
  EXPECT_EQ(ReadBytes(s.folder / "Name.dat"), "\"Ann\",\"Bob\",0,1,1,0,0,1000\r\n");
}

TEST_F(StartupTest, OnlyTotalsBelowTheTargetAreAnUnfinishedGame) {
  // {human, robot, target, unfinished}
  const int cases[][4] = {{4999, 0, 5000, 1},  {0, 499, 500, 1},    {-30, 0, 5000, 1},
                          {5000, 10, 5000, 0}, {10, 5000, 5000, 0}, {0, 0, 5000, 0},
                          {6000, 200, 5000, 0}};
  int k = 0;
  for (const auto& [human, robot, target, unfinished] : cases) {
    SCOPED_TRACE(k);
    SavedGame s(folder / std::to_string(k++), {"Ann", "Bob", 0, 0, 0, human, robot, target});
    PerPlayer<int> seen{-1, -1, -1};
    s.host.actions.push_back([&] {
      seen = s.game.GameScore;
      s.game.MnuExit_Click();
    });
    s.game.MnuLoad_Click();
    EXPECT_TRUE(s.host.ended);
    EXPECT_EQ(seen, (unfinished ? PerPlayer<int>{0, human, robot} : PerPlayer<int>{}));
    if (unfinished) continue;
    const DeluxeMessage& m = s.host.messages.at(0);
    EXPECT_EQ((Texts{m.Title, m.Message, m.Button0}),
              (Texts{"No unfinished game to load",
                     "Ann there is no unfinished game to load therefore a new game will now start.",
                     "O.K"}));
  }
}

TEST_F(StartupTest, LeavingAsksAndMayCarryOn) {
  game.Form_Load();
  host.messageAnswers = {1};  // "Carry On"
  EXPECT_FALSE(game.Form_QueryUnload());
  EXPECT_FALSE(host.ended);
  const DeluxeMessage& m = host.messages.at(0);
  EXPECT_EQ((Texts{m.Title, m.Message, m.Button0, m.Button1}),
            (Texts{"Really Exit?", "Player do you really wish to exit?", "Yes Exit", "Carry On"}));
  host.messages.clear();

  // During a game: "No Cancel" to the exit command, "Carry On" to the close
  // box, then "Yes Exit" with "No Cancel"; each time the game goes on.
  for (const auto& answers : {std::deque<int>{1}, {1}, {0, 1}}) {
    host.actions.push_back([&, answers] {
      host.messageAnswers = answers;
      if (host.actions.size() == 3) {
        game.MnuExit_Click();
      } else {
        EXPECT_FALSE(game.Form_QueryUnload());
      }
      EXPECT_TRUE(game.HandInPlay && !host.ended);
    });
  }
  host.actions.push_back([&] {
    host.messageAnswers = {0, 0};
    game.Form_QueryUnload();
  });
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(host.MessageTitles(),
            (Texts{"Quit without saving?", "Really Exit?", "Really Exit?", "Quit without saving?",
                   "Really Exit?", "Quit without saving?"}));
  const DeluxeMessage& q = host.messages.at(0);
  EXPECT_EQ((Texts{q.Message, q.Button0, q.Button1}),
            (Texts{"Player you are in the middle of a game, are you sure you wish to exit?.",
                   "Yes-Exit", "No Cancel"}));
  EXPECT_TRUE(fs::exists(folder / "Name.dat"));

  // Closing with no game and "Yes Exit" ends at once.
  SavedGame idle(folder / "idle", {});
  EXPECT_TRUE(idle.game.Form_QueryUnload());
  EXPECT_TRUE(idle.host.ended);
  EXPECT_EQ(idle.host.messages.size(), 1u);
}

TEST_F(StartupTest, ExitAndSaveOnTheResultsStoresTheHandJustScored) {
  game.Form_Load();
  ScriptedHuman human(game, 11);
  PerPlayer<int> scored{};
  host.onIdle = [&] {
    if (!game.Table.FramResults.Visible) return human.Act();
    scored = game.GameScore;
    game.cmdSave_Click();
  };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_FALSE(game.HandInPlay || game.Table.FramResults.Visible);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NE(scored[Human], 0);
  EXPECT_EQ(game.GameScore, scored);
  EXPECT_TRUE(Saved().GameScore1 == scored[Human] && Saved().GameScore2 == scored[Robot]);
}

TEST_F(StartupTest, TheEndOfAGameCountsTheWinnerAndSaves) {
  for (bool humanWins : {true, false}) {
    SCOPED_TRACE(humanWins);
    // Totals that all but decide who wins.
    const int ahead = 490, behind = -3000;
    SavedGame s(
        folder / std::to_string(humanWins),
        {"Ann", "Bob", 0, 3, 4, humanWins ? ahead : behind, humanWins ? behind : ahead, 500});
    ScriptedHuman human(s.game, 5);
    s.host.onIdle = [&] { human.Act(); };
    s.host.answerMessage = [&](const DeluxeMessage& m) {
      if (m.Title != "Game Over") return 0;
      EXPECT_EQ(s.game.GamesWonPlayer + s.game.GamesWonRobot, 7);  // counted after the answer
      return 1;                                                    // "Exit"
    };
    s.game.MnuLoad_Click();
    EXPECT_TRUE(s.host.ended);
    ASSERT_EQ(s.game.GameScore[Human] > s.game.GameScore[Robot], humanWins);
    const PlayerFileData saved = s.Saved();
    EXPECT_EQ(saved.GamesWonPlayer, humanWins ? 4 : 3);
    EXPECT_EQ(saved.GamesWonRobot, humanWins ? 4 : 5);
    EXPECT_EQ(saved.GameScore1, s.game.GameScore[Human]);
    const Texts titles = s.host.MessageTitles();
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "Game Over"), 1);
  }
}
