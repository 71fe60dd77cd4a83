// A careless player, for tests that must reach every path of a turn: it takes
// the pile or leaves it at random, makes melding moves at random (some of them
// the table refuses), stops melding at random and discards a card at random,
// now and then one it does not hold.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "policy/Policy.h"

namespace larkspur {

class RandomPolicy : public Policy {
 public:
  explicit RandomPolicy(std::uint64_t seed) : rng_(seed) {}
  std::string Name() const override { return "random"; }
  bool TakePile(const SeatView&) override { return OneIn(2); }
  MeldStep NextMeld(const SeatView& view, int step) override;
  int Discard(const SeatView& view) override;

 private:
  bool OneIn(unsigned n) { return rng_() % n == 0; }
  int Below(unsigned n) { return static_cast<int>(rng_() % n); }
  int Pick(const std::vector<int>& cards) {
    return cards.empty() ? 0 : cards[static_cast<std::size_t>(Below(unsigned(cards.size())))];
  }
  std::mt19937_64 rng_;
};

}  // namespace larkspur
