// The arena: two policies play whole seeded games against each other on the
// virtual clock, each holding the robot's seat in every other game, and the
// results are summed up. A benchmark of playing strength and decision time,
// not a test.
//
//   larkspur-arena --games 10000 --seed 1 classic expert
//
// Policies: classic (on the robot's seat the game's own Classic robot, on the
// human's seat its rules as a policy), expert, simple. Games are shared out
// over all processor cores; each game's seed comes from the seed and the
// game's number and the results are added up in game order, so a seed always
// gives the same wins, draws and hands. A game that runs past the limit of
// hands or events counts as a draw and the summary says so.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness/Counts.h"
#include "harness/HumanSeat.h"
#include "harness/ScriptedHost.h"
#include "harness/SimplePolicy.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"
#include "state/Game.h"

using namespace larkspur;

namespace {

constexpr int MostHands = 200;  // far beyond any real game to 5000

// The processor time of this thread, so that other threads and programs do not count.
double CpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
}

// Times every decision of the policy it wraps.
class TimedPolicy : public Policy {
 public:
  TimedPolicy(std::unique_ptr<Policy> inner, std::vector<float>& times)
      : inner_(std::move(inner)), times_(times) {}
  std::string Name() const override { return inner_->Name(); }

 private:
  template <class F>
  auto Timed(F decide) -> decltype(decide()) {
    const double start = CpuMilliseconds();
    auto decision = decide();
    times_.push_back(static_cast<float>(CpuMilliseconds() - start));
    return decision;
  }

 public:
  bool TakePile(const SeatView& v) override {
    return Timed([&] { return inner_->TakePile(v); });
  }
  MeldStep NextMeld(const SeatView& v, int step) override {
    return Timed([&] { return inner_->NextMeld(v, step); });
  }
  int Discard(const SeatView& v) override {
    return Timed([&] { return inner_->Discard(v); });
  }

 private:
  std::unique_ptr<Policy> inner_;
  std::vector<float>& times_;
};

std::unique_ptr<Policy> MakePolicy(const std::string& name, std::uint64_t seed) {
  if (name == "classic") return std::make_unique<ClassicPolicy>();
  if (name == "expert") return std::make_unique<ExpertPolicy>();
  if (name == "simple") return std::make_unique<SimplePolicy>(seed);
  return nullptr;
}

// SplitMix64: well-spread seeds from the run's seed and a game's number.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ull;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

struct GameResult {
  int winner = 0;  // 1 policy a, 2 policy b, 0 a draw (stopped at the limit)
  int hands = 0;
  bool aOnRobot = false;
  std::vector<float> aTimes, bTimes;
};

GameResult PlayOne(const std::string& a, const std::string& b, std::uint64_t runSeed, int number,
                   const std::filesystem::path& folder) {
  GameResult result;
  const std::uint64_t seed = Mix(runSeed * 1'000'003 + static_cast<std::uint64_t>(number));
  result.aOnRobot = number % 2 == 0;
  const std::string& robotName = result.aOnRobot ? a : b;
  const std::string& humanName = result.aOnRobot ? b : a;
  std::vector<float>& robotTimes = result.aOnRobot ? result.aTimes : result.bTimes;
  std::vector<float>& humanTimes = result.aOnRobot ? result.bTimes : result.aTimes;

  std::filesystem::remove(folder / "Name.dat");
  ScriptedHost host(seed, folder.string());
  host.answerMessage = ScriptedHost::ExitAtGameOver;
  Game game(host);
  TimedPolicy human(MakePolicy(humanName, Mix(seed + 1)), humanTimes);
  std::unique_ptr<TimedPolicy> robot;
  // The Classic robot on its own seat is the game's own robot, not a copy of it.
  if (robotName != "classic") {
    robot = std::make_unique<TimedPolicy>(MakePolicy(robotName, Mix(seed + 2)), robotTimes);
    game.RobotSeatPolicy = robot.get();
  }
  HumanSeat seat(game, human);
  bool resultsShown = false;
  host.onIdle = [&] {
    if (game.Table.FramResults.Visible && !resultsShown && ++result.hands > MostHands)
      throw GameTooLong();
    resultsShown = game.Table.FramResults.Visible;
    seat.Act();
  };
  try {
    game.Form_Load();
    game.MnuNew_Click();
  } catch (const GameTooLong&) {
    return result;  // a draw
  }
  const bool humanWon = game.GameScore[Human] > game.GameScore[Robot];
  const bool aWon = humanWon != result.aOnRobot;
  result.winner = aWon ? 1 : 2;
  return result;
}

struct Interval {
  double low, high;
};

