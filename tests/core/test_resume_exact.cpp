// A kept hand plays on exactly as the hand would have without the break: whole
// seeded games are played, the hand is kept at every wait for the human's move,
// and each kept hand is put back into a fresh game by its file and played to the
// hand's end. The table models must be equal where it was put back, and all the
// rest of the hand, at every pause and every wait, the same as in the
// uninterrupted game. LARKSPUR_RESUME_GAMES sets how many games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "TableFixture.h"
#include "commands/DataFiles.h"
#include "harness/Counts.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
namespace fs = std::filesystem;

namespace {

// A hash of what the table and the game hold, a number at a time.
struct Hash {
  std::uint64_t h = 14695981039346656037ull;
  void Add(std::int64_t n) { h = (h ^ static_cast<std::uint64_t>(n)) * 1099511628211ull; }
  void Add(const std::string& text) {
    Add(static_cast<std::int64_t>(std::hash<std::string>{}(text)));
  }
  void Add(const Label& l) {
    for (int n : {l.Left, l.Top, l.Width, l.Height, l.BackColor, l.MousePointer, l.MouseIcon,
                  l.ElidablePrefix, int(l.Visible)})
      Add(n);
    Add(l.Caption), Add(l.ToolTip);
  }
};

// One moment of play: the cards and the table; at a wait, every element of it and
// the whole hand as it would be kept. What was heard since the last moment apart.
struct Moment {
  std::uint64_t seen = 0, heard = 0;
  bool results = false;  // the results frame shows: the hand is over
};

// What is seen of one game, a moment at a time.
struct Watch {
  const Game& g;
  ScriptedHost& host;
  std::size_t messages = 0, sounds = 0;
  const std::vector<TableElement> elements = g.Table.Elements();
  Moment Take(bool wait);
};

Moment Watch::Take(bool wait) {
  Hash seen;
  seen.Add(g.Delay), seen.Add(g.Table.LblGenInfo.Caption), seen.Add(g.Table.ZCounter);
  for (int c = 1; c <= CardCount; ++c) {
    const CardPicture& pic = g.Table.PicCards[c];
    for (std::int64_t n :
         {std::int64_t(g.Cards[c].Place), std::int64_t(g.Cards[c].Rank), std::int64_t(pic.Left),
          std::int64_t(pic.Top), std::int64_t(pic.Image), std::int64_t(pic.Visible),
          std::int64_t(pic.BorderStyle), std::int64_t(pic.ZOrder)})
      seen.Add(n);
  }
  if (wait) {
    for (const TableElement& e : elements) {
      if (e.Lbl) seen.Add(*e.Lbl);
      if (e.Frm) seen.Add(e.Frm->Visible), seen.Add(e.Frm->ZOrder);
    }
    seen.Add(g.Table.Caption), seen.Add(g.Table.Shape1.BorderColor), seen.Add(g.Table.Txtpoints);
    seen.Add(g.Table.MnuPlayEnabled), seen.Add(g.Table.HintTarget.What);
    seen.Add(g.Table.HintTarget.Index);
    seen.Add(g.KeptHandText());  // the whole hand, as kept at this wait
  }
  Hash heard;
  for (; messages < host.messages.size(); ++messages)
    heard.Add(host.messages[messages].Title + "|" + host.messages[messages].Message);
  for (; sounds < host.sounds.size(); ++sounds) heard.Add(host.sounds[sounds]);
  return {seen.h, heard.h, wait && g.Table.FramResults.Visible};
}

// The hint's search a decision, in playouts: the game's would make hundreds of
// resumed hands slow, and a hint made with little search must resume all the same.
constexpr int HintPlayouts = 50;

// The human's seat: a simple policy, and now and then a hint asked for first.
struct Player {
  SimplePolicy policy;
  std::mt19937_64 rng;
  void Act(Game& g, HumanSeat& seat) {
    if (g.PlayerToPlay && rng() % 4 == 0) g.MnuHint_Click();
    seat.Act();
  }
};

// The human's seat where a hand was kept, and the table and moment there.
struct Kept {
  std::string text;
  Player player;
  TableModel table;
  std::size_t at;
};

class ResumeExact : public ::testing::TestWithParam<int> {
 protected:
  ResumeExact() {
    folder = fs::path(::testing::TempDir()) / ("larkspur-resume-" + std::to_string(::getpid()));
    fs::remove_all(folder);
  }
  ~ResumeExact() override { fs::remove_all(folder); }

