// Whole games against a scripted opponent on the virtual clock, the table's bookkeeping
// checked at every pause and every wait for a click; LARKSPUR_SOAK_GAMES sets how many.
// One soak also clicks at random moments, inside card flights too, as a quick hand does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <tuple>

#include "TableFixture.h"
#include "harness/Counts.h"
#include "harness/HumanSeat.h"
#include "harness/SimplePolicy.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"

using namespace larkspur;
using namespace larkspur::testing;

namespace {

// What the simple policy leaves out: it also tries the discard pile, completes the
// melds a taken pile starts, lays off naturals and adds wild cards.
void PlayBolder(Game& g, std::mt19937_64& rng) {
  if (g.PlayerToPlay && g.PlayerTurnOpen && g.DiscardCount > 0 && rng() % 2)
    g.PicCards_MouseDown(g.UpCard);
  for (int r = RankAce; r <= RankKing && g.PlayerToPlay && g.PlayerHasDrawn; ++r) {
    const MeldItems& m = g.MeldInfo[Human][r];
    if (r == RankTwo || r == RankBlackThree || !m.Started) continue;
    const bool more = m.Count < 3 || (g.MinMeldMet[Human] && rng() % 3 == 0);
    for (int c = 1; c <= CardCount && more; ++c)
      if (g.Cards[c].Place == PlaceHumanHand && g.Cards[c].Rank == r) g.PicCards_MouseDown(c);
    if (m.Count >= 3 && !(g.MinMeldMet[Human] && rng() % 4 == 0)) continue;
    int wild = FirstWildCard;
    while (wild < LastWildCard && g.Cards[wild].Place != PlaceHumanHand) ++wild;
    if (g.Cards[wild].Place != PlaceHumanHand) continue;
    g.PicCards_MouseDown(wild);
    g.LblHeadings_Click(r);
  }
}

// A click on something the table shows, as a hurried player might make it.
void RandomClick(Game& g, std::mt19937_64& rng) {
  const int kind = static_cast<int>(rng() % 8);
  if (kind < 5) {
    const int c = 1 + static_cast<int>(rng() % CardCount);
    if (g.Table.PicCards[c].Visible) g.PicCards_MouseDown(c);
  } else if (kind == 5) {
    g.LblHeadings_Click(MeldHeadings[rng() % MeldHeadings.size()].Rank);
  } else if (kind == 6) {
    if (g.Table.LblDiscarding.Visible) g.LblDiscarding_Click();
  } else if (g.Table.LblReturnPack.Visible) {
    g.LblReturnPack_Click();
  }
}

// The table's bookkeeping; the first rule found broken stops the game.
struct Checker {
  Game& g;
  PerPlayer<int> scores{};
  int hands = 0;
  bool handCounted = false;

  // The human's turn as the table moves: cards drawn from the stock, red threes laid
  // down and cards discarded since the turn began.
  bool inTurn = false;
  int drawn = 0, redThrees = 0, discarded = 0, tookTop = 0, fromPile = 0;
  std::array<int, CardCount + 1> places{};

  void Check(bool kept, const char* rule) {
    if (!kept) throw std::runtime_error(rule);
  }
  bool HumanTurn() const {
    return g.HandInPlay && g.PlayerToPlay &&
           (g.PlayerTurnOpen || g.PlayerHasDrawn || g.PlayerDiscarding);
  }
  void FollowTurn() {
    for (int c = 1; c <= CardCount; ++c) {
      const int from = places[c], to = g.Cards[c].Place;
      places[c] = to;
      if (!inTurn || from == to) continue;
      // A drawn card may already be melded or discarded when the table is next seen.
      drawn += from == PlaceStock;
      redThrees += to == PlaceHumanRedThree;
      discarded += from == PlaceHumanHand && to == PlacePile;
      tookTop += from == PlacePile && to == PlaceHumanMeld;
      fromPile += from == PlacePile && to != PlaceHumanMeld;
    }
    if (inTurn && !HumanTurn()) {
      // Every red three laid down, dealt with a taken pile or drawn, is replaced.
      const int fromStock = drawn - redThrees;
      Check(fromStock == 0 || fromStock == 2 || (g.StockCount == 0 && fromStock < 2),
            "a draw from the stock brought other than two cards");
      Check(discarded <= 1, "a turn discarded more than one card");
      Check(fromPile == 0 || tookTop > 0, "a pile came to the hand in a turn that did not take it");
    }
    if (inTurn != HumanTurn()) drawn = redThrees = discarded = tookTop = fromPile = 0;
    inTurn = HumanTurn();
  }

