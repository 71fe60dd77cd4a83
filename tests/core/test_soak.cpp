// Whole games of the robot against a scripted opponent on the virtual clock, with the
// table's bookkeeping checked at every pause and at every wait for a click (the first
// wait after a robot turn checks that turn). LARKSPUR_SOAK_GAMES sets the number of
// games; the default suits a sanitizer build.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "ScriptedHuman.h"
#include "state/Game.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

// What the scripted human leaves out: it also tries the discard pile, completes the
// melds a taken pile starts, lays off naturals and adds wild cards.
void PlayBolder(Game& g, std::mt19937_64& rng) {
  if (g.PlayerToPlay && g.PlayerTurnOpen && g.DiscardCount > 0 && rng() % 2)
    g.PicCards_MouseDown(g.UpCard);
  for (int r = 1; r <= 13 && g.PlayerToPlay && g.PlayerHasDrawn; ++r) {
    const MeldItems& m = g.MeldInfo[Human][r];
    if (r == RankTwo || r == RankBlackThree || !m.Started) continue;
    const bool more = m.Count < 3 || (g.MinMeldMet[Human] && rng() % 3 == 0);
    for (int c = 1; c <= CardCount && more; ++c)
      if (g.Cards[c].Place == PlaceHumanHand && g.Cards[c].Rank == r) g.PicCards_MouseDown(c);
    if (m.Count >= 3 && !(g.MinMeldMet[Human] && rng() % 4 == 0)) continue;
    int wild = 1;
    while (wild < 12 && g.Cards[wild].Place != PlaceHumanHand) ++wild;
    if (g.Cards[wild].Place != PlaceHumanHand) continue;
    g.PicCards_MouseDown(wild);
    g.LblHeadings_Click(r);
  }
}

// Ends the game at the first broken rule, saying what broke.
void Check(bool kept, const char* rule) {
  if (!kept) throw std::runtime_error(rule);
}

struct Checker {
  Game& g;
  PerPlayer<int> scores{};
  int hands = 0;

  void AtPause() const {
    for (int c = 1; c <= CardCount; ++c) {
      const int p = g.Cards[c].Place;
      Check(p == 1 || p == 2 || (p >= 16 && p <= 21), "a card has no place");
    }
    Check(g.Table.FramResults.Visible || g.GameScore == scores, "totals changed in a hand");
  }
  void AtIdle() {
    AtPause();
    // Cards and their points by place; melded cards by player and column.
    int n[22] = {}, points[22] = {}, count[3][14] = {};
    for (int c = 1; c <= CardCount; ++c) {
      const CardRow& card = g.Cards[c];
      n[card.Place] += 1, points[card.Place] += card.Points;
      const int p = card.Place - 17;  // the player whose meld holds the card
      const bool melded = p == Human || p == Robot;
      Check(card.Rank == (melded ? card.MeldColumn[p] : RankOfCard(c)) &&
                card.Points == PointsOfCard(c),
            "a card has the wrong rank or points");
      Check(c < 105 || card.Place > 2, "a red three stays in a hand");
      if (melded) count[p][card.MeldColumn[p]] += 1;
    }
    if (g.Table.FramResults.Visible) {  // the hand is over and scored
      Check(g.HandCount[Human] == 0 || g.HandCount[Robot] == 0 || g.StockCount == 0,
            "a hand was scored before it was over");
      for (int p : {Human, Robot})
        Check(g.GameScore[p] - scores[p] ==
                  points[17 + p] + g.BonusPoints[p] + g.OutBonus[p] - points[p],
              "the total grew by other than the hand");
      scores = g.GameScore;
      hands += 1;
      return;
    }
    Check(g.StockCount == n[PlaceStock] && g.DiscardCount == n[PlacePile], "a count disagrees");
    for (int p : {Human, Robot}) {
      Check(g.HandCount[p] == n[p] && g.HandPoints[p] == points[p], "a hand count disagrees");
      for (int r = 1; r <= 13; ++r)
        Check(
            g.MeldInfo[p][r].Count == count[p][r] && g.MeldInfo[p][r].Started == (count[p][r] > 0),
            "a meld disagrees with its column");
    }
  }
};

// Plays one game to its end, adds its hands to `hands` and returns what broke, or an
// empty text. With a trace, records the status line and every card's place at each pause.
std::string PlayOneGame(std::uint64_t seed, int& hands, std::vector<std::string>* trace) {
  ScriptedHost host(seed);
  // A folder of its own: no player file of an earlier game or another run comes in.
  const auto folder =
      std::filesystem::path(::testing::TempDir()) / ("larkspur-soak-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  host.folder = folder.string();
  host.maxEventWaits = 100'000;
  host.answerMessage = [](const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; };
  Game game(host);
  ScriptedHuman human(game, seed * 7919 + 1);
  std::mt19937_64 rng(seed * 7919 + 1);
  Checker check{game};
  host.onIdle = [&] {
    check.AtIdle();
    PlayBolder(game, rng);
    human.Act();
  };
  host.onPause = [&] {
    check.AtPause();
    if (!trace) return;
    trace->push_back(game.Table.LblGenInfo.Caption);
    for (int c = 1; c <= CardCount; ++c)
      trace->back() += static_cast<char>('A' + game.Cards[c].Place);
  };
  std::string broken;
  try {
    game.Form_Load();
    game.MnuNew_Click();
    if (!host.ended) broken = "the game did not end";
  } catch (const std::exception& e) {  // a broken rule, or a wait for a click that never comes
    broken = e.what();
  }
  hands += check.hands;
  std::filesystem::remove_all(folder);
  return broken;
}

TEST(Soak, WholeGamesKeepTheTableConsistent) {
  const char* env = std::getenv("LARKSPUR_SOAK_GAMES");
  const int games = env ? std::atoi(env) : 550;
  int hands = 0;
  for (int seed = 1; seed <= games; ++seed)
    ASSERT_EQ(PlayOneGame(seed, hands, nullptr), "") << "seed " << seed;
  // A game to 5000 takes a few hands; far more would mean hands that end at once.
  EXPECT_TRUE(hands >= games && hands <= 10 * games) << hands << " hands";
}

TEST(Soak, SameSeedPlaysTheSameGameMoveForMove) {
  std::vector<std::string> first, again, other;
  int hands = 0;
  ASSERT_EQ(PlayOneGame(11, hands, &first) + PlayOneGame(11, hands, &again) +
                PlayOneGame(12, hands, &other),
            "");
  EXPECT_TRUE(first == again) << "the same seed played another game";
  EXPECT_TRUE(first != other) << "another seed should deal another game";
}

}  // namespace
