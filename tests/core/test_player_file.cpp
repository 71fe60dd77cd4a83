// The player file Name.dat: its exact format, names that need quoting, and
// what happens when it is missing, bad, unreadable or cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include "TableFixture.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace std::string_literals;
namespace fs = std::filesystem;

// Each field that cannot be used falls back to its default alone, and the parse says so;
// a line without its eight fields is used not at all. Blanks around fields and a byte order
// mark are skipped, an unquoted name is taken as it stands and what follows the first line
// is not read.
TEST(PlayerFile, BadFieldsFallBackOneByOneAndOnlyTheFirstLineIsRead) {
  std::string longest = "\"Ann\",\"Bob\",0,1,2,3,4,600";
  longest.resize(PlayerFileLineLimit, ' ');
  const std::string longestName(PlayerNameLimit, 'x');
  const std::tuple<std::string, PlayerFileData, bool> cases[] = {
      // The text, what is read, and whether that is all of it.
      {"\"Ann\",\"Bob\",150,7,1,2,3", {}, false},
      {"\"Ann,\"Bob\",300,2,3,100,200,1500", {}, false},
      {"Ann,Smith,\"Bob\",300,2,3,100,200,1500", {}, false},
      {"", {}, false},
      {"\"Ann\",\"Bob\",fast,1x,2,,4,600", {"Ann", "Bob", 300, 0, 2, 0, 4, 600}, false},
      {"\"Ann\",\"Bob\",100,1,32768,3,-32769,600", {"Ann", "Bob", 100, 1, 0, 3, 0, 600}, false},
      {"\"Ann\",\"Bob\",100,1,2,99999999999999999999,4,499",
       {"Ann", "Bob", 100, 1, 2, 0, 4, 5000},
       false},
      {"\"Ann\",\"Bob\",-1,1,2,3,4,5001", {"Ann", "Bob", -1, 1, 2, 3, 4, 5000}, false},
      {"\"Ann\",\"Bob\"\r\n0,1,2,3,4,600", {}, false},
      {longest + " ", {}, false},
      {"\"A\tnn\",\"Bob\x7F\",0,1,2,3,4,600", {"Player", "Barnaby", 0, 1, 2, 3, 4, 600}, false},
      {"\"Ann\",\"B\0b\",0,1,2,3,4,600"s, {"Ann", "Barnaby", 0, 1, 2, 3, 4, 600}, false},
      {'"' + longestName + "x\",Bob,0,1,2,3,4,600", {"Player", "Bob", 0, 1, 2, 3, 4, 600}, false},
      {" Ann , \"Bo b\" , -300 ,32767, -32768 ,3,4 , 600 \n",
       {"Ann", "Bo b", -300, 32767, -32768, 3, 4, 600},
       true},
      {"\xEF\xBB\xBF\"Ann\",\"Bob\",0,1,2,3,4,600", {"Ann", "Bob", 0, 1, 2, 3, 4, 600}, true},
      {longest + "\r\n\"Eve\",x,y\r\n", {"Ann", "Bob", 0, 1, 2, 3, 4, 600}, true},
      {"\"Zoë\"," + longestName + ",0,1,2,3,4,600", {"Zoë", longestName, 0, 1, 2, 3, 4, 600}, true},
  };
  for (const auto& [text, expected, clean] : cases) {
    const PlayerFileParse parsed = ParsePlayerFile(text);
    EXPECT_EQ(parsed.Data, expected) << text;
    EXPECT_EQ(parsed.Problems.empty(), clean) << text;
  }
}

using NameFileTest = TableTest;

TEST_F(NameFileTest, MissingFileGivesDefaultsAndAGoodFileIsSavedByteForByte) {
  game.Form_Load();
  EXPECT_EQ(Held(game), PlayerFileData{});
  const std::string text = "\"Ann, \"\"Q\"\"\",\"Bob\",0,12,9,-40,1990,2000\r\n";
  WriteBytes(folder / "Name.dat", text);
  Game again(host);
  again.Form_Load();
  EXPECT_EQ(Held(again), (PlayerFileData{"Ann, \"Q\"", "Bob", 0, 12, 9, -40, 1990, 2000}));
  game.ReportNameFileProblem();
  again.ReportNameFileProblem();
  EXPECT_TRUE(again.SaveNameFile());
  EXPECT_EQ(FileText(), text);
  EXPECT_FALSE(fs::exists(folder / "Name.dat.bad"));
  EXPECT_TRUE(host.messages.empty());
}

// The report quotes no more of the file than one short, printable excerpt, so that the
// whole message fits on the screen.
TEST(PlayerFile, TheExcerptOfABadLineIsShortAndPrintable) {
  std::string sixty = "\"Ann\",\"Bob\",1,2,3,4,5,600";
  sixty.resize(60, ' ');
  const std::pair<std::string, std::string> cases[] = {
      {"\"Ann\",\"Bob\",abc\r\nsecond line", "\"Ann\",\"Bob\",abc"},
      {sixty, sixty},
      {sixty + "x", sixty + "…"},
      {"\xEF\xBB\xBF\"Zoë\"\t,\x7F,\x01", "\"Zo??\"?,?,?"},
      {"", ""},
  };
  for (const auto& [text, excerpt] : cases) EXPECT_EQ(ParsePlayerFile(text).Excerpt, excerpt);
}

