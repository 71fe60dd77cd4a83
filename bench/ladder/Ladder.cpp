#include "ladder/Ladder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace larkspur {

namespace {

constexpr double Z95 = 1.959964;
const double EloScale = 400.0 / std::log(10.0);  // Elo points per unit of log strength

using Matrix = std::vector<std::vector<double>>;

// Whether every policy has beaten, through some chain, every other: the condition
// for the fit to have finite ratings.
bool Connected(const Matrix& wins) {
  const std::size_t n = wins.size();
  for (std::size_t from = 0; from < n; ++from) {
    std::vector<bool> reached(n, false);
    std::vector<std::size_t> todo{from};
    reached[from] = true;
    while (!todo.empty()) {
      const std::size_t i = todo.back();
      todo.pop_back();
      for (std::size_t j = 0; j < n; ++j)
        if (!reached[j] && wins[i][j] > 0) reached[j] = true, todo.push_back(j);
    }
    if (std::find(reached.begin(), reached.end(), false) != reached.end()) return false;
  }
  return true;
}

// The inverse of a small symmetric positive definite matrix, by Gauss-Jordan.
Matrix Inverse(Matrix a) {
  const std::size_t n = a.size();
  Matrix inv(n, std::vector<double>(n, 0.0));
  for (std::size_t i = 0; i < n; ++i) inv[i][i] = 1.0;
  for (std::size_t col = 0; col < n; ++col) {
    std::size_t pivot = col;
    for (std::size_t r = col + 1; r < n; ++r)
      if (std::abs(a[r][col]) > std::abs(a[pivot][col])) pivot = r;
    std::swap(a[col], a[pivot]);
    std::swap(inv[col], inv[pivot]);
    const double p = a[col][col];
    if (p == 0.0) continue;
    for (std::size_t k = 0; k < n; ++k) a[col][k] /= p, inv[col][k] /= p;
    for (std::size_t r = 0; r < n; ++r) {
      if (r == col || a[r][col] == 0.0) continue;
      const double f = a[r][col];
      for (std::size_t k = 0; k < n; ++k) a[r][k] -= f * a[col][k], inv[r][k] -= f * inv[col][k];
    }
  }
  return inv;
}

}  // namespace

Interval Wilson(double wins, int games) {
  if (games <= 0) return {};
  const double n = games, p = wins / n;
  const double centre = (p + Z95 * Z95 / (2 * n)) / (1 + Z95 * Z95 / n);
  const double half =
      Z95 * std::sqrt(p * (1 - p) / n + Z95 * Z95 / (4 * n * n)) / (1 + Z95 * Z95 / n);
  return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

EloFit FitElo(Matrix wins, int anchor, double anchorElo) {
  const std::size_t n = wins.size();
  EloFit fit;
  if (!Connected(wins)) {
    fit.Smoothed = true;
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = 0; j < n; ++j)
        if (i != j && wins[i][j] + wins[j][i] > 0) wins[i][j] += 0.5;
  }
  // Strengths by the minorise-maximise iteration, which always climbs the likelihood.
  std::vector<double> strength(n, 1.0);
  for (int round = 0; round < 100000; ++round) {
    double change = 0;
    for (std::size_t i = 0; i < n; ++i) {
      double scored = 0, against = 0;
      for (std::size_t j = 0; j < n; ++j) {
        if (j == i) continue;
        const double games = wins[i][j] + wins[j][i];
        scored += wins[i][j];
        if (games > 0) against += games / (strength[i] + strength[j]);
      }
      if (against <= 0) continue;
      const double next = scored / against;
      change = std::max(change, std::abs(std::log(next / strength[i])));
      strength[i] = next;
    }
    if (change < 1e-12) break;
  }
  // The curvature of the log-likelihood in log strengths, without the anchor's row.
  std::vector<std::size_t> free;
  for (std::size_t i = 0; i < n; ++i)
    if (static_cast<int>(i) != anchor) free.push_back(i);
  Matrix information(free.size(), std::vector<double>(free.size(), 0.0));
  for (std::size_t a = 0; a < free.size(); ++a) {
    for (std::size_t j = 0; j < n; ++j) {
      const std::size_t i = free[a];
      if (j == i) continue;
      const double games = wins[i][j] + wins[j][i];
      const double p = strength[i] / (strength[i] + strength[j]);
      const double w = games * p * (1 - p);
      information[a][a] += w;
      for (std::size_t b = 0; b < free.size(); ++b)
        if (free[b] == j) information[a][b] -= w;
    }
  }
  const Matrix covariance = Inverse(information);
  const double base = std::log(strength[static_cast<std::size_t>(anchor)]);
  fit.Ratings.assign(n, {anchorElo, {anchorElo, anchorElo}});
  for (std::size_t a = 0; a < free.size(); ++a) {
    const std::size_t i = free[a];
    const double elo = anchorElo + EloScale * (std::log(strength[i]) - base);
    const double sd = EloScale * std::sqrt(std::max(0.0, covariance[a][a]));
    fit.Ratings[i] = {elo, {elo - Z95 * sd, elo + Z95 * sd}};
  }
  return fit;
}

}  // namespace larkspur
