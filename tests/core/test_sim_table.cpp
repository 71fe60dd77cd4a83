// The simulator against the real game: the same seeded decisions played
// through both, hand by hand. The game plays whole games on the scripted host,
// each seat's policy recording what it was asked, what it saw, the table as it
// stood and its answer; the simulator then deals the same cards (the host draws
// the simulator's stock in its order) and plays the hand from those answers,
// and at every decision the seat's view and everything both keep must agree,
// and at the hand's end the cards, the scores and who plays next.
// LARKSPUR_SIM_HANDS sets how many hands (a value that is not a whole number fails),
// LARKSPUR_SIM_FIRST_GAME the game to begin with, so that a failure can be played again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "SimCompare.h"
#include "harness/Counts.h"
#include "harness/HumanSeat.h"
#include "harness/RandomPolicy.h"
#include "harness/ScriptedHost.h"
#include "harness/SimplePolicy.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"
#include "sim/SimPlay.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

// A decision as the table asked for it.
struct Asked {
  enum Kind { Take, Meld, Discard } What;
  int Seat = 0, Step = 0;
  SeatView View;
  HandState Table;
  bool Took = false;
  MeldStep Move;
  int Card = 0;
};
const char* KindName(Asked::Kind k) {
  return k == Asked::Take ? "take the pile" : k == Asked::Meld ? "meld" : "discard";
}

// Plays a seat of the table with a policy and writes down each decision.
class Recorder : public Policy {
 public:
  Recorder(Policy& inner, const Game& game, int seat, std::vector<Asked>& log)
      : inner_(inner), game_(game), seat_(seat), log_(log) {}
  std::string Name() const override { return inner_.Name(); }
  bool TakePile(const SeatView& v) override {
    Asked& a = Note(Asked::Take, 0, v);
    return a.Took = inner_.TakePile(v);
  }
  MeldStep NextMeld(const SeatView& v, int step) override {
    Asked& a = Note(Asked::Meld, step, v);
    return a.Move = inner_.NextMeld(v, step);
  }
  int Discard(const SeatView& v) override {
    Asked& a = Note(Asked::Discard, 0, v);
    return a.Card = inner_.Discard(v);
  }

 private:
  Asked& Note(Asked::Kind kind, int step, const SeatView& v) {
    log_.push_back({kind, seat_, step, v, StateOf(game_), false, {}, 0});
    return log_.back();
  }
  Policy& inner_;
  const Game& game_;
  int seat_;
  std::vector<Asked>& log_;
};

// Plays both seats of the simulator with the table's answers, and compares.
class Replayer {
 public:
  explicit Replayer(const std::vector<Asked>& log) : log_(log) {}
  bool TakePile(const SimHand& h) {
    const Asked* a = Expect(h, Asked::Take);
    return a && a->Took;
  }
  MeldStep NextMeld(const SimHand& h) {
    const Asked* a = Expect(h, Asked::Meld);
    return a ? a->Move : MeldStep{};
  }
  int Discard(const SimHand& h) {
    const Asked* a = Expect(h, Asked::Discard);
    return a ? a->Card : 0;
  }
  std::string Failure() const {
    if (!failure_.empty() || next_ == log_.size()) return failure_;
    return "the table asked " + std::to_string(log_.size() - next_) + " more decisions";
  }

 private:
  const Asked* Expect(const SimHand& h, Asked::Kind kind) {
    if (!failure_.empty()) return nullptr;
    const std::size_t i = next_++;
    auto fail = [&](const std::string& what) {
      failure_ = "decision " + std::to_string(i) + " (" + KindName(kind) + ", seat " +
                 std::to_string(h.Turn) + "): " + what;
      return nullptr;
    };
    if (i >= log_.size()) return fail("the table asked no more");
    const Asked& a = log_[i];
    if (a.What != kind || a.Seat != h.Turn || (kind == Asked::Meld && a.Step != h.MeldStepNo))
      return fail(std::string("the table asked to ") + KindName(a.What) + " of seat " +
                  std::to_string(a.Seat) + " step " + std::to_string(a.Step));
    if (const auto d = a.Table.Difference(StateOf(h)); !d.empty()) return fail(d + " differs");
    if (const auto d = ViewDifference(a.View, MakeSeatView(h, h.Turn)); !d.empty())
      return fail("the seat's view differs: " + d);
    return &a;
  }
  const std::vector<Asked>& log_;
  std::size_t next_ = 0;
  std::string failure_;
};

struct EnoughHands {};
constexpr int HandsPerGame = 6;

