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
#include "policy/MasterPolicy.h"

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
  // The choices of the Expert or the Master for seat p stay the same when the cards it
  // cannot see, the stock and the other hand, are dealt among them afresh.
  template <class Player>
  void IgnoresHiddenCards(int p, Player& player, std::mt19937_64& rng) {
    auto choose = [&] {
      const SeatView v = MakeSeatView(g, p);
      return std::tuple(v.MayTakePile() && player.TakePile(v), player.PlanMelds(v).Steps,
                        player.Discard(v));
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
    Check(choose() == chosen, "a choice changed with cards the seat cannot see");
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
// each game is written as the hashes of its hands and of its end, folded to 24 bits.
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
    char word[8];
    std::snprintf(word, sizeof word, "%06x", unsigned((hash ^ hash >> 24 ^ hash >> 48) & 0xFFFFFF));
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
  bool master = false;        // the Master instead of the Expert, with few playouts
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
  constexpr int masterPlayouts = 60;
  MasterPolicy master = MasterPolicy::WithPlayouts(masterPlayouts);
  Policy& strong = play.master ? static_cast<Policy&>(master) : expert;
  HumanSeat human(game, play.expertSeat == Human ? strong
                        : play.classicHuman      ? static_cast<Policy&>(classic)
                                                 : simple);
  if (play.expertSeat == Robot)
    game.ChooseRobot(play.master ? RobotPlay::Master : RobotPlay::Expert);
  if (play.master) game.SetMasterPlayouts(masterPlayouts);
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
    if (play.expertSeat && seed % 50 == 1) {
      if (play.master)
        check.IgnoresHiddenCards(play.expertSeat, master, shuffle);
      else
        check.IgnoresHiddenCards(play.expertSeat, expert, shuffle);
    }
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
// cards it cannot see; so do the Classic robot's rules on the human's seat against it, and
// the Master, which searches, in fewer games.
TEST(Soak, PoliciesOnEitherSeatBreakNoRule) {
  for (const Play& play :
       {Play{.expertSeat = Human}, Play{.expertSeat = Robot},
        Play{.expertSeat = Robot, .classicHuman = true}, Play{.expertSeat = Human, .master = true},
        Play{.expertSeat = Robot, .master = true}}) {
    SCOPED_TRACE(std::string(play.classicHuman ? "Classic on the human's seat"
                             : play.master     ? "Master's seat "
                                               : "Expert's seat ") +
                 std::to_string(play.expertSeat));
    PlayGames(5001, GamesToPlay(550) / (play.master ? 25 : 3), play);
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
  // Seeds 1 to 40, two games a line: each game the hashes of its hands, then of its end.
  static const char* const golden[] = {
      "602815 854daf 236650 446129 8500ab efee6b / fb8bb5 a776b7 bcf61c 90cac4",
      "f34ab0 746133 21ef63 7e37d1 1d1bc1 / ab3bca a27461 5b4456 df53b2 cadf03",
      "4e54cd 1e447c f30cf7 ac481b / 20319f 6923e6 170951 ce453b 00dde8 11a782",
      "09b21b 863aba 5145ac / e2af4b 0920d9 06ea95 bc02cb 57eef4 08cc8c",
      "f0fc98 7092e3 1acea3 1e2df3 4c5912 / c28414 c9f311 507444 cf5273",
      "314a61 415df9 a08858 / 32c3c9 33eba0 4366c3 981f3f",
      "f1b062 0eee1b 09a0fd fcfb66 / babd25 8a6ace e7a600 19a1b6 21d138",
      "cc3eed 0b5b8d 4974f6 7a140e / 8023e7 966025 f12ce1 1b7e7f",
      "c88636 d54dce 5102bc faa632 / bee7ce 5bb67b 104d5c a47dcf 0357a9",
      "1a3f0f 15a6bb 66bc55 af567f / 867529 1174be 9dc351 808d46 2c6361 762c19",
      "cb681b 895cc0 749bc8 746780 eb5633 72499c 172032 / 03b893 56dffe 808efb 7f5aba 0919fa",
      "e0511b 05cd18 262edc aa7ad9 bc2f24 / 6175e4 0f735f b3cc31 0cb3f0 f0dc21",
      "3e53f1 d004ce 5f97f5 / 23d518 8bc91b 9f60b5 6f362c",
      "1c8252 a32d66 5fd781 4217c2 103748 c91577 / 20338d f356eb 35f45e c99e8b 0431ed",
      "55716f 38c8be 558251 daa6af / a85fd7 ac1b07 727b5d 047143 c2a985 a9a95e c8cda3",
      "815267 eedfd5 60c63d c8ffde / 21e2bb 98d8b2 45858d 8fb445",
      "8b7934 6a162a 4be40c b463a9 / 135ef2 35b86f f85d39 051c3d 48d509",
      "fa2343 487ea3 db6094 a0c997 c01555 400ed1 / f3d83e 04448e 320bb4 88f061",
      "2db60f c8eeed bba7c5 827c9d / df5b61 b78b6b 2f9cd4 bd2f5c f883be",
      "c29338 d455f5 a0a749 dbe112 547747 / b6bbd9 62cf17 ea064d 870f6f",
  };
  using Words = std::vector<std::string>;
  auto words = [](const std::string& text) {
    std::istringstream in(text);
    return Words(std::istream_iterator<std::string>(in), {});
  };
  std::vector<Words> wanted;
  for (const std::string line : golden) {
    const std::size_t bar = line.find('/');
    wanted.push_back(words(line.substr(0, bar)));
    if (bar != std::string::npos) wanted.push_back(words(line.substr(bar + 1)));
  }
  Signature signature;
  PlayGames(1, 40, {.signature = &signature});
  const std::vector<std::string>& games = signature.games;
  std::string table;
  for (std::size_t g = 0; g < games.size(); ++g)
    table +=
        (g % 2 ? " / " : "\n      \"") + games[g] + (g % 2 || g + 1 == games.size() ? "\"," : "");
  for (std::size_t g = 0; g < games.size(); ++g) {
    const Words played = words(games[g]);
    const Words want = g < wanted.size() ? wanted[g] : Words{};
    if (played == want) continue;
    std::size_t hand = 0;
    while (hand < played.size() && hand < want.size() && played[hand] == want[hand]) ++hand;
    ADD_FAILURE() << "game " << g + 1 << " (seed " << g + 1 << ") first differs in "
                  << (hand + 1 < played.size() ? "hand " + std::to_string(hand + 1) : "its end")
                  << "; the table as played now:" << table;
    return;
  }
  EXPECT_EQ(games.size(), wanted.size()) << table;
}

}  // namespace
