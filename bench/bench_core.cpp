// How fast the game core plays when nothing waits: whole games of the robot
// against the simple policy on the human's seat on the scripted host's virtual clock, and the
// time of one robot turn within those games. Pauses cost nothing here, so the
// figures are the core's own processor time. And what keeping the hand in play
// costs: forming its text at every wait, reading it, saving it.
//
// Build and run from the repository with the bench preset (Google Benchmark from
// scripts/install-deps.sh --bench):
//   cmake --preset bench && cmake --build --preset bench && build/bench/bench_core
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "harness/HumanSeat.h"
#include "harness/ScriptedHost.h"
#include "harness/SimplePolicy.h"
#include "state/Game.h"

using namespace larkspur;

namespace {

// The processor time of this thread, so that other programs on the machine do not count.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

std::string Folder() {
  const auto folder = std::filesystem::temp_directory_path() / "larkspur-bench";
  std::filesystem::create_directories(folder);
  return folder.string();
}

struct GameRecord {
  int hands = 0;
  int robotTurns = 0;
  double robotSeconds = 0;
};

// Plays one whole game. A robot turn is timed from the human's last click of
// a turn to the first wait of the next human turn.
GameRecord PlayGame(std::uint64_t seed, const std::string& folder, bool keepHand = false) {
  ScriptedHost host(seed);
  host.folder = folder;
  host.answerMessage = ScriptedHost::ExitAtGameOver;
  Game game(host);
  game.KeepsHand = keepHand;  // in memory: the host has no data folder
  SimplePolicy simple(seed);
  HumanSeat human(game, simple);
  GameRecord record;
  bool robotPlaying = false;
  double robotStart = 0;
  host.onIdle = [&] {
    if (robotPlaying && game.PlayerTurnOpen && !game.Table.FramResults.Visible) {
      record.robotSeconds += CpuSeconds() - robotStart;
      record.robotTurns += 1;
    }
    robotPlaying = false;
    record.hands += game.Table.FramResults.Visible;
    human.Act();
    if (!game.PlayerToPlay && game.HandInPlay && !game.Table.FramResults.Visible) {
      robotPlaying = true;
      robotStart = CpuSeconds();
    }
  };
  game.Form_Load();
  game.MnuNew_Click();
  return record;
}

void WholeGame(benchmark::State& state) {
  const std::string folder = Folder();
  std::uint64_t seed = 0;
  double hands = 0;
  for (auto _ : state) hands += PlayGame(++seed, folder).hands;
  state.SetItemsProcessed(state.iterations());  // items are games
  state.counters["hands/game"] = hands / static_cast<double>(state.iterations());
}
BENCHMARK(WholeGame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Reported time: the mean processor time of a robot turn, one game per iteration.
void RobotTurn(benchmark::State& state) {
  const std::string folder = Folder();
  std::uint64_t seed = 0;
  double turns = 0;
  for (auto _ : state) {
    const GameRecord record = PlayGame(++seed, folder);
    turns += record.robotTurns;
    state.SetIterationTime(record.robotSeconds / record.robotTurns);
  }
  state.counters["turns/game"] = turns / static_cast<double>(state.iterations());
}
BENCHMARK(RobotTurn)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(300);

// The same games with the hand kept, in memory, at every wait for the human's
// move: against WholeGame, what forming the kept hand's text costs.
void WholeGameKeepingTheHand(benchmark::State& state) {
  const std::string folder = Folder();
  std::uint64_t seed = 0;
  for (auto _ : state) PlayGame(++seed, folder, true);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(WholeGameKeepingTheHand)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// A hand kept late in a game: its text, and that text read back.
std::string KeptText() {
  struct Stop {};
  ScriptedHost host(3);
  host.folder = Folder();
  host.answerMessage = ScriptedHost::ExitAtGameOver;
  Game game(host);
  game.KeepsHand = true;
  SimplePolicy simple(3);
  HumanSeat human(game, simple);
  int waits = 0;
  host.onIdle = [&] {
    if (game.MayMove() && game.PlayerToPlay && ++waits == 90) throw Stop{};
    human.Act();
  };
  game.Form_Load();
  try {
    game.MnuNew_Click();
  } catch (const Stop&) {
  }
  return game.KeptHandText();
}

void ReadKeptHand(benchmark::State& state) {
  const std::string text = KeptText();
  for (auto _ : state) benchmark::DoNotOptimize(ParseKeptHand(text));
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(ReadKeptHand)->Unit(benchmark::kMicrosecond);

// Saving it to the disk through the crash-safe writer, beside the player file's
// one line saved the same way: the wall time, flushing to the disk included.
void SaveKeptHand(benchmark::State& state) {
  const std::string text = KeptText(), path = Folder() + "/KeptHand.txt";
  for (auto _ : state) SaveFileSafely(path, text);
}
BENCHMARK(SaveKeptHand)->Unit(benchmark::kMillisecond)->UseRealTime();

void SavePlayerFile(benchmark::State& state) {
  const std::string path = Folder() + "/Name.dat";
  for (auto _ : state) SaveFileSafely(path, "\"Player\",\"Barnaby\",300,2,2,0,0,5000\r\n");
}
BENCHMARK(SavePlayerFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
