// Whole games of the robot against a scripted opponent on the virtual clock, with the
// table's bookkeeping checked at every pause and at every wait for a click (the first
// wait after a robot turn checks that turn). LARKSPUR_SOAK_GAMES sets the number of
// games; the default suits a sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "ScriptedHuman.h"
#include "state/Game.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

struct WatchedHost : ScriptedHost {
  using ScriptedHost::ScriptedHost;
  std::function<void()> onPause;
  void WaitUntil(std::int64_t deadline) override {
    ScriptedHost::WaitUntil(deadline);
    if (onPause) onPause();
  }
};

// The scripted human, made bolder: it also tries the discard pile, completes
// the melds a taken pile starts, lays off naturals and adds wild cards.
class Opponent {
 public:
  Opponent(Game& game, std::uint64_t seed) : g(game), human(game, seed), rng(seed) {}

  void Act() {
    if (g.PlayerToPlay && g.PlayerTurnOpen && g.DiscardCount > 0 && rng() % 2)
      g.PicCards_MouseDown(g.UpCard);
    for (int r = 1; r <= 13 && g.PlayerToPlay && g.PlayerHasDrawn; ++r) {
      const MeldItems& m = g.MeldInfo[Human][r];
      if (r == RankTwo || r == RankBlackThree || !m.Started) continue;
      const bool more = m.Count < 3 || (g.MinMeldMet[Human] && rng() % 3 == 0);
      for (int c = 1; c <= CardCount && more; ++c)
        if (g.Cards[c].Place == PlaceHumanHand && g.Cards[c].Rank == r) g.PicCards_MouseDown(c);
      if (m.Count < 3 || (g.MinMeldMet[Human] && rng() % 4 == 0)) AddWild(r);
    }
    human.Act();
  }

 private:
  void AddWild(int r) {
    for (int c = 1; c <= 12; ++c) {
      if (g.Cards[c].Place != PlaceHumanHand) continue;
      g.PicCards_MouseDown(c);
      return g.LblHeadings_Click(r);
    }
  }

  Game& g;
  ScriptedHuman human;
  std::mt19937_64 rng;
};

class Checker {
 public:
  explicit Checker(Game& game) : g(game) {}
  int hands = 0;

  void AtPause() {
    for (int c = 1; c <= CardCount; ++c) {
      const int p = g.Cards[c].Place;
      if (p != 1 && p != 2 && (p < 16 || p > 21)) Fail("card " + Num(c) + " has place " + Num(p));
    }
    if (!g.Table.FramResults.Visible && g.GameScore != scores) Fail("totals changed in a hand");
  }
  void AtIdle() {
    AtPause();
    if (g.Table.FramResults.Visible) return HandOver();
    if (g.StockCount != Sum(PlaceStock, false)) Fail("StockCount disagrees with the stock");
    if (g.DiscardCount != Sum(PlacePile, false)) Fail("DiscardCount disagrees with the pile");
    bool wildInPile = false;
    for (int c = 1; c <= CardCount; ++c) {
      const CardRow& card = g.Cards[c];
      const bool melded = card.Place == PlaceHumanMeld || card.Place == PlaceRobotMeld;
      if (card.Rank != (melded ? card.MeldColumn[card.Place - 17] : RankOfCard(c)) ||
          card.Points != PointsOfCard(c))
        Fail("card " + Num(c) + " has the wrong rank or points");
      wildInPile = wildInPile || (card.Place == PlacePile && IsWildCardNumber(c));
    }
    if (wildInPile && g.Table.Shape1.BorderColor == PileOpen) Fail("a pile with a wild is open");
    for (int p : {Human, Robot}) {
      if (g.HandCount[p] != Sum(p, false) || g.HandPoints[p] != Sum(p, true))
        Fail("HandCount or HandPoints disagrees with hand " + Num(p));
      for (int c = 105; c <= 108; ++c)
        if (g.Cards[c].Place == p) Fail("a red three stays in a hand");
      for (int r = 1; r <= 13; ++r) {
        int count = 0, wild = 0;
        for (int c = 1; c <= CardCount; ++c) {
          const bool in = g.Cards[c].Place == 17 + p && g.Cards[c].MeldColumn[p] == r;
          count += in;
          wild += in && IsWildCardNumber(c);
        }
        const MeldItems& m = g.MeldInfo[p][r];
        if (m.Count != count || m.WildCount != wild || m.Started != (count > 0))
          Fail("meld " + Num(r) + " of player " + Num(p) + " disagrees with its column");
      }
    }
    if (g.MeldInfo[Robot][RankBlackThree].Count != 0) Fail("the robot melded black threes");
    if (g.PlayerTurnOpen && g.DiscardCount > 0 && g.Cards[g.UpCard].Place != PlacePile)
      Fail("the up card is not on the pile");
  }

