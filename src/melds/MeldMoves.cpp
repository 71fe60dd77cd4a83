// The meld moves of either player: a natural, a wild card or a whole rank, each
// card jumping towards its player's melds before it is booked.
#include "state/Game.h"

namespace larkspur {

namespace {

// The card turns face up and jumps towards its player's melds: down for the
// robot, whose hand lies above its melds, up for the human.
void ShowCardOnItsWay(Game& g, int c, int player, int distance) {
  auto& pic = g.Table.PicCards[c];
  pic.Image = c;
  if (player == Robot) pic.Top += distance;
  if (player == Human) pic.Top -= distance;
  g.Table.BringToFront(pic);
  g.Pause();
}

}  // namespace

void Game::MeldNaturalCard(int card, int rank, int player) {
  Delay = PaceSetting + 500;
  ShowCardOnItsWay(*this, card, player, 600);
  MeldCard(card, rank, player);
  LayOutMelds(player);
  CountBonuses(player);
  HandLayout(player);
  Delay = PaceSetting;
}

void Game::MeldWildCard(int card, int rank, int player) {
  Delay = PaceSetting + 500;
  ShowCardOnItsWay(*this, card, player, 600);
  Cards[card].Rank = rank;
  rules::AddWildCard(MeldInfo[player][rank]);
  MeldCard(card, rank, player);
  LayOutMelds(player);
  HandLayout(player);
  CountBonuses(player);
  Delay = PaceSetting;
}

void Game::MeldAllOfRank(int player, int rank) {
  Delay = PaceSetting + 250;
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != player || Cards[c].Rank != rank) continue;
    ShowCardOnItsWay(*this, c, player, 1000);
    MeldCard(c, rank, player);
    LayOutMelds(player);
  }
  Delay = PaceSetting;
  HandLayout(player);
  CountBonuses(player);
}

}  // namespace larkspur
