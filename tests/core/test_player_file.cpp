// The player file Name.dat: its exact format, names that need quoting, and
// what happens when it is missing, bad, unreadable or cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TableFixture.h"
#include "commands/PlayerFile.h"

using namespace larkspur;
using namespace larkspur::testing;
namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// What the game holds of the player file's eight values.
PlayerFileData Held(const Game& g) {
  return {g.PlayerName,    g.RobotName,    g.PaceSetting,  g.GamesWonPlayer,
          g.GamesWonRobot, g.GameScore[1], g.GameScore[2], g.TargetScore};
}

}  // namespace

TEST(PlayerFile, WritesTheExampleLineAndRoundTripsAwkwardValues) {
  PlayerFileData example;
  example.GamesWonPlayer = example.GamesWonRobot = 2;
  EXPECT_EQ(FormatPlayerFile(example), "\"Player\",\"Barnaby\",300,2,2,0,0,5000\r\n");

  const PlayerFileData odd{"Smith, John", "Robo \"the\" Bot", 0, 32767, 0, -1250, -32768, 500};
  const std::string text = FormatPlayerFile(odd);
  EXPECT_EQ(text, "\"Smith, John\",\"Robo \"\"the\"\" Bot\",0,32767,0,-1250,-32768,500\r\n");
  const PlayerFileParse back = ParsePlayerFile(text);
  EXPECT_TRUE(back.Problems.empty());
  EXPECT_EQ(back.Data, odd);
  const PlayerFileData quotes{"\"", "", 1, 2, 3, 4, 5, 4999};
  EXPECT_EQ(ParsePlayerFile(FormatPlayerFile(quotes)).Data, quotes);

  // Reading skips blanks around fields and takes an unquoted name as it stands.
  const PlayerFileParse loose = ParsePlayerFile(" Ann , \"Bo b\" , 100 ,1, 2 ,3,4 , 600 \n");
  EXPECT_TRUE(loose.Problems.empty());
  EXPECT_EQ(loose.Data, (PlayerFileData{"Ann", "Bo b", 100, 1, 2, 3, 4, 600}));
}

TEST(PlayerFile, BadFieldsFallBackOneByOne) {
  const std::pair<const char*, PlayerFileData> cases[] = {
      {"\"Ann\",\"Bob\",150,7", {"Ann", "Bob", 150, 7, 0, 0, 0, 5000}},
      {"", {}},
      {"\"Ann\",\"Bob\",fast,1x,2,,4,600", {"Ann", "Bob", 300, 0, 2, 0, 4, 600}},
      {"\"Ann\",\"Bob\",100,1,40000,3,-32769,600", {"Ann", "Bob", 100, 1, 0, 3, 0, 600}},
      {"\"Ann\",\"Bob\",100,1,2,99999999999999999999,4,600", {"Ann", "Bob", 100, 1, 2, 0, 4, 600}},
      {"\"Ann\",\"Bob\",100,1,2,3,4,499", {"Ann", "Bob", 100, 1, 2, 3, 4, 5000}},
      {"\"Ann\",\"Bob\",100,1,2,3,4,5001", {"Ann", "Bob", 100, 1, 2, 3, 4, 5000}},
      {"\"Ann\",\"Bob\",-1,1,2,3,4,700", {"Ann", "Bob", 300, 1, 2, 3, 4, 700}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    const PlayerFileParse parsed = ParsePlayerFile(text);
    EXPECT_EQ(parsed.Data, expected);
    EXPECT_FALSE(parsed.Problems.empty());
  }
}

using NameFileTest = TableTest;

TEST_F(NameFileTest, MissingOrGoodFileIsReadSilentlyAndSavedByteForByte) {
  game.Form_Load();
  EXPECT_EQ(Held(game), PlayerFileData{});
  game.ReportNameFileProblem();
  EXPECT_FALSE(fs::exists(folder / "Name.dat"));
  game.GamesWonPlayer = game.GamesWonRobot = 2;
  EXPECT_TRUE(game.SaveNameFile());
  EXPECT_EQ(ReadBytes(folder / "Name.dat"), "\"Player\",\"Barnaby\",300,2,2,0,0,5000\r\n");
  EXPECT_FALSE(fs::exists(folder / "Name.dat.tmp"));

  const std::string text = "\"Ann, \"\"Q\"\"\",\"Bob\",0,12,9,-40,1990,2000\r\n";
  WriteBytes(folder / "Name.dat", text);
  Game again(host);
  again.Form_Load();
  EXPECT_EQ(Held(again), (PlayerFileData{"Ann, \"Q\"", "Bob", 0, 12, 9, -40, 1990, 2000}));
  EXPECT_EQ(again.Delay, 0);
  again.ReportNameFileProblem();
  EXPECT_TRUE(again.SaveNameFile());
  EXPECT_EQ(ReadBytes(folder / "Name.dat"), text);
  EXPECT_FALSE(fs::exists(folder / "Name.dat.bad"));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(NameFileTest, BadFileIsKeptAsACopyAndReportedOnce) {
  const std::string bad = "\"Ann\",\"Bob\",abc,3,4,70000,-5,9000\r\n";
  WriteBytes(folder / "Name.dat", bad);
  game.Form_Load();
  EXPECT_EQ(Held(game), (PlayerFileData{"Ann", "Bob", 300, 3, 4, 0, -5, 5000}));
  EXPECT_EQ(game.Delay, 300);
  // The copy is made at start-up, before anything is saved or shown.
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ReadBytes(folder / "Name.dat.bad"), bad);

  game.ReportNameFileProblem();
  game.ReportNameFileProblem();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].Message.rfind("Ann ", 0), 0u);

  EXPECT_TRUE(game.SaveNameFile());
  EXPECT_EQ(ReadBytes(folder / "Name.dat"), "\"Ann\",\"Bob\",300,3,4,0,-5,5000\r\n");
  EXPECT_EQ(ReadBytes(folder / "Name.dat.bad"), bad);
}

TEST_F(NameFileTest, UnreadableFileGivesDefaultsAndCannotBeReplaced) {
  fs::create_directory(folder / "Name.dat");
  game.Form_Load();
  EXPECT_EQ(Held(game), PlayerFileData{});
  game.ReportNameFileProblem();
  game.ReportNameFileProblem();
  EXPECT_EQ(host.messages.size(), 1u);

  host.messages.clear();
  EXPECT_FALSE(game.SaveNameFile());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].Title, "Not saved");
  EXPECT_TRUE(fs::is_directory(folder / "Name.dat"));
  EXPECT_FALSE(fs::exists(folder / "Name.dat.tmp"));
}

TEST_F(NameFileTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  const std::string old = "\"Ann\",\"Bob\",100,1,2,3,4,600\r\n";
  WriteBytes(folder / "Name.dat", old);
  game.Form_Load();
  game.GamesWonPlayer = 50;
  auto failsWithMessage = [&] {
    host.messages.clear();
    EXPECT_FALSE(game.SaveNameFile());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].Title, "Not saved");
    EXPECT_EQ(ReadBytes(folder / "Name.dat"), old);
    EXPECT_FALSE(fs::is_regular_file(folder / "Name.dat.tmp"));
  };
  // The temporary file's name is taken by a folder, so it cannot be written.
  fs::create_directories(folder / "Name.dat.tmp" / "inside");
  failsWithMessage();
  fs::remove_all(folder / "Name.dat.tmp");
  // A read-only folder, where permissions hold (not for root).
  if (::geteuid() != 0) {
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    failsWithMessage();
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  }
  host.folder = (folder / "gone").string();
  failsWithMessage();
}
