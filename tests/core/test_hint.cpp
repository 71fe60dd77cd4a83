// The hint followed click by click: the human's seat clicks exactly what each hint points
// at, through whole seeded games against the Classic robot and the Expert. Every hint
// points at something a click can use and the click acts; no turn goes round in a circle,
// gives cards back or pays a penalty; every sentence is true of the table it is said on,
// and what it promises for the turn comes true by the turn's end. LARKSPUR_SOAK_GAMES
// sets how many games (the soak runs 1,000 or more); the quick run plays fewer.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "TableFixture.h"
#include "harness/HumanSeat.h"
#include "policy/ExpertPolicy.h"
#include "policy/MasterPolicy.h"

using namespace larkspur;
using namespace larkspur::testing;
using namespace larkspur::testing::cards;

namespace {

// Games to play: the soak's count when one is given; a count that is not a number fails.
int GamesToPlay(int quick) {
  const char* env = std::getenv("LARKSPUR_SOAK_GAMES");
  if (env == nullptr) return quick;
  const std::string_view text(env);
  int games = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), games);
  if (error == std::errc() && end == text.data() + text.size() && games >= 0) return games;
  ADD_FAILURE() << "LARKSPUR_SOAK_GAMES is not a number of games: \"" << text << "\"";
  return 0;
}

void ClickOn(Game& g, const TableTarget& t) {
  if (t.What == TableTarget::Heading) return g.LblHeadings_Click(t.Index);
  if (t.What == TableTarget::DiscardLabel) return g.LblDiscarding_Click();
  if (t.What == TableTarget::ReturnLabel) return g.LblReturnPack_Click();
  if (t.What != TableTarget::None) g.PicCards_MouseDown(t.Index);
}

// All a click could change, hashed: the turn's phase, the chosen card, the cards and the
// melds.
std::uint64_t TableNow(const Game& g) {
  std::uint64_t hash = 14695981039346656037ull;
  auto add = [&](int n) { hash = (hash ^ static_cast<std::uint32_t>(n)) * 1099511628211ull; };
  for (int n : {g.PlayerToPlay, g.PlayerTurnOpen, g.PlayerHasDrawn, g.PlayerDiscarding}) add(n);
  add(g.WildChosen);
  for (int c = 1; c <= CardCount; ++c) add(g.Cards[c].Place), add(g.Cards[c].Rank);
  for (const MeldItems& m : g.MeldInfo[Human]) add(m.Count), add(m.WildCount);
  return hash;
}

// What a turn's hints promised, checked when the turn ends.
struct Promises {
  bool firstMeld = false, goOut = false;
  std::set<int> canastas;
};

// A sentence said, with what it is checked against: the table as the human sees it, the
// element the hint points at and the words matched; the check notes what it promises.
struct Said {
  Game& g;
  SeatView v;
  TableTarget at;
  std::smatch m;
  Promises& p;

  int R(int i) const {  // the rank code of a card named in the sentence ("sixes", "joker")
    static const char* const words[] = {
        "",      "ace",  "two", "black three", "four",  "five", "six",       "seven",
        "eight", "nine", "ten", "jack",        "queen", "king", "red three", "joker"};
    for (int r = RankAce; r <= RankJoker; ++r)
      if (m[i] == words[r] || m[i] == words[r] + std::string(r == RankSix ? "es" : "s")) return r;
    return 0;
  }
  int N(int i) const {  // a number in it, in figures or words
    static const std::map<std::string, int> words{{"two", 2},  {"three", 3}, {"four", 4},
                                                  {"five", 5}, {"six", 6},   {"seven", 7}};
    const auto word = words.find(m[i]);
    return word != words.end() ? word->second : std::atoi(std::string(m[i]).c_str());
  }
  int Up() const { return v.UpCard ? RankOfCard(v.UpCard) : 0; }
  int Wilds() const { return v.HandRank[RankTwo] + v.HandRank[RankJoker]; }
  int Pile() const { return v.DiscardCount(); }
  bool Met() const { return v.MinMeldMet[Human]; }
  // The hint points at a card of this rank, or at this rank's heading.
  bool At(int rank) const {
    return at.What == TableTarget::Heading ? at.Index == rank : RankOfCard(at.Index) == rank;
  }
  bool OpenForRobot() const {
    return v.MinMeldMet[Robot] && std::none_of(v.Pile.begin(), v.Pile.end(), IsWildCardNumber);
  }
  bool MayAddWild(int r) const {
    const MeldItems& meld = v.Melds[Human][r];
    return meld.Started && meld.WildCount + 1 < meld.Count - meld.WildCount;
  }
};

