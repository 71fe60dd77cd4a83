// Start-up, pacing, hand layout, and the commands around a game: names,
// statistics, the target score, saving, loading and leaving the program.
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
namespace fs = std::filesystem;

using StartupTest = TableTest;

TEST_F(StartupTest, FormLoadAppliesTheFileAndAPaceChosenHoldsAtOnce) {
  WriteBytes(folder / "Name.dat", FormatPlayerFile({"Ann", "Bob", 250, 1, 2, 0, 0, 3000}));
  game.Form_Load();
  const TableModel& t = game.Table;
  EXPECT_EQ((Texts{t.LblTargetScore.Caption, t.LblP.Caption, t.LblB.Caption, t.LblGenInfo.Caption}),
            (Texts{"Target Score 3000", "Ann", "Bob",
                   "Ann  welcome to Larkspur - Press F2 or us Game Menu for a new game."}));
  EXPECT_EQ(host.sounds, Texts{"riffle.wav"});
  for (int c = 1; c <= CardCount; ++c)  // the stock, face down
    EXPECT_TRUE(Where(c) == PlaceStock && t.PicCards[c].Visible &&
                t.PicCards[c].Image == BackImage);
  // A pace chosen from the menu holds from the very next pause on and is saved.
  const auto start = host.now, pauses = host.pauses;
  for (int pace : {0, 600}) {
    game.Delay = 800;  // a longer pause, set before the change
    game.SetPace(pace);
    game.Pause();
    EXPECT_EQ(Saved(), (PlayerFileData{"Ann", "Bob", pace, 1, 2, 0, 0, 3000}));
  }
  EXPECT_EQ(host.now, start + 600);
  EXPECT_EQ(host.pauses, pauses + 1);
}

TEST_F(StartupTest, HandLayoutLaysBothHandsInCardOrderAndClosesUpLongHands) {
  EmptyTable();
  const std::vector<int> human = {3, 9, 14, 20, 33, 50, 51, 66, 70, 75, 82, 90, 91, 98, 100};
  Put(PlaceHumanHand, human);
  Put(PlaceRobotHand, {1, 21, 22, 40});
  game.HandLayout(Human);
  game.HandLayout(Robot);
  for (int k = 0; k < HandSize; ++k)
    EXPECT_EQ(std::pair(At(human[k]), game.Table.PicCards[human[k]].Image),
              std::pair(Pos(HandFirstLeft + HumanHandStep * k, HumanHandTop), human[k]));
  EXPECT_EQ(game.Table.LblPointsHand.Caption, "Points Hand: 205");
  EXPECT_EQ(std::pair(At(40), game.Table.PicCards[40].Image),
            std::pair(Pos(HandFirstLeft + 3 * RobotHandStep, RobotHandTop), BackImage));

  // A hand too long for the table closes up evenly and stays clickable on it.
  for (int cards : {33, 34, 90}) {
    EmptyTable();
    for (int c = 1; c <= cards; ++c) game.Cards[c].Place = PlaceHumanHand;
    game.HandLayout(Human);
    const int step = At(2).first - At(1).first;
    for (int c = 3; c <= cards; ++c) EXPECT_EQ(At(c).first - At(c - 1).first, step) << cards;
    EXPECT_LE(At(cards).first + CardWidth, TableWidth);
    EXPECT_TRUE(step == HumanHandStep ? cards <= 33 : cards > 33 && step >= 140) << cards;
  }
}

