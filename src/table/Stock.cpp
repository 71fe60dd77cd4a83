// The stock: its pile, a random card drawn from it and flying to a hand, and red
// threes laid down and replaced.
#include <cmath>

#include "state/Game.h"

namespace larkspur {

void Game::ShowStock() {
  StockCount = 0;
  int x = StockLeft;
  int y = StockTop;
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != PlaceStock) continue;
    auto& pic = Table.PicCards[c];
    pic.Image = BackImage;
    pic.Left = x;
    pic.Top = y;
    x += StockFanStep;
    y -= StockFanStep;
    pic.Visible = true;
    Table.BringToFront(pic);
    StockCount += 1;
  }
  Table.LblStock.Caption = "Stock:- " + std::to_string(StockCount);
  Delay = PaceSetting;
}

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

void Game::DrawStockCard(int player) {
  ShowStock();
  if (StockCount > 0) {
    const int card = PickStockCard();
    if (card != 0) {
      LogMove(HandMove::StockDraw, player, card);
      MoveStockCard(player == Robot ? Robot : Human, card);
      Cards[card].Place = player == Robot ? PlaceRobotHand : PlaceHumanHand;
    }
  }
  ShowStock();
  HandLayout(player);
  LayDownRedThrees(player);
}

void Game::DrawTwoFromStock(int player) {
  DrawStockCard(player);
  DrawStockCard(player);
}

void Game::MoveStockCard(int player, int card) {
  static constexpr TablePoint humanPath[3] = {{1440, 8520}, {720, 8400}, {4400, 9120}};
  static constexpr TablePoint robotPath[3] = {{3360, 6840}, {5280, 3600}, {5760, 1680}};
  Delay = 25;
  auto& pic = Table.PicCards[card];
  pic.Image = player == Robot ? BackImage : card;
  for (const TablePoint& p : player == Robot ? robotPath : humanPath) {
    pic.Left = p.Left;
    pic.Top = p.Top;
    Table.BringToFront(pic);
    Pause();
  }
  pic.Left = HandLeft[player];
  pic.Top = player == Robot ? RobotHandTop : HumanHandTop;
  DealSound();
  Delay = PaceSetting;
}

void Game::LayDownRedThrees(int player) {
  Delay = PaceSetting + 150;
  for (int c = FirstRedThree; c <= LastRedThree; ++c) {
    if (Cards[c].Place != player || Cards[c].Rank != RankRedThree) continue;
    if (player == Human) {
      Cards[c].Place = PlaceHumanRedThree;
      Table.PicCards[c].Top -= RedThreeLayDownShift;
    } else {
      Cards[c].Place = PlaceRobotRedThree;
      Table.PicCards[c].Top += RedThreeLayDownShift;
    }
    LogMove(HandMove::RedThree, player, c);
    Pause();
    ReplaceRedThree(player);
  }
  Delay = PaceSetting;
}

void Game::ReplaceRedThree(int player) {
  ShowRedThrees(player);
  CountBonuses(player);
  DrawStockCard(player);
  ShowScores();
}

void Game::ShowRedThrees(int player) {
  Delay = PaceSetting + 200;
  int y = player == Human ? HumanRedThreeTop : RobotRedThreeTop;
  const int place = player == Human ? PlaceHumanRedThree : PlaceRobotRedThree;
  for (int c = FirstRedThree; c <= LastRedThree; ++c) {
    if (Cards[c].Place != place) continue;
    auto& pic = Table.PicCards[c];
    pic.Image = c;
    pic.Top = y;
    pic.Left = RedThreesColumnLeft;
    y += RedThreeStep;
    Table.BringToFront(pic);
  }
  DealSound();
  Delay = PaceSetting;
}

}  // namespace larkspur
