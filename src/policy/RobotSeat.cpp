#include "policy/RobotSeat.h"

#include "policy/ExpertPolicy.h"
#include "state/Game.h"

namespace larkspur {

namespace {

// No turn needs more melding moves than this; a policy that keeps answering is stopped.
constexpr int MostMeldSteps = 60;

bool InRobotHand(const Game& g, int card) {
  return card >= 1 && card <= CardCount && g.Cards[card].Place == PlaceRobotHand;
}

// The table refuses what the robot's seat may not do, whatever the policy asks.
bool Allowed(const Game& g, const SeatView& view, const MeldStep& step) {
  const int r = step.Rank;
  if (!rules::IsMeldRank(r)) return false;
  const MeldItems& meld = g.MeldInfo[Robot][r];
  switch (step.What) {
    case MeldStep::AllOfRank:
      return view.HandRank[r] >= 3 || (view.HandRank[r] >= 1 && meld.Started) ||
             (view.HandRank[r] == 2 && !view.Wilds().empty());
    case MeldStep::Wild:
      return InRobotHand(g, step.Card) && IsWildCardNumber(step.Card) && meld.Started &&
             view.MayAddWild(meld);
    case MeldStep::Natural:
      return InRobotHand(g, step.Card) && g.Cards[step.Card].Rank == r && meld.Started;
    case MeldStep::None:
      break;
  }
  return false;
}

void Melds(Game& g, Policy& policy) {
  g.CountHand(Robot);
  if (g.HandCount[Robot] == 1 && !g.HasCanasta[Robot]) {
    g.SetStatus("your opponent cannot Meld 1 card as no Canasta made.");
    return;
  }
  for (int step = 0; step < MostMeldSteps; ++step) {
    const SeatView view = MakeSeatView(g, Robot);
    const MeldStep move = policy.NextMeld(view, step);
    if (move.What == MeldStep::None || !Allowed(g, view, move)) break;
    if (move.What == MeldStep::AllOfRank) {
      g.MeldAllOfRank(Robot, move.Rank);
      g.HandLayout(Robot);
    } else if (move.What == MeldStep::Wild) {
      g.MeldWildCard(move.Card, move.Rank, Robot);
    } else {
      g.MeldNaturalCard(move.Card, move.Rank, Robot);
    }
  }
  g.CountBonuses(Robot);
  g.HandLayout(Robot);
  g.ShowScores();
  g.Delay = g.PaceSetting;
}

void Discard(Game& g, Policy& policy) {
  g.CountBonuses(Robot);
  if (g.HandCount[Robot] == 0) return;
  if (g.HandCount[Robot] == 1 && !g.HasCanasta[Robot]) {
    g.SetStatus(" your opponent cannot discard at present- no Canasta");
    g.CountBonuses(Robot);
    return;
  }
  g.CountHand(Robot);
  g.ShowDiscardPile();
  const SeatView view = MakeSeatView(g, Robot);
  int card = policy.Discard(view);
  if (!InRobotHand(g, card)) card = view.Hand.empty() ? 0 : view.Hand.front();
  if (card == 0) return;
  g.DiscardCard(Robot, card);
  g.CountBonuses(Robot);
}

}  // namespace

bool PlayRobotTurn(Game& g, Policy& policy) {
  g.CountBonuses(Human);
  g.CountBonuses(Robot);
  g.CheckMinimumMeld(Robot);
  g.CountHand(Robot);
  // The pile only as the Classic robot may take it: a legal take after the first meld.
  if (g.MayTakePile(Robot) && g.MinMeldMet[Robot]) {
    const SeatView view = MakeSeatView(g, Robot);
    if (view.MayTakePile() && policy.TakePile(view)) {
      g.SetStatus("opponent is taking Discard card.");
      g.TakePileTop(Robot);
      g.CountHand(Robot);
      Melds(g, policy);
      g.SetStatus(" opponent is now discarding a card.");
      Discard(g, policy);
      return true;
    }
  }
  g.SetStatus(" opponent is taking two cards from Stock.");
  g.DrawTwoFromStock(Robot);
  g.CountHand(Robot);
  Melds(g, policy);
  g.SetStatus(" opponent is Discarding a card.");
  Discard(g, policy);
  return false;
}

bool Game::RobotSeatTurn() {
  if (RobotSeatPolicy != nullptr) return PlayRobotTurn(*this, *RobotSeatPolicy);
  if (RobotPlayer == RobotPlay::Expert) {
    ExpertPolicy expert;
    return PlayRobotTurn(*this, expert);
  }
  return RobotTurn();
}

}  // namespace larkspur