  void AtPause() {
    for (int c = 1; c <= CardCount; ++c) {
      const int p = g.Cards[c].Place;
      Check(p == PlaceHumanHand || p == PlaceRobotHand ||
                (p >= PlaceStock && p <= PlaceRobotRedThree),
            "a card has no place");
    }
    Check(g.Table.FramResults.Visible || g.GameScore == scores, "totals changed in a hand");
    FollowTurn();
  }
  // What the Expert promises beyond the table's rules, wherever it sits: whole melds,
  // a first meld that beats the minimum, the robot's seat's wild card limits there,
  // and going out only with a canasta.
  void ExpertKeepsItsRules(int p) {
    // The human's seat melds between its draw and its discard: look at the turn's ends.
    if (p == Human && g.PlayerToPlay && (g.PlayerHasDrawn || g.PlayerDiscarding)) return;
    bool melded = false;
    for (int r = 1; r <= 13; ++r) {
      const MeldItems& m = g.MeldInfo[p][r];
      const int naturals = m.Count - m.WildCount;
      melded = melded || m.Count > 0;
      Check(m.Count == 0 || m.Count >= 3, "the Expert left a meld of one or two cards");
      // The robot's seat's limits; the human's seat's own are checked for every player.
      Check(p == Human || (m.WildCount <= 3 && m.WildCount <= naturals),
            "the Expert broke a wild card limit");
    }
    if (g.Table.FramResults.Visible)
      Check(g.HandCount[p] > 0 || g.HasCanasta[p], "the Expert went out without a canasta");
    else
      Check(!melded || g.MinMeldMet[p], "the Expert melded without beating the minimum meld");
  }
  // The Expert's choices for seat p stay the same when the cards it cannot see,
  // the stock and the other hand, are dealt among them afresh.
  void ExpertIgnoresHiddenCards(int p, std::mt19937_64& rng) {
    ExpertPolicy expert;
    auto choose = [&] {
      const SeatView v = MakeSeatView(g, p);
      return std::tuple(v.MayTakePile() && expert.TakePile(v), expert.PlanMelds(v).Steps,
                        expert.Discard(v));
    };
    const auto chosen = choose();
    const auto cards = g.Cards;
    std::vector<int> hidden, places;
    for (int c = 1; c <= CardCount; ++c)
      if (const int at = g.Cards[c].Place;
          at == PlaceStock || at == (p == Human ? PlaceRobotHand : PlaceHumanHand))
        hidden.push_back(c), places.push_back(at);
    std::shuffle(places.begin(), places.end(), rng);
    for (size_t i = 0; i < hidden.size(); ++i) g.Cards[hidden[i]].Place = places[i];
    Check(choose() == chosen, "the Expert's choice changed with cards it cannot see");
    g.Cards = cards;
  }

