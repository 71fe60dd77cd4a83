// The kept hand: written at every wait for the human's move and gone with the
// hand, offered at start-up and put back by Resume Hand, given up by New and
// Load, and a damaged, foreign or inconsistent file refused, set aside and told.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>
#include <set>

#include "TableFixture.h"
#include "commands/DataFiles.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
namespace fs = std::filesystem;

namespace {

class KeptHandTest : public TableTest {
 protected:
  KeptHandTest() {
    data = folder / "data";
    host.dataFolder = data.string();
    game.KeepsHand = true;
  }
  fs::path KeptFile() const { return data / KeptHandFile; }

  // Plays a seeded game until its n-th wait for the human's move (n = 0: to the first
  // hand's end), and leaves it there.
  void PlayToWait(Game& g, ScriptedHost& h, int n, const std::function<void()>& atEachWait = {}) {
    SimplePolicy policy(5);
    HumanSeat seat(g, policy);
    int waits = 0;
    h.onIdle = [&] {
      if (n == 0 && g.Table.FramResults.Visible) throw Stop{};
      if (WaitsForMove(g)) {
        if (atEachWait) atEachWait();
        if (++waits == n) throw Stop{};
      }
      seat.Act();
    };
    UntilStop([&] { g.MnuNew_Click(); });
  }
  // A hand kept at the n-th wait of a seeded game, as its file holds it, and its table.
  std::string KeptAt(int n, TableModel* table = nullptr) {
    ScriptedHost h(7, folder.string());
    h.dataFolder = data.string();
    Game g(h);
    g.KeepsHand = true;
    g.Form_Load();
    PlayToWait(g, h, n);
    if (table) *table = g.Table;
    return ReadBytes(KeptFile());
  }

