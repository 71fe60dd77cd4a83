// The discard pile's fan, and a discard flying to it and setting the pile's state.
#include "state/Game.h"

namespace larkspur {

void Game::ShowDiscardPile() {
  DiscardCount = 0;
  int x = PileLeft;
  int y = PileTop;
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != PlacePile) continue;
    auto& pic = Table.PicCards[c];
    pic.Image = c;
    pic.Left = x;
    pic.Top = y;
    Table.BringToFront(pic);
    x += PileFanStep;
    y -= PileFanStep;
    DiscardCount += 1;
  }
  // Wild cards stand out of the fan so a frozen pile shows why.
  for (int c = 1; c <= CardCount; ++c)
    if (Cards[c].Place == PlacePile && IsWildRank(Cards[c].Rank))
      Table.PicCards[c].Top -= PileWildRaise;
  // The up card goes on top; once it has been taken it is no longer the pile's.
  if (DiscardCount > 0 && UpCard != 0 && Cards[UpCard].Place == PlacePile) {
    Table.BringToFront(Table.PicCards[UpCard]);
    Table.PicCards[UpCard].Top = y;
  }
  Table.LblDiscard.Caption = "Discards: " + std::to_string(DiscardCount);
  HandInPlay = true;
  LayDownRedThrees(Human);
  LayDownRedThrees(Robot);
  Delay = PaceSetting;
}

void Game::DiscardCard(int player, int card) {
  Record.NoteDiscard(player, card, Cards[card].Rank);
  LogMove(HandMove::Discard, player, card);
  Cards[card].Place = PlacePile;
  UpCard = card;
  Delay = 250;
  auto& pic = Table.PicCards[card];
  if (player != Robot) {
    static constexpr TablePoint stop{2640, 7320};  // the human's card shows once above the pile
    pic.Left = stop.Left;
    pic.Top = stop.Top;
    Table.BringToFront(pic);
    Pause();
    Pause();
  } else {
    static constexpr TablePoint path[3] = {{2640, 1920}, {1560, 4200}, {840, 6240}};
    for (const TablePoint& p : path) {
      pic.Image = card;
      pic.Left = p.Left;
      pic.Top = p.Top;
      Table.BringToFront(pic);
      Pause();
    }
  }
  bool wildInPile = false;
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place == PlacePile && IsWildRank(Cards[c].Rank)) {
      wildInPile = true;
      ShowDiscardPile();
      break;
    }
  }
  const bool blackThreeOnTop = Cards[UpCard].Rank == RankBlackThree;
  ShowDiscardPile();
  if (player == Human || player == Robot) {
    const int next = player == Human ? Robot : Human;
    Table.Shape1.BorderColor =
        PileColour(rules::PileStateAfterDiscard(blackThreeOnTop, wildInPile, MinMeldMet[next]));
  }
  HandLayout(player);
  ShowDiscardPile();
  CountBonuses(player);
  ShowScores();
}

}  // namespace larkspur