// The players of the seats, by game: the robot's own rules, the Expert, the simple
// player and the careless one, in several pairings.
std::unique_ptr<Policy> Player(std::uint64_t game, int seat) {
  const std::uint64_t pairing = game % 6, seed = game * 31 + static_cast<std::uint64_t>(seat);
  const bool human = seat == Human;
  switch (pairing) {
    case 0:
      return std::make_unique<ClassicPolicy>();
    case 1:
      return std::make_unique<ExpertPolicy>();
    case 2:
      if (human) return std::make_unique<SimplePolicy>(seed);
      return std::make_unique<ClassicPolicy>();
    case 3:
      if (human) return std::make_unique<ExpertPolicy>();
      return std::make_unique<ClassicPolicy>();
    case 4:
      if (human) return std::make_unique<RandomPolicy>(seed);
      return std::make_unique<ExpertPolicy>();
    default:
      return std::make_unique<RandomPolicy>(seed);
  }
}

// Plays game `number` on the table, comparing each hand with the simulator, until it
// ends or `hands` hands have been compared; returns the first difference, or "".
std::string CompareGame(std::uint64_t number, int& hands, int mostHands) {
  ScriptedHost host(number);
  const auto folder =
      std::filesystem::path(::testing::TempDir()) / ("larkspur-sim-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  host.folder = folder.string();
  host.answerMessage = ScriptedHost::ExitAtGameOver;
  Game game(host);
  std::vector<Asked> log;
  const auto humanPlayer = Player(number, Human), robotPlayer = Player(number, Robot);
  Recorder human(*humanPlayer, game, Human, log), robot(*robotPlayer, game, Robot, log);
  game.RobotSeatPolicy = &robot;
  HumanSeat seat(game, human);

  // Before each deal: the simulator's stock in its order decides every card the table draws.
  SimHand start;
  start.Random.State = number;
  auto nextHand = [&](int first, bool firstHand) {
    start.NewHand(game.GameScore, game.TargetScore, first, game.MinMeld);
    start.ShuffleStock();
    host.randoms.clear();
    if (firstHand) host.randoms.push_back(first == Human ? 0.25 : 0.75);  // who plays first
    for (int i = CardCount - 1; i >= 0; --i)
      host.randoms.push_back(start.Stock[i] / double(CardCount));
  };
  std::string failure;
  bool scored = false;
  int handsOfGame = 0;
  host.onIdle = [&] {
    if (!game.Table.FramResults.Visible) {
      scored = false;
      seat.Act();
      return;
    }
    if (!scored) {
      scored = true;
      SimHand sim = start;
      sim.Deal();
      Replayer replay(log);
      PlayOut(sim, replay, replay);
      failure = replay.Failure();
      if (failure.empty()) failure = StateOf(game).Difference(StateOf(sim));
      for (int p : {Human, Robot})
        if (failure.empty() &&
            (sim.Stopped || std::to_string(sim.HandTotal[p]) != game.Table.PointsTotal[p].Caption))
          failure = "the hand's score differs";
      const int next = game.PlayerToPlay ? Human : Robot;
      if (failure.empty() && sim.NextToPlay != next) failure = "who plays next differs";
      if (!failure.empty()) {
        failure = "hand " + std::to_string(hands + 1) + ": " + failure;
        throw EnoughHands();
      }
      log.clear();
      // A few hands of each game, so that many games and pairings come in.
      if (++hands >= mostHands || ++handsOfGame == HandsPerGame) throw EnoughHands();
      nextHand(next, false);
    }
    seat.Act();
  };
  nextHand(number % 2 ? Human : Robot, true);
  try {
    game.Form_Load();
    game.MnuNew_Click();
  } catch (const EnoughHands&) {
  } catch (const std::exception& e) {
    failure = e.what();
  }
  std::filesystem::remove_all(folder);
  return failure;
}

// A count from the environment, when set; anything but a whole number fails the test
// rather than comparing none.
template <class T>
T CountFrom(const char* name, T normal) {
  const char* env = std::getenv(name);
  T count = normal;
  if (env == nullptr || ReadCount(env, count)) return count;
  ADD_FAILURE() << name << " is not a whole number: \"" << env << '"';
  return 0;
}

// LARKSPUR_SIM_HANDS says how many hands, LARKSPUR_SIM_FIRST_GAME from which game on.
TEST(SimAgainstTable, EveryDecisionAndEveryHandAgree) {
  const int hands = CountFrom("LARKSPUR_SIM_HANDS", 1000);
  int compared = 0;
  for (std::uint64_t game = CountFrom("LARKSPUR_SIM_FIRST_GAME", std::uint64_t{1});
       compared < hands && game > 0; ++game) {
    const std::string failure = CompareGame(game, compared, hands);
    ASSERT_EQ(failure, "") << "game " << game << " (" << Player(game, Human)->Name() << " against "
                           << Player(game, Robot)->Name() << ")";
  }
}

}  // namespace
