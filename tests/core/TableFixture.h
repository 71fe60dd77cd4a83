// Shared set-ups for core tests: a host for the game core without a window, a game
// on it in a temporary folder, and ways to lay out positions card by card.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "commands/PlayerFile.h"
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

// A virtual clock (a pause costs nothing), a seeded random source, queued answers
// for dialogs and boxes, and queued user actions run whenever the game waits for an event.
class ScriptedHost : public Host {
 public:
  explicit ScriptedHost(std::uint64_t seed = 1) : rng(seed) {}

  // ---- the script
  std::deque<std::function<void()>> actions;               // one per event wait
  std::function<void()> onIdle;                            // when no action is queued
  std::function<int(const DeluxeMessage&)> answerMessage;  // else the queue, else 0
  std::deque<int> messageAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> inputAnswers;  // nullopt: Cancel
  std::deque<double> randoms;                           // handed out before the seeded source
  std::function<void()> onPause;  // after every pause, to watch the table move
  std::int64_t maxEventWaits = 1'000'000;

  // ---- what the game did
  std::int64_t now = 1000;
  std::int64_t eventWaits = 0;
  std::int64_t pauses = 0;
  std::vector<DeluxeMessage> messages;
  std::vector<std::string> sounds;
  bool ended = false;
  std::string folder = ".";
  std::mt19937_64 rng;

  void WaitUntil(std::int64_t deadline) override {
    ++pauses;
    if (deadline > now) now = deadline;
    if (onPause) onPause();
  }
  void WaitForEvent() override {
    if (++eventWaits > maxEventWaits || (actions.empty() && !onIdle))
      throw std::runtime_error("the game waits for an event but the script has none");
    now += 1;
    actions.empty() ? onIdle() : Next(actions, {})();
  }
  std::int64_t TickCount() override { return now; }
  void PlaySound(const std::string& file) override { sounds.push_back(file); }
  void Beep() override {}
  int ShowMessage(const DeluxeMessage& m) override {
    messages.push_back(m);
    return answerMessage ? answerMessage(m) : Next(messageAnswers, 0);
  }
  bool AskYesNo(const std::string&, const std::string&) override {
    return Next(yesNoAnswers, false);
  }
  std::optional<std::string> InputText(const std::string&, const std::string&) override {
    return Next(inputAnswers, std::optional<std::string>());
  }
  void ShowHelp() override {}
  void ShowAbout() override {}
  double Random() override {
    return randoms.empty() ? static_cast<double>(rng() >> 11) * 0x1.0p-53 : Next(randoms, 0.0);
  }
  std::string PlayerFileFolder() override { return folder; }
  void EndProgram() override { ended = true; }

  // The next stock draws pick exactly these cards.
  void Picks(std::initializer_list<int> cards) {
    for (int c : cards) randoms.push_back(c / 108.0);
  }
  // The next queued answer, or this one when the queue is empty.
  template <class T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }
  // Titles of the messages shown so far.
  std::vector<std::string> MessageTitles() const {
    std::vector<std::string> titles;
    for (const auto& m : messages) titles.push_back(m.Title);
    return titles;
  }
};

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
