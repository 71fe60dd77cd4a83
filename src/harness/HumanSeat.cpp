#include "harness/HumanSeat.h"

#include "state/Game.h"

namespace larkspur {

void HumanSeat::Act() {
  if (g_.Table.FramResults.Visible) {
    g_.cmdNew_Click();  // Carry On
    return;
  }
  if (!g_.PlayerToPlay || !g_.HandInPlay) return;
  if (g_.PlayerTurnOpen) {
    Draw();
  } else if (g_.PlayerHasDrawn) {
    MeldAndEndMelding();
  } else if (g_.PlayerDiscarding) {
    Discard();
  }
}

int HumanSeat::AnyStockCard() const {
  for (int c = 1; c <= CardCount; ++c)
    if (g_.Cards[c].Place == PlaceStock) return c;
  return 0;
}

// The pile is taken by clicking its top card, two cards are drawn by clicking
// any card of the stock; a pile the table refuses leaves the stock.
void HumanSeat::Draw() {
  const SeatView view = MakeSeatView(g_, Human);
  if (view.MayTakePile() && policy_.TakePile(view)) {
    g_.PicCards_MouseDown(view.UpCard);
    if (!g_.PlayerTurnOpen) return;
  }
  g_.PicCards_MouseDown(AnyStockCard());
}

void HumanSeat::Meld(const MeldStep& step) {
  switch (step.What) {
    case MeldStep::AllOfRank:
      for (int c = 1; c <= CardCount && g_.PlayerToPlay; ++c)
        if (g_.Cards[c].Place == PlaceHumanHand && g_.Cards[c].Rank == step.Rank)
          g_.PicCards_MouseDown(c);
      break;
    case MeldStep::Wild:
      // A wild card is chosen by a click, then placed by a click on its meld's heading.
      g_.PicCards_MouseDown(step.Card);
      if (g_.WildChosen == step.Card) g_.LblHeadings_Click(step.Rank);
      break;
    case MeldStep::Natural:
      g_.PicCards_MouseDown(step.Card);
      break;
    case MeldStep::None:
    case MeldStep::Stop:
      break;
  }
}

void HumanSeat::MeldAndEndMelding() {
  auto melded = [&] {
    int n = 0;
    for (int c = 1; c <= CardCount; ++c) n += g_.Cards[c].Place == PlaceHumanMeld;
    return n;
  };
  for (int step = 0; step < MostMeldSteps && g_.PlayerToPlay; ++step) {
    const MeldStep move = policy_.NextMeld(MakeSeatView(g_, Human), step);
    if (move.What == MeldStep::None || move.What == MeldStep::Stop) break;
    const int before = melded();
    Meld(move);
    if (melded() == before) break;  // the table refused the move: asking again would not help
  }
  if (!g_.PlayerToPlay) return;  // went out by melding
  // Melds that do not meet the minimum meld cannot stand: give them back.
  if (!g_.MinMeldMet[Human] && g_.MeldPoints[Human] > 0) g_.LblReturnPack_Click();
  if (g_.PlayerTurnOpen) return;  // a taken pile went back: draw again
  g_.LblDiscarding_Click();
}

void HumanSeat::Discard() {
  const int card = policy_.Discard(MakeSeatView(g_, Human));
  if (card != 0) g_.PicCards_MouseDown(card);
  // A refused discard: give back what cannot stand and try again.
  if (g_.PlayerToPlay && g_.PlayerHasDrawn) g_.LblReturnPack_Click();
}

}  // namespace larkspur
