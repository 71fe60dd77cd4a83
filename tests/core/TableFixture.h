// Shared set-ups for core tests: a game on a scripted host in a temporary
// folder, and ways to lay out positions card by card.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "commands/PlayerFile.h"
#include "harness/ScriptedHost.h"
#include "state/Game.h"

namespace larkspur {
// Failures show the values as the file would hold them.
inline void PrintTo(const PlayerFileData& d, std::ostream* os) {
  *os << FormatPlayerFile(d);
}
inline void PrintTo(const TableTarget& t, std::ostream* os) {
  *os << "{element " << t.What << ", " << t.Index << "}";
}
}  // namespace larkspur

namespace larkspur::testing {

using Pos = std::pair<int, int>;  // a picture's Left and Top
using Texts = std::vector<std::string>;

// The first card of each rank; the others of the rank follow it.
namespace cards {
constexpr int Joker = FirstJoker, Two = FirstTwo, BlackThree = FirstBlackThree, Four = FirstFour,
              Five = FirstCardOfRank(RankFive), Six = FirstCardOfRank(RankSix),
              Seven = FirstCardOfRank(RankSeven), Eight = FirstCardOfRank(RankEight),
              Nine = FirstCardOfRank(RankNine), Ten = FirstCardOfRank(RankTen),
              Queen = FirstCardOfRank(RankQueen), King = FirstCardOfRank(RankKing), Ace = FirstAce,
              RedThree = FirstRedThree;
}  // namespace cards

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
// What the game holds of the player file's eight values.
inline PlayerFileData Held(const Game& g) {
  return {g.PlayerName,    g.RobotName,    g.PaceSetting,  g.GamesWonPlayer,
          g.GamesWonRobot, g.GameScore[1], g.GameScore[2], g.TargetScore};
}

// Thrown from a host's callback to leave a game where it stands.
struct Stop {};
template <class Act>
void UntilStop(Act act) {
  try {
    act();
  } catch (const Stop&) {
  }
}
// Whether the game waits for the human's move (not for the results, nor inside a move).
inline bool WaitsForMove(const Game& g) {
  return g.GameRunning() && g.MayMove() && g.PlayerToPlay && !g.Table.FramResults.Visible;
}

// A game started by Form_Load from a player file in a folder of its own.
struct SavedGame {
  SavedGame(const std::filesystem::path& dir, const PlayerFileData& data) : folder(dir) {
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "Name.dat", FormatPlayerFile(data));
    host.folder = folder.string();
    game.Form_Load();
  }
  PlayerFileData Saved() const { return ParsePlayerFile(ReadBytes(folder / "Name.dat")).Data; }
  std::filesystem::path folder;
  ScriptedHost host{3};
  Game game{host};
};

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
  void Put(int place, const std::vector<int>& cards) {
    for (int c : cards) game.Cards[c].Place = place;
  }
  // Lays these cards out as the discard pile, the last on top; a colour given
  // overrides the state the pile shows.
  void Pile(const std::vector<int>& cards, int colour = 0) {
    Put(PlacePile, cards);
    game.UpCard = cards.back();
    game.ShowDiscardPile();
    if (colour) game.Table.Shape1.BorderColor = colour;
  }
  // The k-th to (k+n-1)-th natural card of a rank, melded in an earlier turn.
  void Melded(int player, int rank, int n, int k = 0) {
    for (int i = k; i < k + n; ++i) game.MeldCard(CardOf(rank, i), rank, player);
    for (int c = 1; c <= CardCount; ++c) game.Cards[c].NewThisTurn = false;
    game.LayOutMelds(player);
  }
  // The human's turn in the drawing phase, as the driver opens it.
  void HumanToDraw() {
    game.PlayerToPlay = game.PlayerTurnOpen = true;
    game.PlayerHasDrawn = game.PlayerDiscarding = false;
    game.Table.LblDiscarding.Visible = game.Table.LblReturnPack.Visible = false;
    game.HandLayout(Human);
    game.HandLayout(Robot);
    game.ShowStock();
  }
  // The human's turn in the melding phase, with both command labels, as a draw leaves it.
  void HumanToMeld() {
    HumanToDraw();
    game.PlayerTurnOpen = false;
    game.PlayerHasDrawn = true;
    game.Table.LblDiscarding.Visible = game.Table.LblReturnPack.Visible = true;
  }
  void Click(int c) { game.PicCards_MouseDown(c); }
  int Where(int c) const { return game.Cards[c].Place; }
  const std::string& Status() const { return game.Table.LblGenInfo.Caption; }
  // The card number of the k-th card of a rank.
  static constexpr int CardOf(int rank, int k = 0) { return FirstCardOfRank(rank) + k; }
  int CountAt(int place) const {
    int n = 0;
    for (int c = 1; c <= CardCount; ++c) n += game.Cards[c].Place == place;
    return n;
  }
  // The stock card a click lands on: the stock is stacked in card order.
  int TopOfStock() const {
    for (int c = CardCount; c > 0; --c)
      if (Where(c) == PlaceStock) return c;
    return 0;
  }
  Pos At(int c) const { return {game.Table.PicCards[c].Left, game.Table.PicCards[c].Top}; }
  std::vector<int> Places(const std::vector<int>& cards) const {
    std::vector<int> places;
    for (int c : cards) places.push_back(game.Cards[c].Place);
    return places;
  }
  // The player file in the test's folder, as text and as read.
  std::string FileText() const { return ReadBytes(folder / "Name.dat"); }
  PlayerFileData Saved() const { return ParsePlayerFile(FileText()).Data; }

  std::filesystem::path folder;
  ScriptedHost host;
  Game game;
};

}  // namespace larkspur::testing
