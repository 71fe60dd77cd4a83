// A scripted human for whole games: draws from the stock, melds the triples it
// can when they meet the minimum meld, then discards a card chosen at random.
#pragma once

#include <random>

#include "ScriptedHost.h"
#include "state/Game.h"

namespace larkspur::testing {

class ScriptedHuman {
 public:
  ScriptedHuman(Game& game, std::uint64_t seed) : g(game), rng(seed) {}

  // Plays one step of whatever the game waits for.
  void Act() {
    if (g.Table.FramResults.Visible) {
      g.cmdNew_Click();
      return;
    }
    if (!g.PlayerToPlay || !g.HandInPlay) return;
    if (g.PlayerTurnOpen) {
      g.PicCards_MouseDown(AnyCardAt(PlaceStock));
      return;
    }
    if (g.PlayerHasDrawn) {
      MeldTriples();
      if (!g.PlayerToPlay) return;  // went out by melding
      if (!g.MinMeldMet[Human] && g.MeldPoints[Human] > 0) g.LblReturnPack_Click();
      if (g.PlayerTurnOpen) return;  // a taken pile went back: draw again
      g.LblDiscarding_Click();
      return;
    }
    if (g.PlayerDiscarding) {
      const int card = RandomHandCard();
      if (card != 0) g.PicCards_MouseDown(card);
      if (g.PlayerToPlay && g.PlayerHasDrawn) {
        // The discard was refused: give back what cannot stand and try again.
        g.LblReturnPack_Click();
      }
    }
  }

 private:
  int AnyCardAt(int place) {
    for (int c = 1; c <= CardCount; ++c)
      if (g.Cards[c].Place == place) return c;
    return 0;
  }

  int RandomHandCard() {
    int hand[CardCount];
    int n = 0;
    for (int c = 1; c <= CardCount; ++c)
      if (g.Cards[c].Place == PlaceHumanHand) hand[n++] = c;
    if (n == 0) return 0;
    return hand[std::uniform_int_distribution<int>(0, n - 1)(rng)];
  }

  void MeldTriples() {
    g.CountHand(Human);
    int value = 0;
    for (int r = RankAce; r <= RankKing; ++r) {
      if (r == RankTwo || r == RankBlackThree || g.RankCount[r] < 3) continue;
      value += g.RankCount[r] * (r == RankAce ? 20 : r <= RankSeven ? 5 : 10);
    }
    if (!g.MinMeldMet[Human] && value <= g.MinMeld[Human]) return;
    for (int r = RankAce; r <= RankKing; ++r) {
      if (r == RankTwo || r == RankBlackThree) continue;
      g.CountHand(Human);
      if (g.RankCount[r] < 3) continue;
      for (int c = 1; c <= CardCount && g.PlayerToPlay; ++c)
        if (g.Cards[c].Place == PlaceHumanHand && g.Cards[c].Rank == r) g.PicCards_MouseDown(c);
    }
  }

  Game& g;
  std::mt19937_64 rng;
};

}  // namespace larkspur::testing
