// The Expert: plays either seat by the same rules as the Classic robot and
// decides as a canasta player would, from what its seat can see. Each
// heuristic is a named function in ExpertPolicy.cpp with a word on why.
#pragma once

#include <array>
#include <vector>

#include "policy/Policy.h"

namespace larkspur {

// The melds a seat means to make this turn, as the table would stand after them.
struct MeldPlan {
  std::vector<MeldStep> Steps;
  std::array<MeldItems, 14> Melds{};  // own melds after the plan
  int Points = 0;                     // own meld points after the plan
  int HandLeft = 0;                   // cards left in the hand after the plan
  bool FirstMeld = false;             // the plan makes the first meld of the hand
  bool GoesOut = false;               // the plan leaves at most one card, to go out
};

// What the Expert keeps from one decision to the next, all of it seen by its seat:
// the cards the deal turned up, which go to whoever first takes the pile.
struct ExpertMemory {
  std::array<int, 8> DealtUp{};
  int DealtUpCount = 0;
  PerPlayer<int> ScoresAtDeal{};  // the game scores of the hand they were turned up in
  bool Seen = false;
};

class ExpertPolicy : public Policy {
 public:
  std::string Name() const override { return "expert"; }
  bool TakePile(const SeatView& view) override;
  MeldStep NextMeld(const SeatView& view, int step) override;
  int Discard(const SeatView& view) override;

  // ---- the reasoning, for hints
  MeldPlan PlanMelds(const SeatView& view) const;
  // The chance that the other player could take the pile after this discard.
  double TakeChance(const SeatView& view, int card) const;
  // The chance that the hand ends before this seat plays again.
  double EndChance(const SeatView& view) const;
  // The cards the other player is known to hold, by rank: taken with a pile and
  // neither melded nor discarded since.
  RankCounts KnownInOpponentHand(const SeatView& view) const;
  // From this chance on the other player is close to going out (three cards or fewer).
  static constexpr double kCloseToOut = 0.45;
  // From this chance on the hand is ending (four cards or fewer, or a low stock).
  static constexpr double kEnding = 0.25;

 private:
  void Remember(const SeatView& view);
  ExpertMemory memory_;
};

}  // namespace larkspur