  // Plays the game of this seed, keeping the hand at every wait for the human's move.
  void Play(std::uint64_t seed) {
    moments.clear();
    kept.clear();
    fs::remove_all(folder / "played");  // no player file of an earlier game comes in
    fs::create_directories(folder / "played");
    ScriptedHost host(seed, (folder / "played").string());
    host.answerMessage = ScriptedHost::ExitAtGameOver;
    Game game(host);
    game.KeepsHand = true;
    game.SetHintPlayouts(HintPlayouts);
    if (seed % 2 == 0) game.ChooseRobot(RobotPlay::Expert);
    Player player{SimplePolicy(seed * 7919 + 1), std::mt19937_64(seed)};
    HumanSeat seat(game, player.policy);
    Watch watch{game, host};
    host.onPause = [&] { moments.push_back(watch.Take(false)); };
    host.onIdle = [&] {
      if (WaitsForMove(game))
        kept.push_back({game.KeptHandText(), player, game.Table, moments.size()});
      moments.push_back(watch.Take(true));
      player.Act(game, seat);
    };
    game.Form_Load();
    game.MnuNew_Click();
    ASSERT_TRUE(host.ended) << "seed " << seed << ": the game did not end";
  }

  // Puts the hand kept at one wait back into a fresh game by its file and plays it to the
  // hand's end; what was seen from there on is what the uninterrupted game saw.
  void Resume(std::uint64_t seed, const Kept& k) {
    std::size_t end = k.at;
    while (!moments[end].results) ++end;
    const fs::path dir = folder / "resumed";
    fs::remove_all(dir);
    fs::create_directories(dir);
    WriteBytes(dir / KeptHandFile, k.text);
    ScriptedHost host(seed + 1000, dir.string());
    host.dataFolder = dir.string();
    host.answerMessage = ScriptedHost::ExitAtGameOver;
    Game game(host);
    game.KeepsHand = true;
    game.SetHintPlayouts(HintPlayouts);
    game.Form_Load();
    ASSERT_TRUE(game.HandToResume()) << "seed " << seed << ": kept hand refused";
    host.dataFolder.clear();  // played on in memory only
    Player player = k.player;
    HumanSeat seat(game, player.policy);
    std::vector<Moment> seen;
    Watch watch{game, host, host.messages.size(), host.sounds.size()};
    auto see = [&](bool wait) {
      seen.push_back(watch.Take(wait));
      if (seen.size() == 1) {
        EXPECT_TRUE(game.Table == k.table) << "seed " << seed << " at " << k.at;
        EXPECT_EQ(game.KeptHandText(), k.text) << "seed " << seed << " at " << k.at;
      }
      if (k.at + seen.size() > end) throw Stop{};
    };
    host.onPause = [&] { see(false); };
    host.onIdle = [&] {
      see(true);
      player.Act(game, seat);
    };
    UntilStop([&] { game.MnuResume_Click(); });
    ASSERT_EQ(seen.size(), end - k.at + 1) << "seed " << seed << " at " << k.at;
    for (std::size_t i = 0; i < seen.size(); ++i) {
      const Moment& then = moments[k.at + i];
      ASSERT_TRUE(seen[i].seen == then.seen && (i == 0 || seen[i].heard == then.heard))
          << "seed " << seed << ": resumed at moment " << k.at << ", differs at " << k.at + i;
    }
  }

  fs::path folder;
  std::vector<Moment> moments;
  std::vector<Kept> kept;
};

int GamesToResume(int normal) {
  const char* env = std::getenv("LARKSPUR_RESUME_GAMES");
  int games = normal;
  if (env == nullptr || ReadCount(env, games)) return games;
  ADD_FAILURE() << "LARKSPUR_RESUME_GAMES is not a whole number of games: \"" << env << '"';
  return 0;
}

// The games are shared among blocks that run side by side, each a test of its own.
constexpr int Blocks = 10;

TEST_P(ResumeExact, EveryKeptHandPlaysOnAsTheHandWould) {
  const int games = GamesToResume(20), block = GetParam();
  const int first = 1 + games * block / Blocks, last = games * (block + 1) / Blocks;
  std::size_t resumed = 0, bytes = 0, largest = 0;
  for (int seed = first; seed <= last; ++seed) {
    Play(seed);
    if (HasFatalFailure()) return;
    for (const Kept& k : kept) {
      Resume(seed, k);
      if (HasFatalFailure()) return;
      bytes += k.text.size(), largest = std::max(largest, k.text.size());
    }
    resumed += kept.size();
  }
  // A game waits for the human's move dozens of times.
  EXPECT_GE(resumed, std::size_t(last - first + 1) * 20);
  // How many hands were resumed, and the kept file's size, for whoever asks.
  RecordProperty("resumed", std::to_string(resumed));
  RecordProperty("kept_bytes", std::to_string(bytes));
  RecordProperty("largest_kept_bytes", std::to_string(largest));
}

INSTANTIATE_TEST_SUITE_P(Games, ResumeExact, ::testing::Range(0, Blocks));

}  // namespace
