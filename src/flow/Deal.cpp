// The deal: random stock draws, dealing both hands and turning up the pile's first card.
#include <cmath>

#include "state/Game.h"

namespace larkspur {

// A random card still in the stock: r x CardCount rounded half to even, 0 and cards
// not in the stock drawn again.
int Game::PickStockCard() {
  bool anyInStock = false;
  for (int c = 1; c <= CardCount && !anyInStock; ++c) anyInStock = Cards[c].Place == PlaceStock;
  // A count that disagrees with the table must not draw forever.
  if (StockCount != 0 && anyInStock) {
    while (true) {
      int n = 0;
      do {
        n = static_cast<int>(std::nearbyint(host.Random() * CardCount));
      } while (n == 0);
      if (Cards[n].Place == PlaceStock) return n;
    }
  }
  Delay = PaceSetting;
  return 0;
}

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
  for (int again = 1; again <= 7; ++again) {
    const int rank = Cards[card].Rank;
    if (!IsWildRank(rank) && rank != RankRedThree) break;
    SetStatus(again == 1 ? "Wild or Red 3 turned up  - another card dealt."
                         : "Wild or Red 3 turned up  - another card dealt");
    card = PickStockCard();
    Cards[card].Place = PlacePile;
    TurnUpCard(card);
  }
  ShowDiscardPile();
  ShowStock();
  Table.MnuPlayEnabled = true;
  LayDownRedThrees(Human);
  LayDownRedThrees(Robot);
  Delay = PaceSetting;
}

}  // namespace larkspur
