// The Master: plays either seat by looking ahead. At each decision that matters
// (the pile or the stock; the turn's melds, going out among them; the discard)
// it deals the cards its seat cannot see afresh, consistently with everything
// the seat has seen, plays every candidate out to the end of the hand on the
// lean simulator many times, and takes the one whose hands end best for the
// game: each end is weighed by the chance of winning the game from the two
// totals it leaves (sim/GameOdds.h), not by the hand's points.
//
// Its budget is a number of playouts per decision, a fixed amount of work
// rather than a time, so that the same position always brings the same
// choice: the futures are dealt from the policy's seed and the position
// itself. A budget given in milliseconds is turned into playouts at the rate
// this machine plays them. In the game a clock may also cut a search short,
// as a safety limit, and the search hands control back between batches of
// playouts so that the window keeps answering.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "policy/ExpertPolicy.h"
#include "policy/Policy.h"
#include "sim/SimHand.h"

namespace larkspur {

class MasterPolicy : public Policy {
 public:
  // The game's budget for a decision, in milliseconds of this machine's search:
  // about a thousand playouts, about even with the Expert, and quick
  // enough that the robot keeps the table's pace.
  static constexpr int DefaultBudgetMs = 5;
  // Playouts (a hand dealt from the seat's view and played to its end) this
  // machine plays in a millisecond, on one core:
  //   cmake --preset bench && cmake --build --preset bench && build/bench/bench_sim
  // (MasterPlayout: the time of one, sampling and copying included).
  static constexpr int PlayoutsPerMs = 230;
  // In the game no decision runs longer than this, whatever the machine's load.
  static constexpr int LimitMs = 900;

  explicit MasterPolicy(int budgetMs = DefaultBudgetMs, std::uint64_t seed = 0);
  // A Master with a budget of so many playouts a decision, below a millisecond's too.
  static MasterPolicy WithPlayouts(int playouts, std::uint64_t seed = 0);

  std::string Name() const override { return "master"; }
  bool TakePile(const SeatView& view) override;
  MeldStep NextMeld(const SeatView& view, int step) override;
  int Discard(const SeatView& view) override;
  // The turn's melds as one plan, chosen as NextMeld would choose them.
  MeldPlan PlanMelds(const SeatView& view);

  // The playouts a decision may use.
  int Playouts() const { return playouts_; }

  // How a search shares the program with a window: Between runs after each
  // batch of playouts; Clock gives milliseconds, by which a decision stops
  // after LimitMs, or at a deadline set with StopAt, whichever comes first.
  struct Pacing {
    std::function<void()> Between;
    std::function<std::int64_t()> Clock;
    int LimitMs = 0;  // 0: no limit of its own
  };
  void PaceWith(Pacing pacing) { pacing_ = std::move(pacing); }
  // Searches stop at this time of the clock from now on (0: no deadline).
  void StopAt(std::int64_t deadline) { stopAt_ = deadline; }

  // What the last search weighed: its candidates, the playouts it played and
  // the chance of winning the game it found for its choice.
  struct Finding {
    int Candidates = 0;
    int Playouts = 0;
    double Chance = 0;
  };
  const Finding& LastFinding() const { return finding_; }

 private:
  // A candidate melding of the turn, with the seat's own side of the table
  // expected before each of its moves (and after the last).
  struct Plan {
    std::vector<MeldStep> Steps;
    std::vector<std::vector<int>> Expects;
  };
  std::vector<Plan> MeldPlans(const SeatView& view, int step) const;
  Plan SearchMelds(const SeatView& view, int step);
  // The best of `options` candidates, applied to each dealt hand by `apply`:
  // their index. Candidate 0 is the Expert's choice, kept when nothing is played.
  int Search(const SeatView& view, SimPhase phase, int step, int options,
             const std::function<void(SimHand&, int)>& apply);

  int playouts_;
  std::uint64_t seed_;
  Pacing pacing_;
  std::int64_t stopAt_ = 0;
  Finding finding_;
  ExpertPolicy expert_;
  // The plan being followed this turn, from the melding move numbered planFrom_.
  Plan plan_;
  int planFrom_ = 0;
  int searchesThisTurn_ = 0;
};

}  // namespace larkspur