 private:
  static std::string Num(int n) { return std::to_string(n); }
  // Ends the game at the first broken rule, saying what broke.
  [[noreturn]] static void Fail(const std::string& what) { throw what; }
  int Sum(int place, bool points) const {
    int n = 0;
    for (int c = 1; c <= CardCount; ++c)
      if (g.Cards[c].Place == place) n += points ? g.Cards[c].Points : 1;
    return n;
  }
  void HandOver() {
    if (g.HandCount[Human] > 0 && g.HandCount[Robot] > 0 && g.StockCount > 0)
      Fail("a hand was scored before it was over");
    for (int p : {Human, Robot}) {
      const int hand = Sum(17 + p, true) + g.BonusPoints[p] + g.OutBonus[p] - Sum(p, true);
      if (g.GameScore[p] - scores[p] != hand) Fail("the total grew by other than the hand");
    }
    scores = g.GameScore;
    hands += 1;
  }

  Game& g;
  PerPlayer<int> scores{};
};

// Plays one game to its end and returns what broke, or an empty text.
// With a trace, records a fingerprint of the card places and status line at each pause.
std::string PlayOneGame(std::uint64_t seed, int& hands, std::vector<std::uint64_t>* trace) {
  WatchedHost host(seed);
  host.folder = (std::filesystem::path(::testing::TempDir()) / "larkspur-soak").string();
  std::filesystem::create_directories(host.folder);
  host.maxEventWaits = 100'000;
  host.answerMessage = [](const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; };
  Game game(host);
  Opponent opponent(game, seed * 7919 + 1);
  Checker check(game);
  host.onIdle = [&] {
    check.AtIdle();
    opponent.Act();
  };
  host.onPause = [&] {
    check.AtPause();
    if (!trace) return;
    std::uint64_t h = 1469598103934665603u;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211u; };
    for (int c = 1; c <= CardCount; ++c) mix(game.Cards[c].Place);
    for (char ch : game.Table.LblGenInfo.Caption) mix(static_cast<unsigned char>(ch));
    trace->push_back(h);
  };
  std::string broken;
  try {
    game.Form_Load();
    game.MnuNew_Click();
    if (!host.ended) broken = "the game did not end";
  } catch (const std::string& what) {
    broken = what;
  } catch (const ScriptStalled&) {
    broken = "the game waits for a click that never comes";
  }
  hands = check.hands;
  return broken;
}

TEST(Soak, WholeGamesKeepTheTableConsistent) {
  const char* env = std::getenv("LARKSPUR_SOAK_GAMES");
  const int games = env ? std::atoi(env) : 550;
  int hands = 0;
  for (int seed = 1; seed <= games; ++seed) {
    int played = 0;
    const std::string broken = PlayOneGame(seed, played, nullptr);
    ASSERT_EQ(broken, "") << "seed " << seed << ", hand " << played + 1;
    hands += played;
  }
  RecordProperty("hands", hands);
  // A game to 5000 takes a few hands; far more would mean hands that end at once.
  EXPECT_GE(hands, games);
  EXPECT_LE(hands, 10 * games);
}

TEST(Soak, SameSeedPlaysTheSameGameMoveForMove) {
  std::vector<std::uint64_t> first, again, other;
  int hands = 0;
  ASSERT_EQ(PlayOneGame(11, hands, &first), "");
  ASSERT_EQ(PlayOneGame(11, hands, &again), "");
  ASSERT_EQ(PlayOneGame(12, hands, &other), "");
  const auto part = std::mismatch(first.begin(), first.end(), again.begin(), again.end());
  EXPECT_TRUE(part.first == first.end() && part.second == again.end())
      << "the games part at pause " << part.first - first.begin() << " of " << first.size();
  EXPECT_TRUE(first != other) << "another seed should deal another game";
}

}  // namespace