  fs::path data;
};

// Every wait for the human's move leaves the hand in the file as the game keeps it, and
// the file reads back as the same hand; the hand's end takes it away.
TEST_F(KeptHandTest, EveryWaitIsKeptAndReadsBackAndTheHandsEndForgetsIt) {
  game.Form_Load();
  int waits = 0;
  PlayToWait(game, host, 0, [&] {
    ++waits;
    const std::string text = ReadBytes(KeptFile());
    ASSERT_EQ(text, game.KeptHandText());
    const KeptHandRead read = ParseKeptHand(text);
    ASSERT_TRUE(read.Hand) << read.Problem;
    ASSERT_EQ(FormatKeptHand(*read.Hand), text);
  });
  EXPECT_GT(waits, 10);
  EXPECT_FALSE(fs::exists(KeptFile()));
  EXPECT_TRUE(game.KeptHandText().empty());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(KeptHandTest, TextsOfAnyBytesReadBackAsTheyWere) {
  KeptHand hand = *ParseKeptHand(KeptAt(4)).Hand;
  const std::string odd = "a \"quote\", a \\ back\\slash, a\nline, a\ttab, \x7F, Zoë, \"\"";
  hand.Table.LblGenInfo.Caption = odd;
  hand.Table.lblMelds[RankAce].ToolTip = odd;
  hand.Hints.Said = odd;
  hand.Hints.Steps.push_back({{{TableTarget::HandCard, 17}, odd}, {1, -2, 3}});
  const std::string text = FormatKeptHand(hand);
  const KeptHandRead read = ParseKeptHand(text);
  ASSERT_TRUE(read.Hand) << read.Problem;
  EXPECT_EQ(read.Hand->Table.LblGenInfo.Caption, odd);
  EXPECT_EQ(read.Hand->Table.lblMelds[RankAce].ToolTip, odd);
  EXPECT_EQ(read.Hand->Hints.Steps.back().Advice.Text, odd);
  EXPECT_EQ(FormatKeptHand(*read.Hand), text);
}

// Anything that is not a whole, consistent hand of this version is refused whole, and
// says why: a hand changed so that its parts disagree, and a text damaged or foreign.
TEST_F(KeptHandTest, WhatIsNotAWholeConsistentHandIsRefused) {
  const std::string good = KeptAt(6);
  const KeptHand hand = *ParseKeptHand(good).Hand;
  auto cardAt = [&hand](int place) {
    for (int c = 1; c <= CardCount; ++c)
      if (hand.State.Cards[c].Place == place) return c;
    return 0;
  };
  const std::pair<std::function<void(KeptHand&)>, const char*> changes[] = {
      {[](KeptHand& h) { h.State.DiscardCount += 1; }, "discard pile's count"},
      {[&](KeptHand& h) { h.State.Cards[cardAt(PlaceHumanHand)].Place = PlaceStock; },
       "stock's count"},
      {[&](KeptHand& h) { h.State.HandPoints[Robot] += 5; }, "robot's hand"},
      {[&](KeptHand& h) { h.State.Cards[cardAt(PlaceStock)].Place = 3; }, "no place"},
      {[&](KeptHand& h) { h.State.Cards[cardAt(PlaceStock)].Points = 7; }, "points"},
      {[&](KeptHand& h) { h.State.Cards[FirstFour].Rank = RankKing; }, "rank"},
      {[](KeptHand& h) { h.State.MeldInfo[Robot][RankNine].Count += 1; }, "melds disagree"},
      {[&](KeptHand& h) {
         const int c = cardAt(PlaceStock);
         h.State.Cards[c].Place = PlaceHumanMeld;
         h.State.Cards[c].MeldColumn[Human] = RankOfCard(c) == RankKing ? RankQueen : RankKing;
       },
       "not of its rank"},
      {[&](KeptHand& h) {
         h.State.Cards[FirstRedThree].Place = PlaceHumanHand;
         h.State.HandCount[Human] += 1, h.State.HandPoints[Human] += 100;
       },
       "red three"},
      {[](KeptHand& h) { h.State.PlayerToPlay = false; }, "your turn"},
      {[](KeptHand& h) { h.State.PlayerDiscarding = !h.State.PlayerDiscarding; }, "phases"},
      {[](KeptHand& h) { h.Table.PicCards[9].ZOrder = h.Table.ZCounter + 1; }, "stacked"},
      {[](KeptHand& h) { h.Table.Shape1.BorderColor = RGB(1, 2, 3); }, "neither open"},
      {[](KeptHand& h) { h.Hints.Next = h.Hints.Steps.size() + 1; }, "hint"},
  };
  for (const auto& [change, why] : changes) {
    KeptHand changed = hand;
    change(changed);
    const KeptHandRead read = ParseKeptHand(FormatKeptHand(changed));
    EXPECT_FALSE(read.Hand) << why;
    EXPECT_NE(read.Problem.find(why), std::string::npos) << read.Problem;
  }

  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  // The text with the first number of a line replaced.
  auto firstNumber = [&good](const std::string& keyword, const std::string& number) {
    std::string text = good;
    const std::size_t at = text.find("\n" + keyword + " ") + keyword.size() + 2;
    return text.replace(at, text.find(' ', at) - at, number);
  };
  const std::string withoutCard = replaced("\ncard 7 ", "\nxcard 7 ");
  const std::pair<std::string, const char*> texts[] = {
      {good.substr(0, good.size() / 2), "cut short"},
      {good.substr(0, good.find("\nend ") + 1), "ends before"},
      {replaced("kept hand 1", "kept hand 2"), "another version of the game (its format 2"},
      {replaced("Larkspur kept", "Larkspur kepT"), "not a kept hand"},
      {replaced("robot ", "robot master"), "robot"},
      {firstNumber("counts", "99999999999999999999"), "where a number belongs"},
      {firstNumber("counts", "200"), "outside 0 to 108"},
      {replaced("\ncard 1 ", "\ncard 1  "), "not written right"},
      {withoutCard, "is not the \"card\" line"},
      {replaced("\"LblGenInfo\"", "\"LblNames_1\""), "does not have"},
      {replaced("\nsheet ", "\nsheet 1 "), "items it should"},
      {replaced("Target Score is 5000", "Target Score is 5001"),
       "not the ones it was written with"},
      {good + "more\n", "goes on after its end"},
      {std::string(KeptHandSizeLimit + 1, 'x'), "longer than any kept hand"},
  };
  for (const auto& [text, why] : texts) {
    const KeptHandRead read = ParseKeptHand(text);
    EXPECT_FALSE(read.Hand) << why;
    EXPECT_NE(read.Problem.find(why), std::string::npos) << why << ": " << read.Problem;
  }
}

// At start-up a kept hand is offered on the status line; Resume Hand puts the table back
// exactly as it was left and waits for the human's move, once.
TEST_F(KeptHandTest, StartUpOffersTheHandAndResumeHandPutsItBackOnce) {
  TableModel left;
  const std::string kept = KeptAt(9, &left);
  ScriptedHost again(11, folder.string());
  again.dataFolder = data.string();
  Game resumed(again);
  resumed.KeepsHand = true;
  resumed.Form_Load();
  EXPECT_EQ(resumed.Table.LblGenInfo.Caption,
            "Player  welcome back to Larkspur - your last hand is kept. Press Ctrl+R or use Game "
            "Menu, Resume Hand, to play on where you left off, or F2 for a new game.");
  ASSERT_TRUE(resumed.HandToResume());
  int waits = 0;
  again.onIdle = [&] {
    ++waits;
    EXPECT_TRUE(WaitsForMove(resumed));
    EXPECT_TRUE(resumed.Table == left);
    EXPECT_EQ(resumed.KeptHandText(), kept);
    EXPECT_FALSE(resumed.HandToResume());
    throw Stop{};
  };
  UntilStop([&] { resumed.MnuResume_Click(); });
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(ReadBytes(KeptFile()), kept);
  resumed.MnuResume_Click();  // nothing left to resume
  EXPECT_EQ(waits, 1);
}

// New and Load give a kept hand up once past their questions; a question answered
// No keeps it.
TEST_F(KeptHandTest, NewAndLoadGiveTheKeptHandUpAfterTheirQuestion) {
  const std::string kept = KeptAt(3);
  const std::pair<PlayerFileData, std::function<void(Game&)>> starts[] = {
      {{}, [](Game& g) { g.MnuNew_Click(); }},
      {{}, [](Game& g) { g.MnuLoad_Click(); }},  // nothing to load: a new game
      {{"Player", "Barnaby", 300, 0, 0, 120, 90, 5000}, [](Game& g) { g.MnuLoad_Click(); }},
  };
  for (const auto& [file, start] : starts) {
    WriteBytes(KeptFile(), kept);
    SavedGame other(folder / "other", file);
    other.host.dataFolder = data.string();
    other.host.onIdle = [] { throw Stop{}; };
    other.game.Form_Load();
    ASSERT_TRUE(other.game.HandToResume());
    UntilStop([&] { start(other.game); });
    EXPECT_FALSE(other.game.HandToResume());
    EXPECT_FALSE(fs::exists(KeptFile()));
  }

  // New in the middle of a game, answered No Cancel.
  ScriptedHost h(2, folder.string());
  h.dataFolder = data.string();
  Game playing(h);
  playing.KeepsHand = true;
  playing.Form_Load();
  h.messageAnswers = {1};
  h.onIdle = [&] {
    playing.MnuNew_Click();
    throw Stop{};
  };
  UntilStop([&] { playing.MnuNew_Click(); });
  EXPECT_EQ(h.MessageTitles(), Texts{"Really start new game?"});
  EXPECT_EQ(ReadBytes(KeptFile()), playing.KeptHandText());
}

// A kept hand the game cannot use is set aside, told once, and the start-up is the usual one.
TEST_F(KeptHandTest, ABadKeptHandIsSetAsideAndToldOnce) {
  const std::string kept = KeptAt(2);
  for (const std::string& bad : {std::string("rubbish\n"), kept.substr(0, 200),
                                 std::string("Larkspur kept hand 9\n"), std::string()}) {
    fs::remove_all(data);
    fs::create_directories(data);
    if (bad.empty())
      fs::create_directory(KeptFile());  // not a file at all
    else
      WriteBytes(KeptFile(), bad);
    ScriptedHost h(1, folder.string());
    h.dataFolder = data.string();
    for (int run = 0; run < 2; ++run) {
      Game g(h);
      g.Form_Load();
      g.ReportDataFileProblems();
      g.ReportDataFileProblems();
      EXPECT_FALSE(g.HandToResume());
      EXPECT_EQ(g.Table.LblGenInfo.Caption,
                "Player  welcome to Larkspur - Press F2 or us Game Menu for a new game.");
    }
    ASSERT_EQ(h.MessageTitles(), Texts{"Kept hand not used"}) << bad;
    EXPECT_NE(h.messages[0].Message.find("set aside as " + KeptFile().string() + ".bad"),
              std::string::npos)
        << h.messages[0].Message;
    EXPECT_TRUE(fs::exists(KeptFile().string() + ".bad"));
  }
}

// A save of the kept hand stopped between any two of its steps, as by a crash, leaves the
// last whole hand or the new one: the file always reads as one of them.
TEST_F(KeptHandTest, AStoppedSaveLeavesTheLastWholeHandOrTheNew) {
  const std::string before = KeptAt(2), after = KeptAt(5);
  ASSERT_NE(before, after);
  for (int stop = 0;; ++stop) {
    WriteBytes(KeptFile(), before);
    int steps = 0;
    const SaveResult saved =
        SaveDataFile(KeptFile().string(), after, [&](SaveStep) { return steps++ < stop; });
    const std::string left = ReadBytes(KeptFile());
    EXPECT_TRUE(ParseKeptHand(left).Hand && (left == before || left == after)) << stop;
    if (saved.Failure.empty()) {
      EXPECT_EQ(left, after);
      break;
    }
  }
}

// A process killed by SIGKILL at random moments while it saves one kept hand after
// another leaves one of them whole every time, never a part of one.
TEST_F(KeptHandTest, KilledWhileSavingLeavesAWholeHand) {
  const std::string hands[2] = {KeptAt(2), KeptAt(30)};
  std::mt19937 rng(21);
  std::set<std::string> found;
  for (int kill = 0; kill < 100; ++kill) {
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      for (int n = 0;; ++n) SaveDataFile(KeptFile().string(), hands[n % 2]);
    }
    ::usleep(2000 + rng() % 20000);
    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);
    const std::string left = ReadBytes(KeptFile());
    ASSERT_TRUE(left == hands[0] || left == hands[1])
        << "kill " << kill << " left " << left.size() << " bytes";
    found.insert(left);
  }
  EXPECT_EQ(found.size(), 2u);
  // A kill between a temporary's making and its renaming leaves the temporary behind.
  int midSave = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(data)) {
    EXPECT_TRUE(e.path().filename().string().starts_with(KeptHandFile)) << e.path();
    midSave += e.path() != KeptFile();
  }
  RecordProperty("killed_between_a_temporary_and_its_renaming", midSave);
}

// A hand that cannot be kept is told once, and play goes on.
TEST_F(KeptHandTest, AHandThatCannotBeKeptIsToldOnce) {
  WriteBytes(data.string() + "-file", "");
  host.dataFolder = data.string() + "-file/data";  // a folder inside a file: never made
  game.Form_Load();
  PlayToWait(game, host, 8);
  EXPECT_EQ(host.MessageTitles(), Texts{"Hand not kept"});
  EXPECT_FALSE(game.KeptHandText().empty());
}

}  // namespace
