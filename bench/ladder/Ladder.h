// The arithmetic of the arena's ladder: intervals for a share of wins and Elo
// ratings fitted to the results of every pair.
#pragma once

#include <vector>

namespace larkspur {

struct Interval {
  double Low = 0, High = 0;
};

// The Wilson score interval at 95 % for `wins` of `games` (a draw may count half).
Interval Wilson(double wins, int games);

struct Rating {
  double Elo = 0;
  Interval Range;  // 95 %
};

struct EloFit {
  std::vector<Rating> Ratings;
  // A policy that won or lost every game has no finite rating: then each pair
  // that met is given one drawn game more, and this says so.
  bool Smoothed = false;
};

// The maximum-likelihood Bradley-Terry fit on the Elo scale: Wins[i][j] is
// what policy i scored against policy j (a win 1, a draw a half). Policy
// `anchor` is held at `anchorElo`; the intervals come from the curvature of the
// likelihood (the anchor's is its fixed value).
EloFit FitElo(std::vector<std::vector<double>> wins, int anchor, double anchorElo = 1000);

}  // namespace larkspur
