// Shared set-ups for core tests: a game on a scripted host in a temporary
// folder, and ways to lay out positions card by card.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <unistd.h>

#include "ScriptedHost.h"
#include "state/Game.h"

namespace larkspur::testing {

class TableTest : public ::testing::Test {
 protected:
  TableTest() : host(7), game(host) {
    folder = std::filesystem::temp_directory_path() /
             ("larkspur-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    host.folder = folder.string();
    game.PaceSetting = 300;
  }
  ~TableTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  // A hand in play with every card in the stock: ready to lay out a position.
  void EmptyTable() {
    game.HandInPlay = false;
    game.NewHandReset();
    game.HandInPlay = true;
  }
  void Put(int place, std::initializer_list<int> cards) {
    for (int c : cards) game.Cards[c].Place = place;
  }
  // The human's turn in the drawing phase, as the driver opens it.
  void HumanToDraw() {
    game.PlayerToPlay = true;
    game.PlayerTurnOpen = true;
    game.PlayerHasDrawn = false;
    game.PlayerDiscarding = false;
    game.HandLayout(Human);
    game.HandLayout(Robot);
    game.ShowStock();
  }
  // The human's turn in the melding phase (after a draw).
  void HumanToMeld() {
    HumanToDraw();
    game.PlayerTurnOpen = false;
    game.PlayerHasDrawn = true;
  }
  // Card numbers of one rank: the first card number of fours is 17, and each
  // natural rank has eight cards in a row.
  static int CardOf(int rank, int k = 0) {
    if (rank == RankAce) return 97 + k;
    if (rank == RankJoker) return 1 + k;
    if (rank == RankTwo) return 5 + k;
    if (rank == RankBlackThree) return 13 + k;
    if (rank == RankRedThree) return 105 + k;
    return 17 + (rank - 4) * 8 + k;
  }
  int CountAt(int place) const {
    int n = 0;
    for (int c = 1; c <= CardCount; ++c) n += game.Cards[c].Place == place;
    return n;
  }

  std::filesystem::path folder;
  ScriptedHost host;
  Game game;
};

}  // namespace larkspur::testing
