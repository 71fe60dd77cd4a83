// How fast the lean simulator plays out the rest of a hand, the figure a
// searching robot lives by. The positions are hands sampled, as a search
// samples them, from what the seat to play saw at decisions all through hands
// of the Expert against itself; each is played out to the hand's end with the
// built-in playout policy on both seats, or with the Expert on both. Beside
// them, in the same run: the time to sample a hand, a whole hand from the deal,
// and a hand of the table itself (the real game on the scripted host's virtual
// clock, the Expert on both seats), the reference.
//
//   cmake --preset bench && cmake --build --preset bench && build/bench/bench_sim
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "harness/HumanSeat.h"
#include "harness/ScriptedHost.h"
#include "policy/ExpertPolicy.h"
#include "policy/MasterPolicy.h"
#include "sim/GameOdds.h"
#include "sim/SimPlay.h"
#include "sim/SimSample.h"
#include "state/Game.h"

using namespace larkspur;

namespace {

SimHand Dealt(std::uint64_t seed) {
  SimHand h;
  h.Random.State = seed;
  h.NewHand({}, 5000, seed % 2 ? Human : Robot);
  h.ShuffleStock();
  h.Deal();
  return h;
}

struct Position {
  SeatView View;
  SimPhase Phase;
  int Step;
};

// Every fourth decision of 100 hands of the Expert against itself.
const std::vector<Position>& Positions() {
  static const std::vector<Position> positions = [] {
    std::vector<Position> all;
    ExpertPolicy expert;
    PolicySeat seat(expert);
    for (std::uint64_t n = 1; n <= 100; ++n) {
      SimHand h = Dealt(n);
      for (int decision = 0; !h.Over(); ++decision) {
        if (decision % 4 == 0) all.push_back({MakeSeatView(h, h.Turn), h.Phase, h.MeldStepNo});
        PlayDecision(h, seat);
      }
    }
    return all;
  }();
  return positions;
}

const std::vector<SimHand>& Sampled() {
  static const std::vector<SimHand> hands = [] {
    std::vector<SimHand> all;
    std::uint64_t seed = 0;
    for (const Position& p : Positions())
      all.push_back(SampleHand(p.View, p.Phase, p.Step, ++seed));
    return all;
  }();
  return hands;
}

template <class Player>
void RestOfHand(benchmark::State& state, Player& player) {
  const std::vector<SimHand>& hands = Sampled();
  std::size_t i = 0;
  for (auto _ : state) {
    SimHand h = hands[i++ % hands.size()];
    PlayOut(h, player, player);
    benchmark::DoNotOptimize(h.HandTotal);
  }
  state.SetItemsProcessed(state.iterations());  // items are hands played out
}

void PlayoutRestOfHand(benchmark::State& state) {
  PlayoutSeat playout;
  RestOfHand(state, playout);
}
BENCHMARK(PlayoutRestOfHand)->Unit(benchmark::kMicrosecond);

void ExpertRestOfHand(benchmark::State& state) {
  ExpertPolicy expert;
  PolicySeat seat(expert);
  RestOfHand(state, seat);
}
BENCHMARK(ExpertRestOfHand)->Unit(benchmark::kMicrosecond);

template <class Player>
void WholeHand(benchmark::State& state, Player& player) {
  std::uint64_t seed = 0;
  for (auto _ : state) {
    SimHand h = Dealt(++seed);
    PlayOut(h, player, player);
    benchmark::DoNotOptimize(h.HandTotal);
  }
  state.SetItemsProcessed(state.iterations());
}

void PlayoutWholeHand(benchmark::State& state) {
  PlayoutSeat playout;
  WholeHand(state, playout);
}
BENCHMARK(PlayoutWholeHand)->Unit(benchmark::kMicrosecond);

// Beside the table's hand below: the same players, the simulator instead of the table.
void ExpertWholeHand(benchmark::State& state) {
  ExpertPolicy expert;
  PolicySeat seat(expert);
  WholeHand(state, seat);
}
BENCHMARK(ExpertWholeHand)->Unit(benchmark::kMicrosecond);

void SampleOneHand(benchmark::State& state) {
  const std::vector<Position>& positions = Positions();
  std::size_t i = 0;
  for (auto _ : state) {
    const Position& p = positions[i % positions.size()];
    benchmark::DoNotOptimize(SampleHand(p.View, p.Phase, p.Step, ++i));
  }
}
BENCHMARK(SampleOneHand)->Unit(benchmark::kMicrosecond);

// The Master's decisions at the positions, each searched with the playouts of a
// 20 ms budget: the rate of its playouts (a hand dealt from the view, the
// candidate applied, the rest played out and weighed) is what MasterPolicy's
// PlayoutsPerMs turns a budget into.
void MasterPlayout(benchmark::State& state) {
  const std::vector<Position>& positions = Positions();
  MasterPolicy master(20);
  GameOddsFor(5000);  // worked out once, before the clock runs
  std::size_t i = 0;
  double playouts = 0;
  for (auto _ : state) {
    const Position& p = positions[i++ % positions.size()];
    if (p.Phase == SimPhase::Draw && p.View.MayTakePile())
      benchmark::DoNotOptimize(master.TakePile(p.View));
    else if (p.Phase == SimPhase::Meld)
      benchmark::DoNotOptimize(master.PlanMelds(p.View));
    else if (p.Phase == SimPhase::Discard)
      benchmark::DoNotOptimize(master.Discard(p.View));
    else
      continue;
    playouts += master.LastFinding().Playouts;
  }
  state.counters["playouts"] = benchmark::Counter(playouts, benchmark::Counter::kAvgIterations);
  state.counters["per playout"] =
      benchmark::Counter(playouts, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(MasterPlayout)->Unit(benchmark::kMillisecond);

// Working out the chances of winning the game for a new target.
void GameOddsForATarget(benchmark::State& state) {
  int target = 5000;
  for (auto _ : state) benchmark::DoNotOptimize(GameOdds(target += 5).WinChance(0, 0));
}
BENCHMARK(GameOddsForATarget)->Unit(benchmark::kMillisecond);

// The reference: whole games of the table, the Expert on both seats; the time is
// given per hand.
void TableHand(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "larkspur-bench-sim";
  std::filesystem::create_directories(folder);
  std::uint64_t seed = 0;
  double hands = 0;
  for (auto _ : state) {
    ScriptedHost host(++seed, folder.string());
    host.answerMessage = ScriptedHost::ExitAtGameOver;
    Game game(host);
    ExpertPolicy robot, human;
    game.RobotSeatPolicy = &robot;
    HumanSeat seat(game, human);
    int handsOfGame = 0;
    bool shown = false;
    host.onIdle = [&] {
      const bool results = game.Table.FramResults.Visible;
      handsOfGame += results && !shown;
      shown = results;
      seat.Act();
    };
    game.Form_Load();
    game.MnuNew_Click();
    hands += handsOfGame;
  }
  state.counters["hands/game"] = hands / static_cast<double>(state.iterations());
  state.counters["per hand"] =
      benchmark::Counter(hands, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TableHand)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

BENCHMARK_MAIN();