TEST_F(NameFileTest, BadFileIsCopiedAtOnceAndReportedOnce) {
  const std::string bad = "\"Ann\",\"Bob\"," + std::string(3000, '9') + ",3,4,70000,-5,9000\r\n";
  WriteBytes(folder / "Name.dat", bad);
  game.Form_Load();
  EXPECT_EQ(Held(game), (PlayerFileData{"Ann", "Bob", 300, 3, 4, 0, -5, 5000}));
  EXPECT_EQ(ReadBytes(folder / "Name.dat.bad"), bad);  // before anything is saved or shown
  EXPECT_TRUE(host.messages.empty());
  game.ReportNameFileProblem();
  game.ReportNameFileProblem();
  ASSERT_EQ(host.messages.size(), 1u);
  const std::string path = (folder / "Name.dat").string();
  EXPECT_EQ(host.messages[0].Message,
            "Ann your player file " + path +
                " could not be used as it stands (the pace is not a usable number; the player's "
                "game total is not a usable number; the target score is not a usable number). "
                "The line in it reads “\"Ann\",\"Bob\"," +
                std::string(48, '9') + "…”. Defaults are used where it was bad, and the old file " +
                "is kept as " + path + ".bad.");
  EXPECT_TRUE(game.SaveNameFile());
  EXPECT_EQ(FileText(), "\"Ann\",\"Bob\",300,3,4,0,-5,5000\r\n");
}

// The reader takes only as much of the file as a player file's line can hold.
TEST_F(NameFileTest, OnlyTheFirstLineIsReadAndALongerOneIsBad) {
  std::string longest = "\"Ann\",\"Bob\",0,1,2,3,4,600";
  longest.resize(PlayerFileLineLimit, ' ');
  WriteBytes(folder / "Name.dat", longest + "\r\n" + std::string(1 << 20, ','));
  game.Form_Load();
  EXPECT_EQ(game.PlayerName, "Ann");
  WriteBytes(folder / "Name.dat", longest + "0\r\n");
  Game again(host);
  again.Form_Load();
  EXPECT_EQ(Held(again), PlayerFileData{});
  EXPECT_EQ(ReadBytes(folder / "Name.dat.bad"), longest + "0\r\n");
}

// A line that lost a field is read by no position at all, and the message says so.
TEST_F(NameFileTest, ALineWithoutItsEightFieldsIsUsedNotAtAll) {
  WriteBytes(folder / "Name.dat", "\"Ann,\"Bob\",300,2,3,100,200,1500\r\n");
  game.Form_Load();
  EXPECT_EQ(Held(game), PlayerFileData{});
  game.ReportNameFileProblem();
  ASSERT_EQ(host.messages.size(), 1u);
  const std::string& said = host.messages[0].Message;
  EXPECT_NE(said.find("(it holds 7 of its 8 fields)."), std::string::npos) << said;
  EXPECT_NE(said.find(" Defaults are used for all of it, and the old file is kept as "),
            std::string::npos)
      << said;
}

// A folder in the place of the file cannot be read nor replaced by the rename; one in
// the place of the temporary file cannot be written.
TEST_F(NameFileTest, UnreadableOrUnwritableFileGivesDefaultsAndFailuresAreReported) {
  fs::create_directory(folder / "Name.dat");
  game.Form_Load();
  EXPECT_EQ(Held(game), PlayerFileData{});
  game.ReportNameFileProblem();
  EXPECT_FALSE(game.SaveNameFile());
  EXPECT_TRUE(fs::is_directory(folder / "Name.dat"));
  fs::remove(folder / "Name.dat");
  WriteBytes(folder / "Name.dat", "old");
  fs::create_directories(folder / "Name.dat.tmp" / "inside");
  EXPECT_FALSE(game.SaveNameFile());
  EXPECT_EQ(FileText(), "old");
  EXPECT_EQ(host.MessageTitles(), (Texts{"Player file repaired", "Not saved", "Not saved"}));
}

// Keeps a folder from taking new files, while the files in it stay writable, for as long
// as it lives: by permissions, or for root (whom they do not stop) by marking it immutable.
struct NoNewFiles {
  explicit NoNewFiles(fs::path folder) : dir(std::move(folder)) { works = Set(true); }
  ~NoNewFiles() { Set(false); }
  bool Set(bool on) {
    if (::geteuid() != 0) {
      fs::permissions(dir, on ? fs::perms(0555) : fs::perms(0755));
      return true;
    }
    bool set = false;
#ifdef FS_IOC_SETFLAGS
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    set = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    set = set && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
#endif
    return set;
  }
  fs::path dir;
  bool works = false;
};

// A save replaces the file at the end of the player's links and keeps its
// permissions; a folder that takes no new file has the file written in place.
TEST_F(NameFileTest, SavingKeepsLinksAndPermissionsAndWritesInPlaceWhenItMust) {
  const fs::path real = folder / "real", file = real / "players.dat";
  fs::create_directory(real);
  WriteBytes(file, "old");
  fs::permissions(file, fs::perms(0640));
  fs::create_symlink("players.dat", real / "link");
  fs::create_symlink("real/link", folder / "Name.dat");
  EXPECT_TRUE(game.SaveNameFile());
  EXPECT_TRUE(fs::is_symlink(folder / "Name.dat") && fs::is_symlink(real / "link"));
  EXPECT_EQ(ReadBytes(file), "\"Player\",\"Barnaby\",300,0,0,0,0,5000\r\n");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));

  game.PlayerName = "Ann";
  bool written = false;
  {
    NoNewFiles lock(real);
    if (!lock.works) GTEST_SKIP() << "this folder cannot be kept from taking new files";
    written = game.SaveNameFile();
  }
  EXPECT_TRUE(written);
  EXPECT_EQ(ReadBytes(file), "\"Ann\",\"Barnaby\",300,0,0,0,0,5000\r\n");
  EXPECT_TRUE(host.messages.empty());
}
