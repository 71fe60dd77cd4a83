// The arena's panel of sparring partners plays by the table's rules on either seat, and
// the ladder's Elo fit finds the ratings that made a set of results.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "harness/HumanSeat.h"
#include "harness/ScriptedHost.h"
#include "ladder/Ladder.h"
#include "ladder/PolicyRegistry.h"
#include "policy/ClassicPolicy.h"
#include "state/Game.h"

using namespace larkspur;

namespace {

// Stands between a policy and its seat and notes every move the table did not take: a
// meld that left the seat's melds as they were, melds given back, melds that stand below
// the minimum or with fewer than three cards at the discard, a card thrown that the hand
// does not hold.
class Referee : public Policy {
 public:
  Referee(std::unique_ptr<Policy> inner, const Game& game, int seat)
      : inner_(std::move(inner)), g_(game), seat_(seat) {}
  std::string Name() const override { return inner_->Name(); }
  std::set<std::string> faults;

  void Look() {
    const int melded = Melded();
    if (melded < last_) faults.insert("melds were given back");
    if (pending_ && melded <= pendingFrom_) faults.insert("the table refused a meld");
    pending_ = false;
    last_ = melded;
  }
  void HandOver() {
    Look();
    last_ = 0;
  }
  bool TakePile(const SeatView& v) override {
    Look();
    return inner_->TakePile(v);
  }
  MeldStep NextMeld(const SeatView& v, int step) override {
    Look();
    const MeldStep move = inner_->NextMeld(v, step);
    if (move.What != MeldStep::None) pending_ = true, pendingFrom_ = last_;
    return move;
  }
  int Discard(const SeatView& v) override {
    Look();
    if (v.MeldPoints[seat_] > 0 && !v.MinMeldMet[seat_])
      faults.insert("melds stand below the minimum");
    for (const MeldItems& m : v.Melds[seat_])
      if (m.Started && m.Count < 3) faults.insert("a meld of fewer than three cards stands");
    const int card = inner_->Discard(v);
    if (std::find(v.Hand.begin(), v.Hand.end(), card) == v.Hand.end())
      faults.insert("a card not in the hand was thrown");
    return card;
  }

 private:
  int Melded() const {
    const int place = seat_ == Human ? PlaceHumanMeld : PlaceRobotMeld;
    int n = 0;
    for (int c = 1; c <= CardCount; ++c) n += g_.Cards[c].Place == place;
    return n;
  }
  std::unique_ptr<Policy> inner_;
  const Game& g_;
  int seat_;
  int last_ = 0, pendingFrom_ = 0;
  bool pending_ = false;
};

// One whole game of a panel member against Classic; what went wrong, if anything.
std::set<std::string> PlayAgainstClassic(const std::string& member, int seat, int seed) {
  ScriptedHost host(seed);
  const auto folder = std::filesystem::path(::testing::TempDir()) /
                      ("larkspur-panel-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  host.folder = folder.string();
  host.maxEventWaits = 20'000;
  host.answerMessage = [](const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; };
  Game game(host);
  Referee referee(MakePolicy(member, seed), game, seat);
  ClassicPolicy classic;
  HumanSeat human(game, seat == Human ? static_cast<Policy&>(referee) : classic);
  if (seat == Robot) game.RobotSeatPolicy = &referee;
  host.onIdle = [&] {
    game.Table.FramResults.Visible ? referee.HandOver() : referee.Look();
    human.Act();
  };
  std::set<std::string> faults;
  try {
    game.Form_Load();
    game.MnuNew_Click();
    if (!host.ended) faults.insert("the game did not end");
  } catch (const std::exception& e) {
    faults.insert(e.what());
  }
  // The table answers the human's seat with a dialog when it refuses.
  for (const std::string& title : host.MessageTitles())
    if (seat == Human && (title == "Unfinished Meld." || title == "Minimum Meld not met." ||
                          title == "Cannot Discard" || title == "Cards taken back"))
      faults.insert("the table refused: " + title);
  faults.insert(referee.faults.begin(), referee.faults.end());
  std::filesystem::remove_all(folder);
  return faults;
}

TEST(Panel, EachMemberPlaysWholeGamesAgainstClassicByTheRules) {
  for (const char* member : {"racer", "builder", "cautious", "strategist"})
    for (int seat : {Human, Robot})
      for (int seed = 1; seed <= 6; ++seed)
        EXPECT_EQ(PlayAgainstClassic(member, seat, seed), std::set<std::string>{})
            << member << " on seat " << seat << ", seed " << seed;
}

// Results made exactly from known ratings give those ratings back, with intervals that
// hold them; a policy that won every game still gets a finite rating.
TEST(Ladder, EloFitRecoversTheRatingsThatMadeTheResults) {
  const std::vector<double> truth{1000, 1200, 850, 1400};
  const int games = 4000;
  std::vector<std::vector<double>> wins(truth.size(), std::vector<double>(truth.size(), 0.0));
  for (std::size_t i = 0; i < truth.size(); ++i)
    for (std::size_t j = 0; j < truth.size(); ++j)
      if (i != j) wins[i][j] = games / (1 + std::pow(10.0, (truth[j] - truth[i]) / 400));
  const EloFit fit = FitElo(wins, 0);
  EXPECT_FALSE(fit.Smoothed);
  for (std::size_t i = 0; i < truth.size(); ++i) {
    const Rating& r = fit.Ratings[i];
    EXPECT_NEAR(r.Elo, truth[i], 0.01) << i;
    EXPECT_LE(r.Range.Low, truth[i]);
    EXPECT_GE(r.Range.High, truth[i]);
    EXPECT_LT(r.Range.High - r.Range.Low, i == 0 ? 1e-9 : 40.0) << i;
  }
  // Held at 1000 the third policy moves the rest with it.
  EXPECT_NEAR(FitElo(wins, 2).Ratings[1].Elo, 1000 + 1200 - 850, 0.01);

  std::vector<std::vector<double>> sweep{{0, 10, 10}, {0, 0, 6}, {0, 4, 0}};
  const EloFit swept = FitElo(sweep, 1);
  EXPECT_TRUE(swept.Smoothed);
  EXPECT_GT(swept.Ratings[0].Elo, swept.Ratings[1].Elo + 200);
  EXPECT_TRUE(std::isfinite(swept.Ratings[0].Range.High));
}

}  // namespace