TEST_F(StartupTest, ChangingANameAsksFirstThenShowsAndSavesIt) {
  game.Form_Load();
  host.yesNoAnswers = {false, true, true, true, true};
  host.inputAnswers = {std::nullopt, "Ann, \"the\" Best"};
  game.MnuNameP_Click();  // "No": nothing changes, nothing is written
  game.MnuNameP_Click();  // "Yes", then Cancel in the box: the same
  EXPECT_EQ(game.Table.LblP.Caption, "Player");
  EXPECT_FALSE(fs::exists(folder / "Name.dat"));
  game.MnuNameR_Click();
  EXPECT_EQ(game.Table.LblB.Caption, "Ann, \"the\" Best");
  EXPECT_EQ(FileText(), "\"Player\",\"Ann, \"\"the\"\" Best\",300,0,0,0,0,5000\r\n");
  // A name the file cannot hold loses its control characters and is cut
  // between whole characters, so that it reads back.
  std::string accents;
  for (int k = 0; k < 200; ++k) accents += "é";
  host.inputAnswers = {"Zo\te\ny" + accents};
  game.MnuNameP_Click();
  const std::string expected = "Zoey" + accents.substr(0, 2 * ((PlayerNameLimit - 4) / 2));
  EXPECT_EQ(game.PlayerName, expected);
  EXPECT_EQ(Saved().PlayerName, expected);
  // An empty entry, confirmed, is a name.
  host.inputAnswers = {""};
  game.MnuNameR_Click();
  EXPECT_EQ(Saved().RobotName, "");
}

// Statistics are shown and deleted ("No Cancel" keeps them); leaving a game
// asks first, and the exit writes the file.
TEST_F(StartupTest, StatisticsAndLeavingAGame) {
  game.Form_Load();
  game.GamesWonPlayer = 5;
  game.GamesWonRobot = 7;
  game.MnuView_Click();
  EXPECT_EQ(host.messages.at(0).Message, "Player you are winning 5 against Barnaby winning 7");
  host.messageAnswers = {1, 0};
  game.MnuDelete_Click();  // "No Cancel"
  EXPECT_TRUE(game.GamesWonPlayer == 5 && game.GamesWonRobot == 7);
  game.MnuDelete_Click();  // "Yes Delete"
  // "No Cancel" to the exit command, "Carry On" to the close box, and "No
  // Cancel" after its "Yes Exit": the game goes on; then "Yes Exit" and "Yes-Exit".
  const std::pair<bool, std::deque<int>> exits[] = {
      {false, {1}}, {true, {1}}, {true, {0, 1}}, {true, {0, 0}}};
  for (const auto& [closeBox, answers] : exits) {
    host.actions.push_back([&] {
      host.messageAnswers = answers;
      closeBox ? (void)game.Form_QueryUnload() : game.MnuExit_Click();
      EXPECT_TRUE(game.HandInPlay && !host.ended);
    });
  }
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(host.MessageTitles(),
            (Texts{"Games played statistics", "Really delete?", "Really delete?",
                   "Quit without saving?", "Really Exit?", "Really Exit?", "Quit without saving?",
                   "Really Exit?", "Quit without saving?"}));
  EXPECT_EQ(FileText(), "\"Player\",\"Barnaby\",300,0,0,0,0,5000\r\n");
}

TEST_F(StartupTest, TargetEntriesAreLimitedConfirmedAndSaved) {
  game.Form_Load();
  // The frame opens on the target as it stands; Escape leaves it so.
  game.TargetScore = 3000;
  game.MnuTarget_Click();
  EXPECT_TRUE(game.Table.FramTarget.Visible && game.Table.Txtpoints == "3000");
  game.Table.Txtpoints = "1200";
  game.FramTarget_Escape();
  EXPECT_TRUE(!game.Table.FramTarget.Visible && game.TargetScore == 3000 && host.messages.empty());
  // Each entry gives another target than the one before. Fractions round to
  // the nearest whole number, a half to the even one.
  const std::pair<const char*, int> entries[] = {
      {"250", 500},      {"9000", 5000},       {"500", 500},
      {"", 5000},        {"-20", 500},         {"5000", 5000},
      {"-99999", 500},   {"99999", 5000},      {"2500.5", 2500},
      {"2501.5", 2502},  {"2500.4", 2500},     {"499.5", 500},
      {"1000.51", 1001}, {"1000.50000", 1000}, {".7", 500},
      {"1999.", 1999},   {" 1200 ", 1200},     {"9999999999999999999999.5", 5000},
      {"+700", 700}};
  for (const auto& [entry, target] : entries) {
    game.Table.Txtpoints = entry;
    game.CmdTarget_Click();
    EXPECT_EQ(game.Table.LblTargetScore.Caption, "Target Score:- " + std::to_string(target));
    EXPECT_EQ(Saved().TargetScore, target) << entry;
    EXPECT_EQ(host.MessageTitles().back(), "Target points set.");
  }
  // Text that is no number changes nothing and says so.
  const char* notNumbers[] = {"abc", "12x", "1 2", "-", "++5", ".", "1.2.3", "-.", "5.x"};
  for (const char* entry : notNumbers) {
    game.Table.Txtpoints = entry;
    game.CmdTarget_Click();
    EXPECT_EQ(game.TargetScore, 700) << entry;
    EXPECT_EQ(host.MessageTitles().back(), "Target points not changed.");
  }
}