struct SentenceKind {
  SentenceKind(const char* name, const std::string& words, std::function<bool(Said&)> holds)
      : name(name),
        start(words.substr(0, words.find_first_of("\\([.*+?|{"))),
        words(words),
        holds(std::move(holds)) {}
  const char* name;
  std::string start;  // the words up to the first that vary, to pass over other kinds quickly
  std::regex words;
  std::function<bool(Said&)> holds;
};

const std::string Ranks = "(aces|fours|fives|sixes|sevens|eights|nines|tens|jacks|queens|kings)",
                  Rank = "(ace|four|five|six|seven|eight|nine|ten|jack|queen|king)",
                  Card =
                      "(ace|two|black three|four|five|six|seven|eight|nine|ten|jack|queen|"
                      "king|joker)",
                  Wild = "(two|joker)", Cards = "([0-9]+) cards?", Why = ": (.*)",
                  Take = "take the discard pile: ", Draw = "draw two cards from the stock: ";

const std::vector<SentenceKind>& Sentences() {
  static const std::vector<SentenceKind> kinds{
      {"take: melded", Take + "you have melded " + Ranks + " and it holds " + Cards,
       [](Said& s) {
         return s.Up() == s.R(1) && s.v.Started(Human, s.R(1)) && s.Pile() == s.N(2);
       }},
      {"take: a pair",
       Take + "you hold ([a-z0-9]+) " + Ranks + "( for your first meld)? and it holds " + Cards,
       [](Said& s) {
         s.p.firstMeld = s.m[3].matched;
         return s.Up() == s.R(2) && s.v.HandRank[s.R(2)] == s.N(1) && s.N(1) >= 2 &&
                s.Met() != s.m[3].matched && s.Pile() == s.N(4);
       }},
      {"take: one and a wild card",
       Take + "(?:a|an) " + Rank + " and a wild card take it and it holds " + Cards,
       [](Said& s) {
         return s.Up() == s.R(1) && s.v.HandRank[s.R(1)] == 1 && s.Wilds() > 0 &&
                !s.v.Started(Human, s.R(1)) && s.Pile() == s.N(2);
       }},
      {"draw: no pile", Draw + "the discard pile is empty", [](Said& s) { return s.Pile() == 0; }},
      {"draw: blocked", Draw + "a black three blocks the discard pile",
       [](Said& s) { return s.Up() == RankBlackThree; }},
      {"draw: may not take", Draw + "you cannot take the discard pile now",
       [](Said& s) { return !s.g.MayTakePile(Human); }},
      {"draw: too few cards", Draw + "taking the pile would leave you too few cards to play on",
       [](Said& s) {
         const int held = s.v.HandRank[s.Up()];
         const int laid = held + (held == 1 && !s.v.Started(Human, s.Up()));
         return s.g.MayTakePile(Human) && s.v.HandCount[Human] - laid + s.Pile() - 1 < 2;
       }},
      {"draw: no first meld", Draw + "taking the pile would not make your first meld this turn",
       [](Said& s) { return s.g.MayTakePile(Human) && !s.Met(); }},
      {"draw: not worth a wild card", Draw + "a pile of " + Cards + " is not worth a wild card",
       [](Said& s) {
         return s.v.HandRank[s.Up()] == 1 && !s.v.Started(Human, s.Up()) && s.Pile() == s.N(1);
       }},
      {"draw: the stock brings more",
       Draw + "a pile of " + Cards + " would bring you less than two cards from the stock",
       [](Said& s) { return s.g.MayTakePile(Human) && s.Pile() == s.N(1); }},
      {"draw: the turn would not end well", Draw + "the stock is the better draw this time",
       [](Said& s) { return s.g.MayTakePile(Human); }},
      {"meld: a new meld", "meld your " + Ranks + Why,
       [](Said& s) {
         const int r = s.R(1), held = s.v.HandRank[r];
         return s.At(r) && !s.v.Started(Human, r) && (held >= 3 || (held == 2 && s.Wilds() > 0));
       }},
      {"meld: lay one on", "lay your " + Rank + " on your " + Ranks + Why,
       [](Said& s) { return s.R(1) == s.R(2) && s.At(s.R(1)) && s.v.Started(Human, s.R(1)); }},
      {"meld: a wild card", "add the " + Wild + " to your " + Ranks + Why,
       [](Said& s) { return s.At(s.R(1)) && s.MayAddWild(s.R(2)); }},
      {"meld: its heading", "click the heading of your " + Ranks + Why,
       [](Said& s) {
         const int wild = s.g.WildChosen;
         return s.At(s.R(1)) && s.MayAddWild(s.R(1)) && wild &&
                s.g.Cards[wild].Place == PlaceHumanHand;
       }},
      {"return cards",
       "click Return Cards: your melds cannot stand as they are(, and the pile's top card goes "
       "back for 50 points)?",
       [](Said& s) {
         bool top = false;
         for (int c = 1; c <= CardCount; ++c)
           top = top || (s.g.Cards[c].Place == PlaceHumanMeld && s.g.Cards[c].FromDiscard);
         return (!s.g.MeldsComplete(Human) || (!s.Met() && s.v.MeldPoints[Human] > 0)) &&
                s.m[1].matched == (top && !s.Met());
       }},
      {"discard label", "click the Discard label: nothing more is worth melding now",
       [](Said& s) {
         return s.g.MeldsComplete(Human) && (s.Met() || s.v.MeldPoints[Human] == 0) &&
                (s.v.HasCanasta[Human] || s.v.Hand.size() > 1);
       }},
      {"discard: going out", "discard the " + Card + ": it is your last card and you go out",
       [](Said& s) { return s.At(s.R(1)) && s.v.Hand.size() == 1 && s.v.HasCanasta[Human]; }},
      {"discard: a black three",
       "discard the black three: a black three blocks the pile for your opponent",
       [](Said& s) { return s.At(RankBlackThree); }},
      {"discard: the robot close to out",
       "discard the " + Wild +
           ": your opponent is close to going out and it would count against you",
       [](Said& s) { return s.At(s.R(1)) && s.v.HandCount[Robot] <= 3; }},
      {"discard: the stock nearly out",
       "discard the " + Wild + ": the stock is down to " + Cards +
           ", and it would count against you",
       [](Said& s) { return s.At(s.R(1)) && s.v.StockCount == s.N(2); }},
      {"discard: freezing the pile",
       "discard the " + Wild + ": it freezes the pile, and your opponent cannot take it",
       [](Said& s) { return s.At(s.R(1)) && s.OpenForRobot(); }},
      {"discard: on a frozen pile",
       "discard the " + Wild +
           ": the pile is frozen already, and with a wild card on top your opponent cannot take it",
       [](Said& s) { return s.At(s.R(1)) && !s.OpenForRobot(); }},
      {"discard: a rank thrown away",
       "discard the " + Card + ": your opponent threw " + Ranks +
           " away and is not collecting them",
       [](Said& s) {
         return s.R(1) == s.R(2) && s.At(s.R(1)) && s.v.Record.DiscardedSinceTake(Robot, s.R(1));
       }},
      {"discard: unlikely taken",
       "discard the " + Card + ": your opponent is unlikely to take the pile with it",
       [](Said& s) { return s.At(s.R(1)) && !(s.OpenForRobot() && s.v.Started(Robot, s.R(1))); }},
      {"discard: best spared", "discard the " + Card + ": it is the card you can best spare",
       [](Said& s) { return s.At(s.R(1)); }},
      {"discard: a last card kept",
       "click your last card: without a canasta you cannot discard it, and your turn passes",
       [](Said& s) { return s.v.Hand.size() == 1 && !s.v.HasCanasta[Human]; }},
  };
  return kinds;
}