  void AtIdle() {
    AtPause();
    // Cards and their points by place; melded cards and wild cards by player and column.
    constexpr int places = PlaceRobotRedThree + 1, columns = RankKing + 1;
    int n[places] = {}, points[places] = {}, count[3][columns] = {}, wild[3][columns] = {};
    for (int c = 1; c <= CardCount; ++c) {
      const CardRow& card = g.Cards[c];
      n[card.Place] += 1, points[card.Place] += card.Points;
      // The player whose meld holds the card, if any.
      const int p = card.Place == PlaceHumanMeld ? Human : card.Place == PlaceRobotMeld ? Robot : 0;
      Check(card.Rank == (p ? card.MeldColumn[p] : RankOfCard(c)) && card.Points == PointsOfCard(c),
            "a card has the wrong rank or points");
      Check(!IsRedThreeNumber(c) || card.Place > PlaceRobotHand, "a red three stays in a hand");
      if (p) count[p][card.MeldColumn[p]] += 1, wild[p][card.MeldColumn[p]] += IsWildCardNumber(c);
    }
    if (g.Table.FramResults.Visible) {  // the hand is over and scored
      if (std::exchange(handCounted, true)) return;
      Check(g.HandCount[Human] == 0 || g.HandCount[Robot] == 0 || g.StockCount == 0,
            "a hand was scored before it was over");
      Check(g.Sheet.Rows.size() == std::size_t(hands) + 1, "the score sheet misses a hand");
      for (int p : {Human, Robot}) {
        // The total grew by the hand, and the sheet's row for it agrees with the cards.
        const int melded = points[p == Human ? PlaceHumanMeld : PlaceRobotMeld];
        const SheetSide& s = g.Sheet.Rows.back().Sides[p];
        Check(g.GameScore[p] - scores[p] == melded + g.BonusPoints[p] + g.OutBonus[p] - points[p] &&
                  s.Melds == melded && s.Left == points[p] &&
                  s.Melds + s.Bonuses() - s.Left == s.HandTotal &&
                  s.HandTotal == g.GameScore[p] - scores[p] && s.GameTotal == g.GameScore[p],
              "the hand's score or its row on the sheet disagrees with the cards");
      }
      scores = g.GameScore;
      hands += 1;
      return;
    }
    handCounted = false;
    Check(g.StockCount == n[PlaceStock] && g.DiscardCount == n[PlacePile], "a count disagrees");
    for (int p : {Human, Robot}) {
      Check(g.HandCount[p] == n[p] && g.HandPoints[p] == points[p], "a hand count disagrees");
      for (int r = RankAce; r <= RankKing; ++r) {
        const MeldItems& m = g.MeldInfo[p][r];
        Check(m.Count == count[p][r] && m.Started == (count[p][r] > 0) &&
                  m.WildCount == wild[p][r] && (m.WildMark > 0) == (wild[p][r] > 0),
              "a meld disagrees with its column");
      }
    }
    // The human may add a wild card only while the naturals still outnumber them.
    for (int r = RankAce; r <= RankKing; ++r)
      Check(wild[Human][r] == 0 || 2 * wild[Human][r] < count[Human][r],
            "a meld of the human holds as many wild cards as naturals");
  }
};

// A running FNV-1a hash of everything the player could see or hear, kept hand by hand:
// each game is written as the hashes of its hands and of its end, folded to 32 bits.
struct Signature {
  static constexpr std::uint64_t Start = 14695981039346656037ull;
  std::uint64_t hash = Start;
  std::string game;                      // the hands of the game in play so far
  std::vector<std::string> games;        // every game played, in seed order
  std::size_t messages = 0, sounds = 0;  // of the host's, those hashed already

