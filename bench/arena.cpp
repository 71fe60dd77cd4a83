// The arena: policies play whole seeded games against each other on the
// virtual clock, each of a pair holding the robot's seat in every other game,
// and the results are summed up. A benchmark of playing strength and decision
// time, not a test.
//
//   larkspur-arena --games 10000 --seed 1 classic expert
//   larkspur-arena --round-robin --games 2000 --seed 1 classic expert strategist racer
//
// Policies are named as PolicyRegistry.cpp lists them: classic (on the robot's
// seat the game's own Classic robot, on the human's seat its rules as a
// policy), expert, simple and the panel of sparring partners (bench/panel). A
// name may carry a budget in milliseconds per decision, master@20, for the
// policies that search. Two policies play one match and the summary ends in
// one machine-readable line; with --round-robin every pair plays a match on
// the same deals, and the summary is a table of win rates (a draw counts half),
// Elo ratings from a Bradley-Terry fit of all games with classic held at 1000
// (or the first policy when classic does not play), and one machine-readable
// line per policy. Games are shared out over all processor cores; each game's
// seed comes from the seed and the game's number and the results are added up
// in game order, so a seed always gives the same wins, draws and hands. A game
// that runs past the limit of hands or events counts as a draw and the summary
// says so.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness/Counts.h"
#include "harness/HumanSeat.h"
#include "harness/ScriptedHost.h"
#include "ladder/Ladder.h"
#include "ladder/PolicyRegistry.h"
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

// SplitMix64: well-spread seeds from the run's seed and a game's number.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ull;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

bool IsClassic(const std::string& given) {
  std::string name;
  int budget = 0;
  return SplitPolicyName(given, name, budget) && name == "classic";
}

struct GameResult {
  int winner = 0;  // 1 policy a, 2 policy b, 0 a draw (stopped at the limit)
  int hands = 0;
  bool aOnRobot = false;
  std::vector<float> aTimes, bTimes;
};

GameResult PlayOne(const std::string& a, const std::string& b, std::uint64_t runSeed, int number,
                   const std::filesystem::path& folder, bool keepTimes) {
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
  if (!IsClassic(robotName)) {
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
  if (!keepTimes) result.aTimes.clear(), result.bTimes.clear();
  return result;
}

// One pair's match: which policies, and its games in the run's list of games.
struct Match {
  std::size_t a, b;
};

// Plays every game of every match on the given threads; results[m * games + g] is
// game g of match m, whichever thread played it.
std::vector<GameResult> PlayAll(const std::vector<std::string>& names,
                                const std::vector<Match>& matches, int games, std::uint64_t seed,
                                unsigned threads, bool keepTimes) {
  const int total = static_cast<int>(matches.size()) * games;
  std::vector<GameResult> results(static_cast<std::size_t>(total));
  std::atomic<int> next{0};
  std::vector<std::thread> workers;
  const auto tempRoot =
      std::filesystem::temp_directory_path() / ("larkspur-arena-" + std::to_string(::getpid()));
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      // A folder of its own for the player file each game writes at its end.
      const auto folder = tempRoot / std::to_string(t);
      std::filesystem::create_directories(folder);
      for (int k = next++; k < total; k = next++) {
        const Match& m = matches[static_cast<std::size_t>(k / games)];
        results[static_cast<std::size_t>(k)] =
            PlayOne(names[m.a], names[m.b], seed, k % games, folder, keepTimes);
      }
    });
  }
  for (auto& w : workers) w.join();
  std::error_code ec;
  std::filesystem::remove_all(tempRoot, ec);
  return results;
}

struct Times {
  double median = 0, p95 = 0, max = 0;
  std::size_t count = 0;
};

Times Summarise(std::vector<float>& times) {
  Times t;
  t.count = times.size();
  if (times.empty()) return t;
  auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
  std::nth_element(times.begin(), middle, times.end());
  t.median = *middle;
  auto high = times.begin() + static_cast<std::ptrdiff_t>(times.size() * 95 / 100);
  std::nth_element(times.begin(), high, times.end());
  t.p95 = *high;
  t.max = *std::max_element(times.begin(), times.end());
  return t;
}

void ReportMatch(const std::string& a, const std::string& b, std::vector<GameResult>& results,
                 std::uint64_t seed, unsigned threads) {
  const int games = static_cast<int>(results.size());
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
      b.c_str(), bWins, 100.0 * bRate, 100 * ci.Low, 100 * ci.High, bRobotWins);
  std::printf("  draws: %d%s\n", draws,
              draws ? " (games stopped at the limit of hands or events)" : "");
  std::printf("  a game lasted %.2f hands on average\n", handsPerGame);
  auto timesLine = [](const std::string& name, const Times& t) {
    if (t.count == 0)
      std::printf("  %s: no decisions timed (on the robot's seat it is the game's own robot)\n",
                  name.c_str());
    else
      std::printf(
          "  %s: %zu decisions timed, median %.4f ms, 95th percentile %.4f ms, longest %.4f ms "
          "(thread CPU)\n",
          name.c_str(), t.count, t.median, t.p95, t.max);
  };
  timesLine(a, at);
  timesLine(b, bt);
  std::printf(
      "games=%d a=%s b=%s a_wins=%d b_wins=%d draws=%d b_rate=%.2f ci95=%.2f-%.2f "
      "hands_per_game=%.2f a_ms_median=%.4f b_ms_median=%.4f b_ms_max=%.4f\n",
      games, a.c_str(), b.c_str(), aWins, bWins, draws, bRate, ci.Low, ci.High, handsPerGame,
      at.median, bt.median, bt.max);
}