// Why a card is melded, said after the melding sentence's colon.
const std::vector<SentenceKind>& Reasons() {
  static const std::vector<SentenceKind> kinds{
      {"why: going out", "with this turn's melds you can go out, and going out pays now",
       [](Said& s) {
         s.p.goOut = true;
         return true;
       }},
      {"why: the first meld",
       "with the rest of this turn's melds it makes your first meld of more than ([0-9]+)",
       [](Said& s) {
         s.p.firstMeld = true;
         return !s.Met() && s.v.Requirement[Human] == s.N(1);
       }},
      {"why: a whole meld", "your " + Ranks + " need three cards before you can discard",
       [](Said& s) { return s.v.Started(Human, s.R(1)) && s.v.Melds[Human][s.R(1)].Count < 3; }},
      {"why: a canasta", "it makes a canasta of " + Ranks,
       [](Said& s) {
         s.p.canastas.insert(s.R(1));
         return s.v.Melds[Human][s.R(1)].Count < 7;
       }},
      {"why: more points", "every card laid scores and brings a canasta nearer",
       [](Said& s) { return s.Met(); }},
  };
  return kinds;
}

// What a run found wrong, by kind, with the first few sentences at fault to show.
struct Faults {
  std::map<std::string, int> count;
  std::vector<std::string> examples;
  void Add(const std::string& what, const std::string& text = "") {
    count[what] += 1;
    if (!text.empty() && examples.size() < 10) examples.push_back(what + ": \"" + text + "\"");
  }
};

