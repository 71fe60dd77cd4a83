// The simplest opponent: always draws from the stock, melds every triple it
// holds once together they meet the minimum meld, and discards a card chosen
// at random. Whole-game tests and the benchmark play the human's seat with it.
#pragma once

#include <cstdint>
#include <random>

#include "policy/Policy.h"

namespace larkspur {

class SimplePolicy : public Policy {
 public:
  explicit SimplePolicy(std::uint64_t seed) : rng_(seed) {}
  std::string Name() const override { return "simple"; }
  bool TakePile(const SeatView&) override { return false; }
  MeldStep NextMeld(const SeatView& view, int step) override;
  int Discard(const SeatView& view) override;

 private:
  std::mt19937_64 rng_;
  int next_ = 0;  // how far through the meld ranks this turn's look for triples has got
};

}  // namespace larkspur
