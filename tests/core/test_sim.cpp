// The lean simulator on its own: its bookkeeping through whole hands on either
// seat, copies that play on alike, and hands sampled from what a seat sees.
// (Its agreement with the table is test_sim_table.cpp's.)
#include <gtest/gtest.h>

#include <memory>

#include "SimCompare.h"
#include "harness/RandomPolicy.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"
#include "sim/SimPlay.h"
#include "sim/SimSample.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

SimHand Dealt(std::uint64_t seed, int first = Human, PerPlayer<int> scores = {}) {
  SimHand h;
  h.Random.State = seed;
  h.NewHand(scores, 5000, first);
  h.ShuffleStock();
  h.Deal();
  return h;
}

// Players for the seats of hand `n`: the playout policy, the Expert, the Classic
// robot's rules and the careless player, in turn.
struct Players {
  explicit Players(std::uint64_t n)
      : humanPolicy(Make(n, Human)), robotPolicy(Make(n + 1, Robot)) {}
  static std::unique_ptr<Policy> Make(std::uint64_t n, int seat) {
    if (n % 4 == 1) return std::make_unique<ExpertPolicy>();
    if (n % 4 == 2) return std::make_unique<ClassicPolicy>();
    if (n % 4 == 3) return std::make_unique<RandomPolicy>(n * 7 + std::uint64_t(seat));
    return nullptr;  // the playout policy
  }
  // One decision of the seat to play.
  void Decide(SimHand& h) {
    Policy* policy = (h.Turn == Human ? humanPolicy : robotPolicy).get();
    if (policy == nullptr) return PlayDecision(h, playout);
    PolicySeat seat(*policy);
    PlayDecision(h, seat);
  }
  PlayoutSeat playout;
  std::unique_ptr<Policy> humanPolicy, robotPolicy;
};

TEST(SimHand, KeepsItsBookkeepingThroughWholeHandsOnEitherSeat) {
  int scored = 0, carelessStopped = 0;
  for (std::uint64_t n = 1; n <= 400; ++n) {
    SimHand h = Dealt(n, n % 2 ? Human : Robot, {int(n % 7) * 700, int(n % 5) * 900});
    Players players(n);
    for (int decision = 0; !h.Over(); ++decision) {
      players.Decide(h);
      const std::string broken = BrokenRule(h);
      ASSERT_EQ(broken, "") << "hand " << n << ", decision " << decision;
    }
    // The careless player may go round in circles until its turn is stopped; nobody else.
    const bool careless = n % 4 == 3 || (n + 1) % 4 == 3;
    ASSERT_TRUE(!h.Stopped || careless) << "hand " << n;
    carelessStopped += h.Stopped;
    scored += !h.Stopped;
    if (h.Stopped) continue;
    // The hand ended as the table ends one, and its scores went onto the game's.
    EXPECT_TRUE(h.HandCount[Human] == 0 || h.HandCount[Robot] == 0 || h.StockCount == 0) << n;
  }
  EXPECT_GT(scored, 380) << carelessStopped << " stopped";
}

TEST(SimHand, CopiesPlayOnAlikeAndAShuffledStockDealsAnotherFuture) {
  PlayoutSeat playout;
  int differed = 0;
  for (std::uint64_t n = 1; n <= 50; ++n) {
    SimHand h = Dealt(n);
    for (int i = 0; i < 10 && !h.Over(); ++i) PlayDecision(h, playout);
    SimHand copy = h, reshuffled = h;
    reshuffled.Random.State = n + 1000;
    reshuffled.ShuffleStock();
    PlayOut(h, playout, playout);
    PlayOut(copy, playout, playout);
    PlayOut(reshuffled, playout, playout);
    EXPECT_EQ(StateOf(h).Difference(StateOf(copy)), "") << n;
    EXPECT_EQ(h.HandTotal, copy.HandTotal) << n;
    differed += StateOf(h).Difference(StateOf(reshuffled)) != "";
  }
  EXPECT_GT(differed, 40);
}

// At every decision of many hands: a hand sampled from what the seat to play sees
// gives that seat the very same view, keeps its own bookkeeping, puts the cards the
// other player is known to hold into its hand, and plays out; and what is known is
// true: the other hand really holds at least that many of each rank.
TEST(SimSample, NeverContradictsTheViewAndKnowsOnlyWhatIsTrue) {
  PlayoutSeat playout;
  int samples = 0, known = 0;
  for (std::uint64_t n = 1; n <= 160; ++n) {
    SimHand h = Dealt(n, n % 2 ? Human : Robot);
    Players players(n);
    for (int decision = 0; !h.Over(); ++decision) {
      const SeatView view = MakeSeatView(h, h.Turn);
      const SimHand s = SampleHand(view, h.Phase, h.MeldStepNo, n * 1000 + decision);
      const auto where = "hand " + std::to_string(n) + ", decision " + std::to_string(decision);
      ASSERT_EQ(ViewDifference(MakeSeatView(s, s.Turn), view), "") << where;
      ASSERT_EQ(BrokenRule(s), "") << where;
      // (A pile taken with one card leaves nothing due, whatever the flag says.)
      ASSERT_EQ(std::tuple(s.Turn, s.Phase, s.MeldStepNo, s.PlayerPileDue && s.DiscardCount > 0),
                std::tuple(h.Turn, h.Phase, h.MeldStepNo, h.PlayerPileDue && h.DiscardCount > 0))
          << where;
      const int them = view.Opponent;
      const CardSet sure = KnownInOtherHand(view);
      for (int r = 1; r <= RankJoker; ++r) {
        int sureOfRank = 0;
        for (int c = FirstCardOfRank(r), i = 0; i < sim::CardsOfRank(r); ++c, ++i) {
          if (!sure.Has(c)) continue;
          ASSERT_EQ(s.Place[c], them) << where << ": known card " << c;
          sureOfRank += 1;
        }
        ASSERT_LE(sureOfRank, h.HandRank[them][r]) << where << ": rank " << r;
        known += sureOfRank;
      }
      SimHand rest = s;
      PlayOut(rest, playout, playout);
      ASSERT_FALSE(rest.Stopped) << where;
      samples += 1;
      players.Decide(h);
    }
  }
  EXPECT_GT(samples, 5000);
  EXPECT_GT(known, 500);  // the record tells something, often
}

}  // namespace
