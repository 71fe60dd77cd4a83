// The player file Name.dat: its exact format, names that need quoting, and
// what happens when it is missing, bad, unreadable or cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <chrono>
#include <future>
#include <optional>

#include "TableFixture.h"
#include "commands/SafeFile.h"

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
  EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                      "(it holds 7 of its 8 fields). The line in it reads “\"Ann,\"Bob\",300,2,3,"
                      "100,200,1500”. Defaults are used for all of it, and the old file is kept",
                      host.messages[0].Message);
}

// A folder in the place of the file can neither be read nor replaced; a link planted
// where the old temporary file went is not written through, and stays as it was.
TEST_F(NameFileTest, UnreadableOrUnwritableFileGivesDefaultsAndFailuresAreReported) {
  fs::create_directory(folder / "Name.dat");
  game.Form_Load();
  EXPECT_EQ(Held(game), PlayerFileData{});
  game.ReportNameFileProblem();
  EXPECT_FALSE(game.SaveNameFile());
  EXPECT_TRUE(fs::is_directory(folder / "Name.dat"));
  fs::remove(folder / "Name.dat");
  WriteBytes(folder / "Name.dat", "old");
  WriteBytes(folder / "victim", "mine");
  fs::create_symlink("victim", folder / "Name.dat.tmp");
  Game again(host);
  EXPECT_TRUE(again.SaveNameFile());
  EXPECT_EQ(FileText(), "\"Player\",\"Barnaby\",300,0,0,0,0,5000\r\n");
  EXPECT_TRUE(fs::is_symlink(folder / "Name.dat.tmp") && !fs::is_symlink(folder / "Name.dat"));
  EXPECT_EQ(ReadBytes(folder / "victim"), "mine");
  EXPECT_EQ(host.MessageTitles(), (Texts{"Player file repaired", "Not saved"}));
}

// A pipe in the file's place: opened by the old reader, it waited for a writer that
// never came, before the window appeared. Should the reader wait, the test writes.
TEST_F(NameFileTest, APipeInThePlaceOfTheFileNeitherHoldsUpTheStartNorIsReplaced) {
  const fs::path pipe = folder / "Name.dat";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  auto loading = std::async(std::launch::async, [this] { game.Form_Load(); });
  const bool waited = loading.wait_for(std::chrono::seconds(20)) != std::future_status::ready;
  if (waited) ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
  loading.get();
  EXPECT_FALSE(waited) << "reading the player file waited for a writer";
  EXPECT_EQ(Held(game), PlayerFileData{});
  game.ReportNameFileProblem();
  EXPECT_FALSE(game.SaveNameFile());
  EXPECT_TRUE(fs::is_fifo(pipe));
  ASSERT_EQ(host.MessageTitles(), (Texts{"Player file repaired", "Not saved"}));
  EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                      "(it is not an ordinary file). Defaults are used for all of it, and nothing "
                      "will be saved over that file until you put it right and start the game "
                      "again, or move it out of the way.",
                      host.messages[0].Message);
}

// Keeps a file from being read for as long as it lives: by permissions, and for root
// (whom they do not stop) by laying down, on this thread, the right to pass over them.
struct Unreadable {
  explicit Unreadable(fs::path f) : file(std::move(f)) {
    fs::permissions(file, fs::perms::none);
    if (::geteuid() == 0) SetOverride(false);
  }
  ~Unreadable() {
    if (::geteuid() == 0) SetOverride(true);
    fs::permissions(file, fs::perms(0644));
  }
  static void SetOverride(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    ASSERT_EQ(::syscall(SYS_capget, &header, data), 0);
    const unsigned bits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    data[0].effective = on ? data[0].effective | bits : data[0].effective & ~bits;
    ASSERT_EQ(::syscall(SYS_capset, &header, data), 0);
  }
  fs::path file;
};

// A file the game could not read may hold the player's names, statistics and scores:
// it is reported, and no save writes over it until it has been put right or moved away.
TEST_F(NameFileTest, AFileThatCouldNotBeReadIsNeverSavedOver) {
  const std::string line = "\"Ann\",\"Bob\",300,2,1,0,0,5000\r\n";
  WriteBytes(folder / "Name.dat", line);
  {
    Unreadable locked(folder / "Name.dat");
    game.Form_Load();
    game.PlayerName = "Eve";
    EXPECT_FALSE(game.SaveNameFile());
    EXPECT_FALSE(game.SaveNameFile());
    EXPECT_EQ(fs::status(folder / "Name.dat").permissions(), fs::perms::none);
  }
  EXPECT_EQ(FileText(), line);
  game.ReportNameFileProblem();
  ASSERT_EQ(host.MessageTitles(), (Texts{"Not saved", "Not saved", "Player file repaired"}));
  EXPECT_PRED_FORMAT2(::testing::IsSubstring, "(it could not be read: Permission denied)",
                      host.messages[2].Message);
  EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                      "(it could not be read when the game started, and the game never saves "
                      "over what it could not read: put it right and start the game again, or "
                      "move it out of the way). The file you had before is unchanged.",
                      host.messages[0].Message);
  fs::rename(folder / "Name.dat", folder / "Name.dat.old");
  EXPECT_TRUE(game.SaveNameFile());
  EXPECT_EQ(Saved().PlayerName, "Eve");
}

