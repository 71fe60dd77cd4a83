// What every part of the game shares: the card table's ranks and points, the pauses
// and the card sound, the status line, and a game's waits giving way.
#include "state/Game.h"

namespace larkspur {

Game::Game(Host& h) : host(h), hintMaster_(HintBudgetMs) {
  SetMasterPlayouts(MasterPolicy().Playouts());
}

// The Master thinks on the window's thread: between batches of playouts the
// window handles its events (and a new game or the end unwinds the search as
// it unwinds a pause), and a decision never runs past its time limit.
void Game::SetMasterPlayouts(int playouts) {
  master_ = MasterPolicy::WithPlayouts(playouts);
  master_.PaceWith({[this] {
                      host.WaitUntil(host.TickCount() + 1);
                      CheckAbandon();
                    },
                    [this] { return host.TickCount(); }, MasterPolicy::LimitMs});
}

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

// The status line speaks to the player by name; every text given begins with a blank.
void Game::SetStatus(const std::string& text) {
  Table.LblGenInfo.Caption = PlayerName + " " + text;
  PutHintAway();  // a new status: the hint's outline has had its say
}

}  // namespace larkspur
