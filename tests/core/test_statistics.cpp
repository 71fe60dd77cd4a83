// The statistics by robot level: counted through whole seeded games, kept from
// one run to the next, shown as a table, reset only when confirmed, and their
// file refused when it is not whole and consistent.
#include <gtest/gtest.h>

#include "TableFixture.h"
#include "commands/DataFiles.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"
#include "policy/ExpertPolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
namespace fs = std::filesystem;

namespace {

class StatisticsTest : public TableTest {
 protected:
  StatisticsTest() { host.dataFolder = (folder / "data").string(); }
  fs::path File() const { return folder / "data" / StatisticsFile; }
};

// Runs of the program, each playing one whole seeded game against a robot level and
// leaving; every hand and game as the table showed it is counted by hand beside.
TEST_F(StatisticsTest, WholeGamesAreCountedByRobotLevelFromRunToRun) {
  PlayStatistics expected;
  for (int run = 1; run <= 12; ++run) {
    const RobotPlay level = run % 2 ? RobotPlay::Classic : RobotPlay::Expert;
    LevelStatistics& want = expected.Of(level);
    ScriptedHost h(run, folder.string());
    h.dataFolder = host.dataFolder;
    h.answerMessage = ScriptedHost::ExitAtGameOver;
    Game g(h);
    g.Form_Load();
    EXPECT_EQ(g.Stats.Levels, expected.Levels) << "as read at the start of run " << run;
    g.ChooseRobot(level);
    SimplePolicy simple(run);
    ExpertPolicy expert;  // who goes out, makes canastas and wins some games against the Expert
    const bool playsExpert = run % 4 < 2 || level == RobotPlay::Expert;
    HumanSeat seat(g, playsExpert ? static_cast<Policy&>(expert) : simple);
    std::size_t counted = 0;
    h.onIdle = [&] {
      if (g.Table.FramResults.Visible && g.Sheet.Rows.size() > counted) {
        counted = g.Sheet.Rows.size();
        const SheetSide& you = g.Sheet.Rows.back().Sides[Human];
        want.Hands += 1, want.HandPoints += you.HandTotal, want.WentOut += you.Out != 0;
        want.Canastas += g.PureCanastas[Human] + g.MixedCanastas[Human];
      }
      seat.Act();
    };
    g.MnuNew_Click();
    ASSERT_TRUE(h.ended);
    const int total = g.GameScore[Human];
    const bool won = total > g.GameScore[Robot];
    const bool first = want.GamesPlayed() == 0;
    want.BestTotal = first ? total : std::max(want.BestTotal, total);
    want.WorstTotal = first ? total : std::min(want.WorstTotal, total);
    (won ? want.GamesWon : want.GamesLost) += 1;
    want.Streak = won ? want.Streak + 1 : 0;
    want.LongestStreak = std::max(want.LongestStreak, want.Streak);
    EXPECT_EQ(g.Stats.Levels, expected.Levels) << "after run " << run;
    EXPECT_EQ(ReadBytes(File()), FormatStatistics(expected));
  }
  // The levels these runs play; every level is counted the same way.
  for (RobotPlay level : {RobotPlay::Classic, RobotPlay::Expert}) {
    const LevelStatistics& s = expected.Of(level);
    EXPECT_TRUE(s.Hands > 0 && s.WentOut > 0 && s.Canastas > 0 && s.GamesWon > 0)
        << FormatStatistics(expected);
  }
}

TEST(Statistics, CellsShowEachLevelAndNothingWhereNoGameWasPlayed) {
  PlayStatistics s;
  LevelStatistics& classic = s.Of(RobotPlay::Classic);
  AddGame(classic, true, 5120);
  AddGame(classic, false, 2210);
  AddGame(classic, true, 5005);
  AddHand(classic, 815, 1, true);
  AddHand(classic, -120, 0, false);
  AddHand(classic, 306, 2, false);
  const std::vector<Texts> cells = StatisticsCells(s);
  const std::vector<Texts> expected{{"", "Classic", "Expert", "Master"},
                                    {"Games played", "3", "0", "0"},
                                    {"Games won", "2", "0", "0"},
                                    {"Games lost", "1", "0", "0"},
                                    {"Win rate", "67%", "–", "–"},
                                    {"Winning streak now", "1", "0", "0"},
                                    {"Longest winning streak", "1", "0", "0"},
                                    {"Best game total", "5120", "–", "–"},
                                    {"Worst game total", "2210", "–", "–"},
                                    {"Hands played", "3", "0", "0"},
                                    {"Average hand score", "334", "–", "–"},
                                    {"Canastas made", "3", "0", "0"},
                                    {"Times gone out", "1", "0", "0"}};
  EXPECT_EQ(cells, expected);
}

TEST(Statistics, OnlyAWholeConsistentFileIsRead) {
  PlayStatistics s;
  AddGame(s.Of(RobotPlay::Expert), true, 3000);
  AddHand(s.Of(RobotPlay::Expert), 450, 1, true);
  const std::string good = FormatStatistics(s);
  ASSERT_TRUE(ParseStatistics(good).Stats);
  EXPECT_EQ(ParseStatistics(good).Stats->Levels, s.Levels);
  // An older file without a level reads that level as nothing yet.
  EXPECT_TRUE(ParseStatistics("Larkspur statistics 1\nend\n").Stats);

  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::pair<std::string, const char*> bad[] = {
      {replaced("statistics 1", "statistics 2"), "another version"},
      {replaced("streak=1", "streak=2"), "streaks"},
      {replaced("out=1", "out=2"), "went out"},
      {replaced("best=3000", "best=2000"), "best game total"},
      {replaced("won=0 lost=0 streak=0 longest=0 best=0", "won=0 lost=0 streak=0 longest=0 best=9"),
       "without a game"},
      {replaced("hands=1", "hands=x"), "hands is not a usable number"},
      {replaced("won=1", "won=-1"), "won is not a usable number"},
      {replaced("level classic", "level grandmaster"), "not a robot level"},
      {replaced("level classic", "level expert"), "a second time"},
      {replaced(" out=1", ""), "numbers it should"},
      {good.substr(0, good.size() - 4), "end where it should"},
      {good.substr(0, good.size() - 1), "cut short"},
      {"", "not statistics"},
  };
  for (const auto& [text, why] : bad) {
    const StatisticsRead read = ParseStatistics(text);
    EXPECT_FALSE(read.Stats) << why;
    EXPECT_NE(read.Problem.find(why), std::string::npos) << why << ": " << read.Problem;
  }
}

// Reset asks first: No keeps everything, Yes sets every level back to nothing and saves it.
TEST_F(StatisticsTest, ResetAsksFirst) {
  game.Form_Load();
  AddGame(game.Stats.Of(RobotPlay::Classic), true, 5100);
  const PlayStatistics before = game.Stats;
  host.messageAnswers = {1, 0};
  game.ResetStatistics();
  EXPECT_EQ(game.Stats.Levels, before.Levels);
  EXPECT_FALSE(fs::exists(File()));
  game.ResetStatistics();
  EXPECT_EQ(game.Stats.Levels, PlayStatistics{}.Levels);
  EXPECT_EQ(ReadBytes(File()), FormatStatistics(PlayStatistics{}));
  EXPECT_EQ(host.MessageTitles(), (Texts{"Reset statistics?", "Reset statistics?"}));
}

// A file that cannot be read is set aside and told once; the statistics start from nothing.
TEST_F(StatisticsTest, ABadFileIsSetAsideAndToldOnce) {
  fs::create_directories(File().parent_path());
  WriteBytes(File(), "Larkspur statistics 1\nlevel classic won=3\nend\n");
  for (int run = 0; run < 2; ++run) {
    Game g(host);
    g.Form_Load();
    g.ReportDataFileProblems();
    EXPECT_EQ(g.Stats.Levels, PlayStatistics{}.Levels);
  }
  EXPECT_EQ(host.MessageTitles(), Texts{"Statistics not used"});
  EXPECT_TRUE(fs::exists(File().string() + ".bad"));
}

}  // namespace