// An article or a count that does not fit its word: "a ace", "an seven", "1 cards", "2 card".
bool BadGrammar(const std::string& text) {
  std::istringstream in(text);
  std::string last, word;
  while (in >> word) {
    while (!word.empty() && std::ispunct(static_cast<unsigned char>(word.back()))) word.pop_back();
    const bool vowel = std::string_view("aeiou").find(word[0]) != std::string_view::npos;
    const bool count = std::isdigit(static_cast<unsigned char>(last[0]));
    if ((last == "a" && vowel) || (last == "an" && !vowel) ||
        (count && (word == "card" || word == "cards") && (last == "1") != (word == "card")))
      return true;
    last = word;
  }
  return false;
}

// Checks a sentence as the status line shows it after the player's name: its grammar, its
// kind and claim, and for a melding sentence its reason. Counts the kinds said.
void CheckSentence(Game& g, const TableTarget& at, Promises& p, Faults& faults,
                   std::map<std::string, int>& said) {
  const std::string& caption = g.Table.LblGenInfo.Caption;
  std::string text = caption.substr(std::min(caption.size(), g.PlayerName.size() + 2));
  if (BadGrammar(text)) faults.Add("a grammar fault", text);
  if (text.empty() || text.back() != '.') return faults.Add("an unknown sentence", text);
  Said s{g, MakeSeatView(g, Human), at, {}, p};
  for (const auto* kinds : {&Sentences(), &Reasons()}) {
    const std::string words = text.substr(0, text.size() - 1);  // without its full stop
    const auto kind = std::find_if(kinds->begin(), kinds->end(), [&](const SentenceKind& k) {
      return words.compare(0, k.start.size(), k.start) == 0 &&
             std::regex_match(words, s.m, k.words);
    });
    if (kind == kinds->end()) return faults.Add("an unknown sentence", caption);
    said[kind->name] += 1;
    if (!kind->holds(s)) faults.Add(std::string("a false sentence, ") + kind->name, caption);
    if (std::string_view(kind->name).substr(0, 5) != "meld:") return;
    text = std::string(s.m[s.m.size() - 1]) + ".";  // its reason, checked next
  }
}

struct Tally {
  int games = 0, finished = 0, wins = 0, turns = 0, hints = 0;
  Faults faults;
  std::map<std::string, int> said;  // sentences by kind
};

// The human's seat played by following the hint. A turn in which the hint fails (no hint,
// not clickable, no effect, a circle) is finished by the Expert's seat instead, so that
// the game goes on and the fault counts once.
class HintFollower {
 public:
  HintFollower(Game& game, ScriptedHost& host, Tally& tally, bool checkHonesty)
      : g_(game), host_(host), tally_(tally), seat_(game, expert_), honesty_(checkHonesty) {}

  void Act() {
    if (g_.Table.FramResults.Visible) return g_.cmdNew_Click();  // Carry On
    if (!g_.PlayerToPlay || !g_.HandInPlay) return;
    if (!inTurn_) {
      inTurn_ = true, expertFinishes_ = false, clicks_ = 0, promises_ = {};
      seen_ = {TableNow(g_)};
      tally_.turns += 1;
    }
    if (!expertFinishes_)
      FollowTheHint();
    else if (++clicks_ < 4 * MostClicks)
      seat_.Act();
    else
      throw std::runtime_error("the Expert's seat could not end a turn");
    if (g_.PlayerToPlay && g_.HandInPlay && !g_.Table.FramResults.Visible) return;
    inTurn_ = false;  // what the turn's hints promised has come true
    if (expertFinishes_) return;
    const bool kept = (!promises_.firstMeld || g_.MinMeldMet[Human]) &&
                      (!promises_.goOut || g_.HandCount[Human] == 0) &&
                      std::all_of(promises_.canastas.begin(), promises_.canastas.end(),
                                  [&](int r) { return g_.MeldInfo[Human][r].Count >= 7; });
    if (!kept) tally_.faults.Add("a promise the turn did not keep");
  }

