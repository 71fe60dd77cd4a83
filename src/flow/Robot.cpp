// The robot's turn: the pile or two stock cards, its melds, its discard. The
// turn keeps its shape, status texts and pauses whoever decides: the Classic
// robot's rules unless another policy has been chosen for the robot's seat.
#include "state/Game.h"

namespace larkspur {

namespace {

bool InRobotHand(const Game& g, int card) {
  return card >= 1 && card <= CardCount && g.Cards[card].Place == PlaceRobotHand;
}

// The table refuses what the robot's seat may not do, whatever its policy asks.
bool MayMeld(const Game& g, const SeatView& view, const MeldStep& step) {
  const int r = step.Rank;
  if (!rules::IsMeldRank(r)) return false;
  const MeldItems& meld = g.MeldInfo[Robot][r];
  const int held = view.HandRank[r];
  switch (step.What) {
    case MeldStep::AllOfRank:
      return held >= 1 && rules::MayMeldNatural(meld.Started, held,
                                                view.HandRank[RankTwo] + view.HandRank[RankJoker]);
    case MeldStep::Wild:
      return InRobotHand(g, step.Card) && IsWildCardNumber(step.Card) && meld.Started &&
             view.MayAddWild(meld);
    case MeldStep::Natural:
      return InRobotHand(g, step.Card) && g.Cards[step.Card].Rank == r && meld.Started;
    case MeldStep::None:
    case MeldStep::Stop:
      break;
  }
  return false;
}

}  // namespace

Policy& Game::RobotPolicy() {
  if (RobotSeatPolicy != nullptr) return *RobotSeatPolicy;
  switch (robotPlayer_) {
    case RobotPlay::Expert:
      return expert_;
    case RobotPlay::Master:
      return master_;
    case RobotPlay::Classic:
      break;
  }
  return classic_;
}

bool Game::RobotTurn() {
  CountBonuses(Human);
  CountBonuses(Robot);
  CheckMinimumMeld(Robot);
  CountHand(Robot);
  // Never before its first meld is down in this hand.
  if (MayTakePile(Robot) && MinMeldMet[Robot] &&
      RobotPolicy().TakePile(MakeSeatView(*this, Robot))) {
    SetStatus("opponent is taking Discard card.");
    TakePileTop(Robot);
    CountHand(Robot);
    RobotMelds();
    SetStatus(" opponent is now discarding a card.");
    RobotDiscard();
    return true;
  }
  SetStatus(" opponent is taking two cards from Stock.");
  DrawTwoFromStock(Robot);
  CountHand(Robot);
  RobotMelds();
  SetStatus(" opponent is Discarding a card.");
  RobotDiscard();
  return false;
}

// Asks the seat's policy for one move at a time, with the table as the last move
// left it, and makes each with the robot's own meld moves.
void Game::RobotMelds() {
  Policy& policy = RobotPolicy();
  CountHand(Robot);
  for (int step = 0; step < MostMeldSteps; ++step) {
    const SeatView view = MakeSeatView(*this, Robot);
    const MeldStep move = policy.NextMeld(view, step);
    if (move.What == MeldStep::Stop) return;
    if (move.What == MeldStep::None) {
      if (step == 0 && rules::MustKeepLastCard(HandCount[Robot], HasCanasta[Robot])) {
        SetStatus("your opponent cannot Meld 1 card as no Canasta made.");
        return;
      }
      break;
    }
    if (!MayMeld(*this, view, move)) break;
    if (move.What == MeldStep::AllOfRank) {
      MeldAllOfRank(Robot, move.Rank);
      HandLayout(Robot);
    } else if (move.What == MeldStep::Wild) {
      MeldWildCard(move.Card, move.Rank, Robot);
    } else {
      MeldNaturalCard(move.Card, move.Rank, Robot);
    }
  }
  CountBonuses(Robot);
  HandLayout(Robot);
  ShowScores();
  Delay = PaceSetting;
}

void Game::RobotDiscard() {
  CountBonuses(Robot);
  if (HandCount[Robot] == 0) return;
  if (rules::MustKeepLastCard(HandCount[Robot], HasCanasta[Robot])) {
    SetStatus(" your opponent cannot discard at present- no Canasta");
    CountBonuses(Robot);
    return;
  }
  CountHand(Robot);
  ShowDiscardPile();
  const SeatView view = MakeSeatView(*this, Robot);
  int card = RobotPolicy().Discard(view);
  if (!InRobotHand(*this, card)) card = view.Hand.empty() ? 0 : view.Hand.front();
  if (card == 0) return;
  DiscardCard(Robot, card);
  CountBonuses(Robot);
}

}  // namespace larkspur