// A save writes regular files only: a link to anything else, or to nothing, is left as
// it is. A file with another name keeps it, and its owner, both names showing the new
// line; a file of someone else's, saved by root, stays theirs.
TEST_F(NameFileTest, SavesWriteOnlyRegularFilesAndKeepTheirNamesAndOwners) {
  const fs::path file = folder / "Name.dat";
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0644), 0);
  for (const char* target : {"pipe", "nowhere"}) {
    fs::create_symlink(target, file);
    EXPECT_FALSE(game.SaveNameFile()) << target;
    EXPECT_TRUE(fs::is_symlink(file) && fs::is_fifo(folder / "pipe") &&
                !fs::exists(folder / "nowhere"))
        << target;
    fs::remove(file);
  }
  ASSERT_EQ(host.MessageTitles(), (Texts{"Not saved", "Not saved"}));
  EXPECT_PRED_FORMAT2(::testing::IsSubstring,
                      "(it is a link to something that is not an ordinary file). The file you "
                      "had before is unchanged.",
                      host.messages[0].Message);

  const bool root = ::geteuid() == 0;
  const uid_t someone = root ? 65534 : ::geteuid();
  const gid_t group = root ? 65534 : ::getegid();
  for (const bool linked : {true, false}) {
    WriteBytes(file, "old");
    if (linked) fs::create_hard_link(file, folder / "other.dat");
    ASSERT_EQ(::chown(file.c_str(), someone, group), 0);
    struct stat before {
    }, after{};
    ::stat(file.c_str(), &before);
    game.PlayerName = linked ? "Ann" : "Bob";
    EXPECT_TRUE(game.SaveNameFile());
    ::stat(file.c_str(), &after);
    EXPECT_TRUE(Saved().PlayerName == game.PlayerName && after.st_nlink == before.st_nlink &&
                after.st_uid == someone && after.st_gid == group)
        << linked;
    EXPECT_TRUE(!linked ||
                (ReadBytes(folder / "other.dat") == FileText() && after.st_ino == before.st_ino));
    fs::remove(folder / "other.dat");
  }
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

// A save stopped between any two of its steps, as by a crash or a power cut, leaves the
// old line or the new one, never an empty or a mixed one: replacing the file, and writing
// it in place (a file with a second name, a folder that takes no new file), whichever of
// the two lines is the longer.
TEST_F(NameFileTest, StoppedBetweenAnyTwoStepsASaveLeavesTheOldLineOrTheNew) {
  const fs::path dir = folder / "steps", file = dir / "Name.dat";
  const std::string shortLine = "\"Al\",\"Bo\",0,0,0,0,0,600\r\n";
  const std::string longLine = "\"Alexandra\",\"Bartholomew\",300,12,9,-40,1990,2000\r\n";
  using S = SaveStep;
  const std::vector<S> replace{S::CreateTemporary, S::WriteTemporary, S::SyncTemporary, S::Rename,
                               S::SyncFolder};
  const std::vector<S> inPlace{S::OpenInPlace, S::WriteOver, S::CutToLength, S::SyncInPlace};
  const std::vector<S> refused{S::CreateTemporary, S::OpenInPlace, S::WriteOver, S::CutToLength,
                               S::SyncInPlace};
  for (const std::vector<S>* steps : {&replace, &inPlace, &refused}) {
    for (const auto& [before, after] : {std::pair{longLine, shortLine}, {shortLine, longLine}}) {
      for (std::size_t stop = 0; stop <= steps->size(); ++stop) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        WriteBytes(file, before);
        if (steps == &inPlace) fs::create_hard_link(file, dir / "second");
        std::optional<NoNewFiles> lock;
        if (steps == &refused && !lock.emplace(dir).works) GTEST_SKIP() << "no folder kept shut";
        std::vector<S> taken;
        const SaveResult result = SaveFileSafely(file.string(), after, [&](S step) {
          taken.push_back(step);
          return taken.size() <= stop;
        });
        lock.reset();
        const std::string left = ReadBytes(file);
        SCOPED_TRACE("stopped before step " + std::to_string(stop) + " of " +
                     std::to_string(steps->size()) + ", leaving " + left);
        const PlayerFileParse read = ParsePlayerFile(left);
        EXPECT_TRUE(read.Problems.empty() && (read.Data == ParsePlayerFile(before).Data ||
                                              read.Data == ParsePlayerFile(after).Data));
        EXPECT_TRUE(stop < steps->size() ||
                    (taken == *steps && result.Failure.empty() && left == after));
      }
    }
  }
}