 private:
  static constexpr int MostClicks = 120;  // far more than any turn's melds need

  void Fault(const std::string& what) {
    tally_.faults.Add(what);
    expertFinishes_ = true;
  }

  // The hint, planned afresh, is the same when the cards the human cannot see (the stock
  // and the robot's hand) are dealt among them anew; the stock's top card is any card.
  void CheckHonesty() {
    const HintPlan plan = g_.PlannedHints;
    const auto cards = g_.Cards;
    auto fresh = [&] { return g_.PlannedHints = {}, g_.HumanHint(); };
    const HintAdvice hint = fresh();
    std::vector<int> hidden, places;
    for (int c = 1; c <= CardCount; ++c)
      if (const int at = g_.Cards[c].Place; at == PlaceStock || at == PlaceRobotHand)
        hidden.push_back(c), places.push_back(at);
    std::shuffle(places.begin(), places.end(), shuffle_);
    for (std::size_t i = 0; i < hidden.size(); ++i) g_.Cards[hidden[i]].Place = places[i];
    const HintAdvice anew = fresh();
    g_.Cards = cards, g_.PlannedHints = plan;
    if (hint.Text != anew.Text || hint.Target.What != anew.Target.What ||
        (hint.Target.What != TableTarget::Stock && hint.Target != anew.Target))
      tally_.faults.Add("a hint that changes with cards the human cannot see", hint.Text);
  }

  void FollowTheHint() {
    if (honesty_) CheckHonesty();
    const std::vector<TableTarget> clickable = g_.ClickableNow();
    const std::uint64_t before = TableNow(g_);
    g_.MnuHint_Click();
    const TableTarget hint = g_.Table.HintTarget;
    const std::string said = g_.Table.LblGenInfo.Caption;
    tally_.hints += 1;
    if (hint.What == TableTarget::None) return Fault("no hint while the human moves");
    if (std::find(clickable.begin(), clickable.end(), hint) == clickable.end())
      return Fault("a hint at what a click cannot use");
    CheckSentence(g_, hint, promises_, tally_.faults, tally_.said);
    if (hint.What == TableTarget::ReturnLabel) tally_.faults.Add("a hint to give cards back");
    const std::size_t messages = host_.messages.size();
    ClickOn(g_, hint);
    for (std::size_t i = messages; i < host_.messages.size(); ++i) {
      if (host_.messages[i].Title == "Cards taken back") tally_.faults.Add("a penalty");
      if (host_.messages[i].Title == "Cannot Discard") tally_.faults.Add("a turn with no discard");
    }
    const std::uint64_t after = TableNow(g_);
    if (after == before) return Fault("a hint whose click does nothing");
    if (!seen_.insert(after).second || ++clicks_ > MostClicks) return Fault("a circle");
    // Planned afresh after any click of the plan, the first meld it promised is still made.
    if (promises_.firstMeld && g_.PlayerHasDrawn && !g_.MinMeldMet[Human] &&
        !expert_.PlanMelds(MakeSeatView(g_, Human)).FirstMeld)
      tally_.faults.Add("a first meld lost from sight after a click", said);
    if (g_.PlayerToPlay && g_.HandInPlay && g_.Table.LblGenInfo.Caption == said)
      tally_.faults.Add("a hint's sentence that outlives its move");
  }

  Game& g_;
  ScriptedHost& host_;
  Tally& tally_;
  ExpertPolicy expert_;
  HumanSeat seat_;
  bool honesty_, inTurn_ = false, expertFinishes_ = false;
  int clicks_ = 0;
  Promises promises_;
  std::set<std::uint64_t> seen_;
  std::mt19937_64 shuffle_{1};
};

// The hint's playouts a decision: the game's budget is costly for a thousand games, and
// a plan made with little search must hold all the same. LARKSPUR_HINT_BUDGET, in
// milliseconds, measures the hint at another budget (the game's is Game::HintBudgetMs).
int HintPlayouts() {
  const char* env = std::getenv("LARKSPUR_HINT_BUDGET");
  return env == nullptr ? 50 : MasterPolicy(std::max(1, std::atoi(env))).Playouts();
}

