// The chance of winning the game from the two game totals between hands. A
// search weighs the end of each hand it plays out by it: near the target,
// winning the game is what counts, not the hand's points, and a lead is worth
// less the further the target still lies.
//
// The chances are worked out once per target from hands the simulator plays
// with its playout policy on both seats: how the two totals of a hand fall
// together, and from that, hand after hand, who reaches the target first and
// ahead (the game goes on while both are short of it, or level).
#pragma once

#include <vector>

namespace larkspur {

class GameOdds {
 public:
  // Plays the sample hands and works the chances out: a few tens of milliseconds.
  explicit GameOdds(int target);
  // The chance that a player with the game total `mine` wins against one with
  // `theirs`, before the next hand is dealt; 1 or 0 once the game is decided.
  double WinChance(int mine, int theirs) const;

 private:
  struct Outcome {
    int Mine, Theirs;  // a hand's totals, in steps of the grid
    double Share;
  };
  std::vector<Outcome> HandOutcomes() const;
  double At(int i, int j) const;  // the chance at grid point (i, j), past the target decided
  void Solve(const std::vector<Outcome>& outcomes);

  int target_;
  int low_;   // the lowest total the grid holds; any lower counts as this
  int step_;  // grid step, in points
  int size_;  // grid points along each total
  std::vector<double> chance_;
};

// One GameOdds for each target, made on first use, shared by every thread.
const GameOdds& GameOddsFor(int target);

}  // namespace larkspur