// Save in a hand keeps the last scored totals; Load continues them, also from
// inside a game (which it abandons), and starts anew once they are not below the target.
TEST_F(StartupTest, LoadContinuesAnUnfinishedGameAndSaveKeepsItsTotals) {
  WriteBytes(folder / "Name.dat", FormatPlayerFile({"Ann", "Bob", 0, 1, 1, 1200, 800, 5000}));
  game.Form_Load();
  host.actions.push_back([&] {
    EXPECT_EQ(game.Table.LblGameScore[Human].Caption, "Game Pts. 1200");
    game.MnuSave_Click();
    EXPECT_EQ(Saved(), (PlayerFileData{"Ann", "Bob", 0, 1, 1, 1200, 800, 5000}));
    game.MnuLoad_Click();
  });
  host.actions.push_back([&] {
    EXPECT_TRUE(game.GameScore[Human] == 1200 && game.GameScore[Robot] == 800);
    game.Table.Txtpoints = "1000";
    game.CmdTarget_Click();
    game.MnuLoad_Click();
  });
  host.actions.push_back([&] {
    EXPECT_TRUE(game.GameScore[Human] == 0 && game.GameScore[Robot] == 0);
    game.MnuExit_Click();  // "Yes-Exit": the hand in progress is lost
  });
  game.MnuLoad_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(host.MessageTitles(),
            (Texts{"Target points set.", "No unfinished game to load", "Quit without saving?"}));
  EXPECT_EQ(FileText(), "\"Ann\",\"Bob\",0,1,1,0,0,1000\r\n");
}

TEST_F(StartupTest, OnlyTotalsBelowTheTargetAreAnUnfinishedGame) {
  // {human, robot, target, unfinished}
  const int cases[][4] = {{4999, 0, 5000, 1},  {0, 499, 500, 1},    {-30, 0, 5000, 1},
                          {5000, 10, 5000, 0}, {10, 5000, 5000, 0}, {0, 0, 5000, 0}};
  int k = 0;
  for (const auto& [human, robot, target, unfinished] : cases) {
    SavedGame s(folder / std::to_string(k++), {"Ann", "Bob", 0, 0, 0, human, robot, target});
    PerPlayer<int> seen{-1, -1, -1};
    s.host.actions.push_back([&] {
      seen = s.game.GameScore;
      s.game.MnuExit_Click();
    });
    s.game.MnuLoad_Click();
    EXPECT_EQ(seen, (unfinished ? PerPlayer<int>{0, human, robot} : PerPlayer<int>{})) << k;
  }
}

// The end of a lost game counts it and saves before the next game starts; a
// count at the file's limit stays there.
TEST_F(StartupTest, TheEndOfAGameCountsItAndSavesAtOnce) {
  // Totals that all but decide who wins.
  for (const auto& [robotWins, counted] : {std::pair{4, 5}, {32767, 32767}}) {
    SavedGame s(folder / std::to_string(robotWins),
                {"Ann", "Bob", 0, 3, robotWins, -3000, 490, 500});
    SimplePolicy simple(5);
    HumanSeat human(s.game, simple);
    PlayerFileData saved;
    s.host.onIdle = [&] {
      if (s.host.messages.empty()) return human.Act();
      saved = s.Saved();  // "New Game" was chosen: the next game's first wait
      s.game.QuitGame();
    };
    s.game.MnuLoad_Click();
    EXPECT_TRUE(s.host.ended);
    EXPECT_TRUE(saved.GamesWonPlayer == 3 && saved.GamesWonRobot == counted) << counted;
    EXPECT_EQ(s.host.MessageTitles().at(0), "Game Over");
  }
}
