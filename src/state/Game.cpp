// The card table's ranks and points, the pauses that pace the game, and a game's waits giving way.
#include "state/Game.h"

namespace larkspur {

Game::Game(Host& h) : host(h) {}

void Game::InitCards() {
  for (int c = 1; c <= CardCount; ++c) {
    Cards[c].Points = PointsOfCard(c);
    Cards[c].Rank = RankOfCard(c);
  }
  Delay = PaceSetting;
}

void Game::CheckAbandon() {
  if (gameRunning_ && pending_ != GameRequest::None) throw GameAbandoned{};
}

// Waits Delay milliseconds while window events are handled; the host blocks
// in its event loop, so a pause costs no processor time.
void Game::Pause() {
  if (Delay <= 0) return;
  PauseStart = host.TickCount();
  host.WaitUntil(PauseStart + Delay);
  CheckAbandon();
}

void Game::DealSound() {
  host.PlaySound("carddeal1.wav");
  Pause();
}

}  // namespace larkspur