  void Add(std::int64_t n) {
    for (int i = 0; i < 8; ++i, n >>= 8) hash = (hash ^ (n & 0xFF)) * 1099511628211ull;
  }
  void Add(const std::string& text) {
    for (unsigned char ch : text) hash = (hash ^ ch) * 1099511628211ull;
    Add(static_cast<std::int64_t>(text.size()));
  }
  // The messages shown and the sounds started since last asked.
  void AddHeard(const ScriptedHost& host) {
    for (; messages < host.messages.size(); ++messages)
      Add(host.messages[messages].Title + "|" + host.messages[messages].Message);
    for (; sounds < host.sounds.size(); ++sounds) Add(host.sounds[sounds]);
  }
  void EndHand() {
    char word[10];
    std::snprintf(word, sizeof word, "%08x", static_cast<std::uint32_t>(hash ^ (hash >> 32)));
    game += (game.empty() ? "" : " ") + std::string(word);
    hash = Start;
  }
  void EndGame(const ScriptedHost& host) {
    AddHeard(host);
    EndHand();
    games.push_back(std::exchange(game, {}));
    messages = sounds = 0;
  }
  // Every card picture at a pause, with the pause's length and the status line.
  void AddPause(const Game& g) {
    Add(g.Delay);
    Add(g.Table.LblGenInfo.Caption);
    for (int c = 1; c <= CardCount; ++c) {
      const CardPicture& pic = g.Table.PicCards[c];
      Add(g.Cards[c].Place), Add(pic.Left), Add(pic.Top), Add(pic.Image), Add(pic.Visible);
      Add(pic.BorderStyle), Add(pic.ZOrder);
    }
  }
  // Every label at a wait for a click.
  void AddLabels(const Game& g) {
    const TableModel& t = g.Table;
    auto label = [&](const Label& l) {
      Add(l.Caption + "|" + l.ToolTip);
      Add(l.Visible), Add(l.BackColor);
    };
    for (const Label* l :
         {&t.LblGenInfo, &t.LblMinMeld, &t.LblTargetScore, &t.LblPointsHand, &t.LblStock,
          &t.LblDiscard, &t.LblDiscarding, &t.LblReturnPack, &t.lblInfoScores, &t.LblP, &t.LblB})
      label(*l);
    for (const auto* row :
         {&t.LblNames, &t.LblGameScore, &t.LblHandScore, &t.LblMeldScore, &t.LblBonusScore,
          &t.CardPoints, &t.RThreesPoints, &t.MixedCans, &t.PureCans, &t.OutFirst, &t.MinusPoints,
          &t.PointsTotal, &t.LblGamePoints})
      for (int p = 1; p <= 2; ++p) label((*row)[p]);
    for (int i = 1; i <= 14; ++i) label(t.lblMelds[i]), label(t.lblMeldsC[i]);
    Add(t.Caption), Add(t.Shape1.BorderColor), Add(t.FramResults.Visible), Add(t.MnuPlayEnabled);
  }
};

struct Play {
  bool randomClicks = false;
  int expertSeat = 0;         // the seat the Expert plays, if any; the other keeps its usual player
  bool classicHuman = false;  // the Classic robot's rules play the human's seat
  Signature* signature = nullptr;
};

// Plays one game to its end, adds its hands to `hands` and returns what broke, or an
// empty text. With a signature, adds to it what the player saw and heard.
std::string PlayOneGame(std::uint64_t seed, int& hands, const Play& play) {
  ScriptedHost host(seed);
  // A folder of its own: no player file of an earlier game or another run comes in.
  const auto folder =
      std::filesystem::path(::testing::TempDir()) / ("larkspur-soak-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  host.folder = folder.string();
  host.maxEventWaits = 100'000;
  host.answerMessage = ScriptedHost::ExitAtGameOver;
  Game game(host);
  SimplePolicy simple(seed * 7919 + 1);
  ExpertPolicy expert;
  ClassicPolicy classic;
  HumanSeat human(game, play.expertSeat == Human ? static_cast<Policy&>(expert)
                        : play.classicHuman      ? static_cast<Policy&>(classic)
                                                 : simple);
  if (play.expertSeat == Robot) game.ChooseRobot(RobotPlay::Expert);
  std::mt19937_64 rng(seed * 7919 + 1), shuffle(seed);
  Checker check{game};
  int handsSigned = 0;
  host.onIdle = [&] {
    check.AtIdle();
    if (play.signature) {
      play.signature->AddHeard(host);
      play.signature->AddLabels(game);
      if (check.hands > handsSigned) play.signature->EndHand(), handsSigned = check.hands;
    }
    for (int k = play.randomClicks ? static_cast<int>(rng() % 4) : 0; k > 0; --k) {
      RandomClick(game, rng);
      check.AtIdle();
    }
    if (play.expertSeat) check.ExpertKeepsItsRules(play.expertSeat);
    if (play.expertSeat && seed % 50 == 1) check.ExpertIgnoresHiddenCards(play.expertSeat, shuffle);
    if (play.expertSeat != Human && !play.classicHuman) PlayBolder(game, rng);
    human.Act();
  };
  // All a click could change: the turn, the chosen card, the cards, the melds and the status.
  auto table = [&] {
    std::vector<int> t{game.PlayerToPlay, game.PlayerTurnOpen, game.PlayerHasDrawn,
                       game.PlayerDiscarding, game.WildChosen};
    for (int c = 1; c <= CardCount; ++c)
      t.insert(t.end(), {game.Cards[c].Place, game.Cards[c].Rank});
    for (int p : {Human, Robot})
      for (const MeldItems& m : game.MeldInfo[p]) t.insert(t.end(), {m.Count, m.WildCount});
    return std::pair(t, game.Table.LblGenInfo.Caption);
  };
  host.onPause = [&] {
    check.AtPause();
    if (play.randomClicks && rng() % 3 == 0) {
      // A click that lands while a card is in flight must change nothing at all.
      const auto before = table();
      RandomClick(game, rng);
      check.Check(table() == before, "a click inside a pause acted");
      check.AtPause();
    }
    if (play.signature) play.signature->AddHeard(host), play.signature->AddPause(game);
  };
  std::string failure;
  try {
    game.Form_Load();
    game.MnuNew_Click();
    if (!host.ended) failure = "the game did not end";
  } catch (const std::exception& e) {  // a broken rule, or a wait for a click that never comes
    failure = e.what();
  }
  hands += check.hands;
  if (play.signature) play.signature->EndGame(host);
  std::filesystem::remove_all(folder);
  return failure;
}

// Plays `games` games from seed `first` on, each to its end with no rule broken; a game
// to 5000 takes a few hands, far more would mean hands that end at once.
int PlayGames(int first, int games, const Play& play) {
  int hands = 0;
  for (int seed = first; seed < first + games; ++seed) {
    const std::string failure = PlayOneGame(seed, hands, play);
    if (!failure.empty()) {
      ADD_FAILURE() << "seed " << seed << ": " << failure;
      break;
    }
  }
  EXPECT_TRUE(hands >= games && hands <= 10 * games) << hands << " hands";
  return hands;
}

// LARKSPUR_SOAK_GAMES, when set, says how many games a soak plays; a value that is not a
// whole number fails the soak rather than playing none.
int GamesToPlay(int normal) {
  const char* env = std::getenv("LARKSPUR_SOAK_GAMES");
  int games = normal;
  if (env == nullptr || ReadCount(env, games)) return games;
  ADD_FAILURE() << "LARKSPUR_SOAK_GAMES is not a whole number of games: \"" << env << '"';
  return 0;
}

TEST(Soak, CountsAreWholeNumbersOrRefused) {
  for (const char* refused : {"", "abc", "-3", "+3", "3 ", "1e3", "99999999999"}) {
    int count = 7;
    EXPECT_FALSE(ReadCount(refused, count)) << '"' << refused << '"';
    EXPECT_EQ(count, 7) << '"' << refused << '"';
  }
  int count = 0;
  EXPECT_TRUE(ReadCount("0120", count));
  EXPECT_EQ(count, 120);
}

TEST(Soak, WholeGamesKeepTheTableConsistent) {
  PlayGames(1, GamesToPlay(550), {});
}

// The Expert on either seat keeps every rule the checker knows, and its own, whatever the
// cards it cannot see; so do the Classic robot's rules on the human's seat against it.
TEST(Soak, PoliciesOnEitherSeatBreakNoRule) {
  for (const Play& play : {Play{.expertSeat = Human}, Play{.expertSeat = Robot},
                           Play{.expertSeat = Robot, .classicHuman = true}}) {
    SCOPED_TRACE(play.classicHuman ? "Classic on the human's seat"
                                   : "Expert's seat " + std::to_string(play.expertSeat));
    PlayGames(5001, GamesToPlay(550) / 3, play);
  }
}

TEST(Soak, RandomClicksAtRandomMomentsBreakNoRule) {
  PlayGames(1001, GamesToPlay(300), {.randomClicks = true});
}

// The golden signature of play: forty seeded games, everything the player saw and
// heard hashed hand by hand (the last word of a game is its end, after the last hand).
// Any change of behaviour changes a hash, and the failure names the first game and
// hand that differ; a change that alters play on purpose updates the table in the same
// commit and says why. The scripted player's choices go through
// std::uniform_int_distribution, whose numbers differ between standard libraries: built
// with another than libstdc++, record the table anew.
TEST(Soak, GoldenSignatureOfPlay) {
  static const char* const golden[] = {
      "c835b515 c2ac353c 2c9c78dd 530cc99a 20e57d96 64690364",
      "b8de59fa d9f2feb3 d4061195 b7ba1a89",
      "2ded1dd4 c98bc9ad a3c33cf1 0890dbdb e4b08d1e",
      "cae5aedb 3ca9d6f4 ef82c3e7 8c5ed23e 5f36651a",
      "3c017298 3400c3d1 7c9723c0 2cfb321a",
      "423225db 74933d76 3f0095e5 b94685ca cf33f930 349ce579",
      "c737dc8c f7e67265 e1a010e9",
      "3d0feeda e17a7b10 98dff9c7 4c74eaa7 a3d8e8de 42c838fa",
      "fcc4e14d 0184b135 cf307ef6 01c59a9e 915c8b41",
      "7e2f3c3f 7447534b 7d304c61 ad049ed9",
      "57647b52 75ea7b01 e9571fd1",
      "6e935194 99e9d1d9 65866a6f 278ccdde",
      "a9c74e03 b2865b94 e01909a4 57a673e3",
      "bfc27a25 c64b53f0 eced5414 6bbdd40c 29cecbe4",
      "f1e0050b 33bf2978 2739a174 be63cd70",
      "33addb01 3771e570 db5210a5 5913ce9e",
      "5ed304f1 da1366f9 78b3ecc8 70c62bf3",
      "5db6aed2 69091ee8 0455b8e8 1374ea9b 3dcff2fd",
      "28d70edb 54bbfe19 167043aa 1b6132ce",
      "1203df14 e11d2a0d a0e096d9 bf4674c6 ce1c31cd d75cc30b",
      "484301b2 91a95b76 0747a5c2 31dff984 0378ad58 5aec9382 12e2ab5e",
      "25ba3c8b d6c4ef8a 63367ede 3016229b d274024e",
      "375177bb 6be7aef2 b173bdab 749725cf bf61452c",
      "2e78ef49 1bb8d151 9596206d efd01c6c e5b8b0e0",
      "ec1a0963 e596bbd2 d12af036",
      "9285b24b 15b0c438 a201e50c 84754fcb",
      "8c316918 48c2c6a4 444a2c2b 9bc44d85 58679dcd c13b86d7",
      "dedc7be7 36fee563 64e5eef0 e101516d f604c6ec",
      "85ba7f0b 79d5789a d3c028bd 58744fb0",
      "d88be596 2d91ccc0 48639fe0 d6588c34 edf9bf45 37d518a4 914b601c",
      "49a46f36 399d0747 54c3525e 928f3fcb",
      "9e107e88 ebf0f51c 803d5aaa c927a131",
      "b49dab44 1e5bb9aa 5089552f 4eac930f",
      "172e22a4 bacfd443 48ac0179 2133cafc 9f194250",
      "27e9e1b5 b6895cf6 7d474d58 8243dde2 2dfd6939 af36898f",
      "0444cb9e e749b1d1 e6594371 0dd926eb",
      "e2fd8209 97948149 93664569 98d7c4e8",
      "e63f2c10 6e0e281f 19e775ec 331ea744 1c27d52b",
      "2965381d 3e64c2ec 9405d10e 71cade4d cab32e33",
      "d827e2c9 f84b737a 721935ff cd364559",
  };
  Signature signature;
  PlayGames(1, 40, {.signature = &signature});
  auto words = [](const std::string& line) {
    std::istringstream in(line);
    return std::vector<std::string>(std::istream_iterator<std::string>(in), {});
  };
  std::string table;
  for (const std::string& game : signature.games) table += "      \"" + game + "\",\n";
  for (std::size_t g = 0; g < signature.games.size(); ++g) {
    const auto played = words(signature.games[g]);
    const auto wanted = words(g < std::size(golden) ? golden[g] : "");
    if (played == wanted) continue;
    std::size_t hand = 0;
    while (hand < played.size() && hand < wanted.size() && played[hand] == wanted[hand]) ++hand;
    ADD_FAILURE() << "game " << g + 1 << " (seed " << g + 1 << ") first differs in "
                  << (hand + 1 < played.size() ? "hand " + std::to_string(hand + 1) : "its end")
                  << "; the table as played now:\n"
                  << table;
    return;
  }
  EXPECT_EQ(signature.games.size(), std::size(golden)) << table;
}

}  // namespace