// One seeded game to its end with the hint on the human's seat and the Classic robot or
// the Expert on the robot's.
void PlayOneGame(std::uint64_t seed, bool expertRobot, Tally& tally) {
  ScriptedHost host(seed);
  const auto folder =
      std::filesystem::path(::testing::TempDir()) / ("larkspur-hint-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  host.folder = folder.string();
  host.answerMessage = [](const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; };
  Game game(host);
  if (expertRobot) game.ChooseRobot(RobotPlay::Expert);
  game.SetHintPlayouts(HintPlayouts());
  HintFollower human(game, host, tally, seed % 10 == 1);
  host.onIdle = [&] { human.Act(); };
  tally.games += 1;
  try {
    game.Form_Load();
    game.MnuNew_Click();
    tally.finished += 1;
    tally.wins += game.GameScore[Human] > game.GameScore[Robot];
  } catch (const std::exception& e) {
    tally.faults.Add(std::string("a game that could not end: ") + e.what());
  }
  std::filesystem::remove_all(folder);
}

TEST(Hint, FollowedClickByClickItEndsEveryTurnWellAndSaysOnlyWhatIsTrue) {
  const int games = GamesToPlay(100);
  for (const bool expertRobot : {false, true}) {
    Tally t;
    for (int g = expertRobot; g < games; g += 2) PlayOneGame(g + 1, expertRobot, t);
    std::printf("against %s: %d games, %d turns, %d hints; won %d of %d finished (%.1f %%)\n",
                expertRobot ? "the Expert" : "Classic", t.games, t.turns, t.hints, t.wins,
                t.finished, t.finished ? 100.0 * t.wins / t.finished : 0.0);
    for (const auto& [what, n] : t.faults.count) std::printf("  %s: %d\n", what.c_str(), n);
    for (const std::string& e : t.faults.examples) std::printf("    %s\n", e.c_str());
    for (const auto& [kind, n] : t.said) std::printf("  said %-32s %d\n", kind.c_str(), n);
    EXPECT_TRUE(t.faults.count.empty()) << (expertRobot ? "against the Expert" : "against Classic");
  }
}

// Three triples, sevens the richest, make the first meld: 25 + 15 + 15 beats 50 only
// with all three laid and every seven counted.
class HintTest : public TableTest {
 protected:
  void SevensFoursAndSixes() {
    EmptyTable();
    Put(PlaceHumanHand, {Seven, Seven + 1, Seven + 2, Seven + 3, Seven + 4, Four, Four + 1,
                         Four + 2, Six, Six + 1, Six + 2, King, Queen});
    Pile({Nine});
    HumanToMeld();
  }
};

// Whether the player follows every hint or melds some cards first, the hints go on from
// the table as it is, never give anything back and reach the discard with every card of
// the first meld laid; planned afresh at any click, the Expert still makes the first meld.
TEST_F(HintTest, AHeldPlanEndsInTheFirstMeldWhateverThePlayerClickedFirst) {
  for (const std::vector<int>& playerFirst :
       {std::vector<int>{}, {Seven + 4}, {Six, Six + 1, Six + 2}}) {
    SevensFoursAndSixes();
    for (int c : playerFirst) Click(c);
    HintAdvice hint = game.HumanHint();
    for (int click = 0; click < 20 && hint.Target.What == TableTarget::HandCard; ++click) {
      ClickOn(game, hint.Target);
      EXPECT_TRUE(game.MinMeldMet[Human] ||
                  ExpertPolicy().PlanMelds(MakeSeatView(game, Human)).FirstMeld)
          << hint.Text;
      hint = game.HumanHint();
    }
    EXPECT_EQ(hint.Text, "Click the Discard label: nothing more is worth melding now.");
    EXPECT_EQ(CountAt(PlaceHumanMeld), 11) << playerFirst.size() << " cards melded first";
  }
}

// Once the hinted move is made the hint's sentence gives way to what the turn asks for.
TEST_F(HintTest, ItsSentenceGivesWayOnceItsMoveIsMade) {
  SevensFoursAndSixes();
  game.MnuHint_Click();
  ASSERT_EQ(Status(),
            "Player  meld your sevens: with the rest of this turn's melds it makes "
            "your first meld of more than 50.");
  ClickOn(game, game.Table.HintTarget);
  EXPECT_EQ(Status(),
            "Player  click a card to meld it and when finished click big label above card and "
            "then 1 card to discard.");
}

}  // namespace