void ReportLadder(const std::vector<std::string>& names, const std::vector<Match>& matches,
                  const std::vector<GameResult>& results, int games, std::uint64_t seed,
                  unsigned threads, double seconds) {
  const std::size_t n = names.size();
  // scored[i][j]: what policy i scored against policy j, a draw counting half.
  std::vector<std::vector<double>> scored(n, std::vector<double>(n, 0.0));
  long draws = 0, hands = 0;
  for (std::size_t k = 0; k < results.size(); ++k) {
    const Match& m = matches[k / static_cast<std::size_t>(games)];
    const GameResult& r = results[k];
    scored[m.a][m.b] += r.winner == 1 ? 1.0 : r.winner == 0 ? 0.5 : 0.0;
    scored[m.b][m.a] += r.winner == 2 ? 1.0 : r.winner == 0 ? 0.5 : 0.0;
    draws += r.winner == 0;
    hands += r.hands;
  }
  std::size_t anchor = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (IsClassic(names[i])) anchor = i;
  const EloFit fit = FitElo(scored, static_cast<int>(anchor));

  std::printf(
      "Round robin of %zu policies, %d games a pair (%zu games), seed %llu, on %u threads\n", n,
      games, results.size(), static_cast<unsigned long long>(seed), threads);
  std::printf("  played in %.1f s; a game lasted %.2f hands on average; draws: %ld%s\n", seconds,
              static_cast<double>(hands) / static_cast<double>(results.size()), draws,
              draws ? " (games stopped at the limit of hands or events)" : "");
  std::printf("\nWin rate of the row against the column, %% (95 %% interval):\n%-14s", "");
  for (const auto& name : names) std::printf(" %-19s", name.c_str());
  std::printf("\n");
  std::vector<double> worst(n, 1.0);
  for (std::size_t i = 0; i < n; ++i) {
    std::printf("%-14s", names[i].c_str());
    for (std::size_t j = 0; j < n; ++j) {
      if (i == j) {
        std::printf(" %-19s", "-");
        continue;
      }
      const Interval ci = Wilson(scored[i][j], games);
      const double rate = scored[i][j] / games;
      worst[i] = std::min(worst[i], rate);
      char cell[40];
      std::snprintf(cell, sizeof cell, "%.1f (%.1f-%.1f)", 100 * rate, 100 * ci.Low, 100 * ci.High);
      std::printf(" %-19s", cell);
    }
    std::printf("\n");
  }
  std::printf("\nElo (Bradley-Terry fit of all games, %s held at 1000, 95 %% interval):\n",
              names[anchor].c_str());
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    return fit.Ratings[x].Elo > fit.Ratings[y].Elo;
  });
  for (std::size_t i : order) {
    const Rating& r = fit.Ratings[i];
    std::printf("  %-14s %7.1f  (%.1f to %.1f)\n", names[i].c_str(), r.Elo, r.Range.Low,
                r.Range.High);
  }
  if (fit.Smoothed)
    std::printf("  (a policy won or lost every game: each pair was given one drawn game more)\n");
  std::printf("\n");
  for (std::size_t i = 0; i < n; ++i) {
    const Rating& r = fit.Ratings[i];
    std::printf("policy=%s elo=%.1f elo_lo=%.1f elo_hi=%.1f worst_rate=%.4f\n", names[i].c_str(),
                r.Elo, r.Range.Low, r.Range.High, worst[i]);
  }
}

int Usage() {
  std::fprintf(stderr,
               "usage: larkspur-arena [--games N] [--seed S] [--threads T] POLICY_A POLICY_B\n"
               "       larkspur-arena --round-robin [--games N] [--seed S] [--threads T] "
               "POLICY...\n"
               "policies: %s (a name may carry a budget in ms per decision: NAME@20)\n",
               PolicyNames().c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int games = 1000;
  std::uint64_t seed = 1;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  bool roundRobin = false;
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
    } else if (arg == "--round-robin") {
      roundRobin = true;
    } else if (!arg.empty() && arg[0] != '-') {
      names.push_back(arg);
    } else {
      return Usage();
    }
  }
  if (games < 1 || (roundRobin ? names.size() < 2 : names.size() != 2)) return Usage();
  for (auto name = names.begin(); name != names.end(); ++name) {
    if (!MakePolicy(*name, 0)) return Usage();
    // On a ladder a name twice would be two rows of one policy.
    if (roundRobin && std::find(names.begin(), name, *name) != name) return Usage();
  }

  std::vector<Match> matches;
  for (std::size_t i = 0; i < names.size(); ++i)
    for (std::size_t j = i + 1; j < names.size(); ++j) matches.push_back({i, j});
  const auto start = std::chrono::steady_clock::now();
  std::vector<GameResult> results = PlayAll(names, matches, games, seed, threads, !roundRobin);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (roundRobin)
    ReportLadder(names, matches, results, games, seed, threads, seconds);
  else
    ReportMatch(names[0], names[1], results, seed, threads);
  return 0;
}