// The Wilson score interval for a share of wins at 95 %.
Interval Wilson(int wins, int games) {
  if (games == 0) return {0, 0};
  const double z = 1.959964, n = games, p = wins / n;
  const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
  const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
  return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

struct Times {
  double median = 0, max = 0;
  std::size_t count = 0;
};

Times Summarise(std::vector<float>& times) {
  Times t;
  t.count = times.size();
  if (times.empty()) return t;
  auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
  std::nth_element(times.begin(), middle, times.end());
  t.median = *middle;
  t.max = *std::max_element(times.begin(), times.end());
  return t;
}

int Usage() {
  std::fprintf(stderr,
               "usage: larkspur-arena [--games N] [--seed S] [--threads T] POLICY_A POLICY_B\n"
               "policies: classic expert simple\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int games = 1000;
  std::uint64_t seed = 1;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--games" && hasValue) {
      if (!ReadCount(argv[++i], games)) return Usage();
    } else if (arg == "--seed" && hasValue) {
      if (!ReadCount(argv[++i], seed)) return Usage();
    } else if (arg == "--threads" && hasValue) {
      if (!ReadCount(argv[++i], threads)) return Usage();
      threads = std::max(1u, threads);
    } else if (!arg.empty() && arg[0] != '-') {
      names.push_back(arg);
    } else {
      return Usage();
    }
  }
  if (names.size() != 2 || games < 1) return Usage();
  for (const auto& name : names)
    if (!MakePolicy(name, 0)) return Usage();
  const std::string& a = names[0];
  const std::string& b = names[1];

  std::vector<GameResult> results(static_cast<std::size_t>(games));
  std::atomic<int> next{0};
  std::vector<std::thread> workers;
  const auto tempRoot =
      std::filesystem::temp_directory_path() / ("larkspur-arena-" + std::to_string(::getpid()));
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      // A folder of its own for the player file each game writes at its end.
      const auto folder = tempRoot / std::to_string(t);
      std::filesystem::create_directories(folder);
      for (int g = next++; g < games; g = next++)
        results[static_cast<std::size_t>(g)] = PlayOne(a, b, seed, g, folder);
    });
  }
  for (auto& w : workers) w.join();
  std::error_code ec;
  std::filesystem::remove_all(tempRoot, ec);

  int aWins = 0, bWins = 0, draws = 0, aRobotWins = 0, bRobotWins = 0, aRobotGames = 0;
  long hands = 0;
  std::vector<float> aTimes, bTimes;
  for (const GameResult& r : results) {
    aWins += r.winner == 1;
    bWins += r.winner == 2;
    draws += r.winner == 0;
    aRobotGames += r.aOnRobot;
    aRobotWins += r.aOnRobot && r.winner == 1;
    bRobotWins += !r.aOnRobot && r.winner == 2;
    hands += r.hands;
    aTimes.insert(aTimes.end(), r.aTimes.begin(), r.aTimes.end());
    bTimes.insert(bTimes.end(), r.bTimes.begin(), r.bTimes.end());
  }
  const Interval ci = Wilson(bWins, games);
  const double bRate = static_cast<double>(bWins) / games;
  const double handsPerGame = static_cast<double>(hands) / games;
  const Times at = Summarise(aTimes), bt = Summarise(bTimes);

  std::printf("%d games of %s (a) against %s (b), seed %llu, on %u threads\n", games, a.c_str(),
              b.c_str(), static_cast<unsigned long long>(seed), threads);
  std::printf("  %s won %d (%.1f %%), %d of them on the robot's seat (of %d games there)\n",
              a.c_str(), aWins, 100.0 * aWins / games, aRobotWins, aRobotGames);
  std::printf(
      "  %s won %d (%.1f %%, 95 %% interval %.1f-%.1f %%), %d of them on the robot's seat\n",
      b.c_str(), bWins, 100.0 * bRate, 100 * ci.low, 100 * ci.high, bRobotWins);
  std::printf("  draws: %d%s\n", draws,
              draws ? " (games stopped at the limit of hands or events)" : "");
  std::printf("  a game lasted %.2f hands on average\n", handsPerGame);
  auto timesLine = [](const std::string& name, const Times& t) {
    if (t.count == 0)
      std::printf("  %s: no decisions timed (on the robot's seat it is the game's own robot)\n",
                  name.c_str());
    else
      std::printf("  %s: %zu decisions timed, median %.4f ms, longest %.4f ms (thread CPU)\n",
                  name.c_str(), t.count, t.median, t.max);
  };
  timesLine(a, at);
  timesLine(b, bt);
  std::printf(
      "games=%d a=%s b=%s a_wins=%d b_wins=%d draws=%d b_rate=%.2f ci95=%.2f-%.2f "
      "hands_per_game=%.2f a_ms_median=%.4f b_ms_median=%.4f b_ms_max=%.4f\n",
      games, a.c_str(), b.c_str(), aWins, bWins, draws, bRate, ci.low, ci.high, handsPerGame,
      at.median, bt.median, bt.max);
  return 0;
}
