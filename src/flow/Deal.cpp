// The deal: dealing both hands and turning up the pile's first card.
#include "state/Game.h"

namespace larkspur {

void Game::DealOneCard(int player) {
  const int card = PickStockCard();
  if (card == 0) return;
  Table.PicCards[card].Image = card;
  MoveStockCard(player, card);
  HandLeft[player] += player == Human ? HumanDealStep : RobotDealStep;
  Cards[card].Place = player;
  StockCount -= 1;
  Table.LblStock.Caption = "Stock:- " + std::to_string(StockCount);
}

void Game::TurnUpCard(int card) {
  UpCard = card;
  Delay = 500;
  // Face up beside the stock, then onto the pile.
  static constexpr TablePoint path[2] = {{240, 8160}, {0, 6850}};
  auto& pic = Table.PicCards[card];
  pic.Image = card;
  for (const TablePoint& p : path) {
    pic.Left = p.Left;
    pic.Top = p.Top;
    Table.BringToFront(pic);
    Pause();
  }
  ShowDiscardPile();
  Delay = PaceSetting;
}

void Game::Deal(int dealer) {
  Table.MnuPlayEnabled = false;
  HandLeft[Human] = HandLeft[Robot] = HandFirstLeft;
  const int first = dealer == Robot ? Human : Robot;
  const int second = dealer == Robot ? Robot : Human;
  for (int pair = 0; pair < HandSize; ++pair) {
    DealOneCard(first);
    DealOneCard(second);
  }
  HandLayout(Robot);
  HandLayout(Human);
  int card = PickStockCard();
  Cards[card].Place = PlacePile;
  TurnUpCard(card);
  for (int again = 1; again <= rules::MostUpCardsAgain; ++again) {
    if (!rules::TurnsUpAnother(Cards[card].Rank)) break;
    SetStatus(again == 1 ? "Wild or Red 3 turned up  - another card dealt."
                         : "Wild or Red 3 turned up  - another card dealt");
    card = PickStockCard();
    Cards[card].Place = PlacePile;
    TurnUpCard(card);
  }
  ShowDiscardPile();
  for (int c = 1; c <= CardCount; ++c)
    if (Cards[c].Place == PlacePile) Record.DealtUp.push_back(c);
  ShowStock();
  Table.MnuPlayEnabled = true;
  LayDownRedThrees(Human);
  LayDownRedThrees(Robot);
  Delay = PaceSetting;
}

}  // namespace larkspur
