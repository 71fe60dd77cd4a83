#include "sim/GameOdds.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "sim/SimPlay.h"

namespace larkspur {

namespace {

// Enough hands for the way two totals fall together, few enough to play in a blink.
constexpr int SampleHands = 3000;
// The grid: this many steps from no points to the target, and as far again below
// nothing as half the target (lower totals are rare, and count as that).
constexpr int StepsToTarget = 50;
constexpr int SweepsAtMost = 60;
constexpr double Settled = 1e-7;

}  // namespace

GameOdds::GameOdds(int target) : target_(std::max(target, 1)) {
  step_ = std::max(5, (target_ / StepsToTarget) / 5 * 5);
  low_ = -(target_ / 2) / step_ * step_;
  size_ = std::max(2, (target_ - low_ + step_ - 1) / step_);
  Solve(HandOutcomes());
}

// Hands from fresh deals at game totals spread over the game, so that each
// minimum first meld has its share; each hand counts from either side.
std::vector<GameOdds::Outcome> GameOdds::HandOutcomes() const {
  std::map<std::pair<int, int>, int> counts;
  PlayoutSeat playout;
  int played = 0;
  SimRandom random{20240613};
  for (int n = 0; n < SampleHands; ++n) {
    SimHand h;
    h.Random.State = random.Next();
    const PerPlayer<int> scores{0, random.Below(target_), random.Below(target_)};
    h.NewHand(scores, target_, n % 2 ? Human : Robot);
    h.ShuffleStock();
    h.Deal();
    PlayOut(h, playout, playout);
    if (h.Stopped) continue;
    auto steps = [&](int points) {
      return static_cast<int>(std::lround(static_cast<double>(points) / step_));
    };
    const int human = steps(h.HandTotal[Human]), robot = steps(h.HandTotal[Robot]);
    counts[{human, robot}] += 1;
    counts[{robot, human}] += 1;
    played += 2;
  }
  std::vector<Outcome> outcomes;
  for (const auto& [totals, n] : counts)
    outcomes.push_back({totals.first, totals.second, static_cast<double>(n) / played});
  return outcomes;
}

double GameOdds::At(int i, int j) const {
  const int mine = low_ + i * step_, theirs = low_ + j * step_;
  if (mine >= target_ || theirs >= target_) return mine > theirs ? 1 : mine < theirs ? 0 : 0.5;
  return chance_[static_cast<std::size_t>(std::max(i, 0) * size_ + std::max(j, 0))];
}

// The chance at each point is the average over the next hand's outcomes of the
// chance where it leads; points nearer the target are worked out first, and
// the sweeps repeat until hands that lose points have been followed too.
void GameOdds::Solve(const std::vector<Outcome>& outcomes) {
  chance_.assign(static_cast<std::size_t>(size_ * size_), 0.5);
  for (int sweep = 0; sweep < SweepsAtMost; ++sweep) {
    double moved = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      for (int j = size_ - 1; j >= 0; --j) {
        double chance = 0;
        for (const Outcome& o : outcomes) chance += o.Share * At(i + o.Mine, j + o.Theirs);
        double& here = chance_[static_cast<std::size_t>(i * size_ + j)];
        moved = std::max(moved, std::abs(chance - here));
        here = chance;
      }
    }
    if (moved < Settled) break;
  }
}

double GameOdds::WinChance(int mine, int theirs) const {
  if (mine >= target_ || theirs >= target_) return mine > theirs ? 1 : mine < theirs ? 0 : 0.5;
  // Between the grid's points, in proportion.
  auto place = [&](int total) {
    return std::clamp(static_cast<double>(total - low_) / step_, 0.0, size_ - 1.0);
  };
  const double x = place(mine), y = place(theirs);
  const int i = std::min(static_cast<int>(x), size_ - 2),
            j = std::min(static_cast<int>(y), size_ - 2);
  const double fx = x - i, fy = y - j;
  auto c = [&](int a, int b) { return chance_[static_cast<std::size_t>(a * size_ + b)]; };
  return (1 - fx) * ((1 - fy) * c(i, j) + fy * c(i, j + 1)) +
         fx * ((1 - fy) * c(i + 1, j) + fy * c(i + 1, j + 1));
}

const GameOdds& GameOddsFor(int target) {
  static std::mutex lock;
  static std::map<int, std::unique_ptr<GameOdds>> odds;
  const std::lock_guard<std::mutex> held(lock);
  std::unique_ptr<GameOdds>& made = odds[target];
  if (!made) made = std::make_unique<GameOdds>(target);
  return *made;
}

}  // namespace larkspur
