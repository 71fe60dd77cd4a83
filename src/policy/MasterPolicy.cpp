#include "policy/MasterPolicy.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "sim/GameOdds.h"
#include "sim/SimPlay.h"
#include "sim/SimSample.h"

namespace larkspur {

namespace {

// A turn's melding is searched once, and again only when the table turns out
// otherwise than the plan expected (the rest of a taken pile came with the
// first meld); past this many searches in a turn the Expert melds.
constexpr int MostSearchesATurn = 3;
// The playouts play both seats far more simply than the Expert, so a small lead
// of another move over the Expert's is mostly their noise and their habits: it
// replaces the Expert's choice only when it wins the game this much more often.
//   build/release/larkspur-arena --games 200 --seed 1 --threads 1 master expert
// gave the Master 25.0 % with no margin, 52.5 % at 0.08 and 53.5 % at 0.12 (seed 2:
// 22.5 %, 41.5 % and 52.0 %).
constexpr double ExpertMargin = 0.12;
// Playouts between two of the window's turns, about this many milliseconds.
constexpr int BatchMs = 40;

// FNV-1a over everything a seat sees, so that the futures dealt for a position
// follow from the position alone (and the policy's seed).
class Hasher {
 public:
  void Add(std::int64_t n) {
    for (int i = 0; i < 8; ++i, n >>= 8) hash_ = (hash_ ^ (n & 0xFF)) * 1099511628211ull;
  }
  template <class List>
  void AddAll(const List& list) {
    for (auto n : list) Add(n);
    Add(-1);
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

std::uint64_t PositionSeed(const SeatView& v, SimPhase phase, int step, std::uint64_t seed) {
  Hasher h;
  h.Add(static_cast<std::int64_t>(seed));
  h.Add(v.Seat), h.Add(static_cast<int>(phase)), h.Add(step);
  h.AddAll(v.Hand), h.AddAll(v.Pile);
  h.Add(v.UpCard), h.Add(static_cast<int>(v.StateOfPile)), h.Add(v.StockCount);
  for (int p : {Human, Robot}) {
    h.Add(v.HandCount[p]), h.Add(v.RedThrees[p]), h.Add(v.GameScore[p]), h.Add(v.MinMeld[p]);
    h.Add(v.MinMeldMet[p]);
    for (const MeldItems& m : v.Melds[p]) h.Add(m.Count), h.Add(m.WildCount), h.Add(m.WildMark);
  }
  for (const PileNote& n : v.Record.Notes) h.Add(n.Player), h.Add(n.Card), h.Add(n.Taken);
  return h.Value();
}

// The seat's own side of the table: its hand and its melds.
std::vector<int> OwnSide(const SeatView& v) {
  std::vector<int> side(v.Hand);
  side.push_back(0);
  for (int r : rules::MeldRanks)
    side.insert(side.end(), {v.Melds[v.Seat][r].Count, v.Melds[v.Seat][r].WildCount});
  return side;
}
std::vector<int> OwnSide(const SimHand& h, int me) {
  std::vector<int> side;
  for (int c = 1; c <= CardCount; ++c)
    if (h.Place[c] == me) side.push_back(c);
  side.push_back(0);
  for (int r : rules::MeldRanks)
    side.insert(side.end(), {h.MeldInfo[me][r].Count, h.MeldInfo[me][r].WildCount});
  return side;
}

// Going out takes a canasta: a move that would meld the last card without one
// is never made, whatever a candidate plan made on a dealt hand would do.
bool OutWithoutCanasta(const SeatView& v, const MeldStep& move) {
  if (move.What != MeldStep::AllOfRank && move.What != MeldStep::Wild &&
      move.What != MeldStep::Natural)
    return false;
  const int cards = move.What == MeldStep::AllOfRank ? v.HandRank[move.Rank] : 1;
  const MeldItems& meld = v.Melds[v.Seat][move.Rank];
  return v.HandCount[v.Seat] <= cards && !v.HasCanasta[v.Seat] &&
         meld.Count + cards < rules::CanastaSize;
}

int LowestHeld(const SimHand& h, int me, int first, int last) {
  for (int c = first; c <= last; ++c)
    if (h.Place[c] == me) return c;
  return 0;
}
int LowestWild(const SimHand& h, int me) {
  return LowestHeld(h, me, FirstWildCard, LastWildCard);
}

// ---- The kinds of melding a turn's candidates are made of. Before the first
// meld every kind melds as the Expert does; after it they differ in how much
// goes down and how many cards stay in the hand.
enum class Melding {
  Expert,     // as the Expert plans it
  Least,      // only what must go down: melds made whole, the first meld
  Naturals,   // every natural that may go down, two cards kept
  Canastas,   // and wild cards towards canastas, two cards kept
  Everything  // everything that may go down, wild cards too: going out where it can
};
constexpr Melding Meldings[] = {Melding::Expert, Melding::Least, Melding::Naturals,
                                Melding::Canastas, Melding::Everything};

class MeldingSeat {
 public:
  explicit MeldingSeat(Melding kind) : kind_(kind) {}

  MeldStep Next(const SimHand& h) {
    const int me = h.Turn;
    const auto& melds = h.MeldInfo[me];
    const auto& held = h.HandRank[me];
    // A meld of one or two cards is made whole first.
    for (int r : rules::MeldRanks) {
      if (rules::MeldStands(melds[r])) continue;
      if (held[r] > 0) return {MeldStep::AllOfRank, r, 0};
      const int wild = LowestWild(h, me);
      if (wild != 0 && rules::MayAddWild(me, melds[r]) && rules::WildWithinNaturals(melds[r]))
        return {MeldStep::Wild, r, wild};
    }
    if (kind_ == Melding::Expert || !h.MinMeldMet[me]) {
      FillSeatView(h, me, view_);
      return expert_.NextMeld(view_, h.MeldStepNo);
    }
    if (kind_ == Melding::Least) return {};
    const int keep = kind_ == Melding::Everything ? 0 : 2;
    const int hand = h.HandCount[me];
    // Going out, or down to the last card, only with a canasta: without one the
    // last card cannot be discarded.
    auto leaves = [&](int cards, int rank) {
      const bool canasta =
          h.HasCanasta[me] || melds[rank].Count + hand - cards >= rules::CanastaSize;
      return cards >= keep && (cards >= 2 || canasta);
    };
    for (int r : rules::MeldRanks) {
      if (held[r] == 0 || (!melds[r].Started && held[r] < rules::MeldMinimum)) continue;
      if (leaves(hand - held[r], r)) return {MeldStep::AllOfRank, r, 0};
      if (melds[r].Started && leaves(hand - 1, r))
        return {MeldStep::Natural, r, LowestHeld(h, me, FirstCardOfRank(r), CardCount)};
    }
    if (kind_ == Melding::Naturals) return {};
    const int wild = LowestWild(h, me);
    if (wild == 0) return {};
    // A pair and a wild card start a meld.
    if (kind_ == Melding::Everything)
      for (int r : rules::MeldRanks)
        if (!melds[r].Started && held[r] == 2 && leaves(hand - 3, r))
          return {MeldStep::AllOfRank, r, 0};
    // Wild cards onto the meld nearest a canasta, never onto a pure canasta.
    int best = 0;
    for (int r : rules::MeldRanks) {
      const MeldItems& m = melds[r];
      const bool worth = kind_ == Melding::Everything
                             ? m.Count >= rules::MeldMinimum
                             : m.Count > rules::MeldMinimum && !rules::IsCanasta(m);
      if (!worth || (rules::IsCanasta(m) && rules::IsPure(m))) continue;
      if (!rules::MayAddWild(me, m) || !rules::WildWithinNaturals(m)) continue;
      if (best == 0 || m.Count > melds[best].Count) best = r;
    }
    if (best != 0 && leaves(hand - 1, best)) return {MeldStep::Wild, best, wild};
    return {};
  }

 private:
  Melding kind_;
  ExpertPolicy expert_;
  SeatView view_;
};

// The seat's own melding moves on a hand, until it is done.
void PlayMelding(SimHand& h, const std::vector<MeldStep>& steps) {
  const int me = h.Turn;
  for (const MeldStep& step : steps) {
    if (h.Phase != SimPhase::Meld || h.Turn != me) return;
    h.Meld(step);
  }
  if (h.Phase == SimPhase::Meld && h.Turn == me) h.Meld({});
}

}  // namespace

MasterPolicy::MasterPolicy(int budgetMs, std::uint64_t seed)
    : playouts_(std::max(1, budgetMs) * PlayoutsPerMs), seed_(seed) {}

MasterPolicy MasterPolicy::WithPlayouts(int playouts, std::uint64_t seed) {
  MasterPolicy master(1, seed);
  master.playouts_ = std::max(1, playouts);
  return master;
}

bool MasterPolicy::TakePile(const SeatView& v) {
  const bool expert = expert_.TakePile(v);
  if (!v.MayTakePile()) return expert;
  const int best = Search(v, SimPhase::Draw, 0, 2,
                          [&](SimHand& h, int option) { h.Draw(option == 0 ? expert : !expert); });
  return best == 0 ? expert : !expert;
}

int MasterPolicy::Discard(const SeatView& v) {
  if (v.Hand.size() <= 1) return v.Hand.empty() ? 0 : v.Hand.front();
  // One card of each kind: cards of a rank are alike, but a joker is not a two.
  std::vector<int> cards{expert_.Discard(v)};
  auto kind = [](int c) { return IsJokerNumber(c) ? 0 : RankOfCard(c); };
  for (int c : v.Hand)
    if (std::none_of(cards.begin(), cards.end(), [&](int d) { return kind(d) == kind(c); }))
      cards.push_back(c);
  const int best =
      Search(v, SimPhase::Discard, 0, static_cast<int>(cards.size()),
             [&](SimHand& h, int option) { h.Discard(cards[static_cast<std::size_t>(option)]); });
  return cards[static_cast<std::size_t>(best)];
}

MeldStep MasterPolicy::NextMeld(const SeatView& v, int step) {
  int at = step - planFrom_;
  const bool following = step > 0 && at >= 0 && at < static_cast<int>(plan_.Expects.size()) &&
                         plan_.Expects[static_cast<std::size_t>(at)] == OwnSide(v);
  if (!following) {
    if (step == 0) searchesThisTurn_ = 0;
    if (++searchesThisTurn_ > MostSearchesATurn) return expert_.NextMeld(v, step);
    plan_ = SearchMelds(v, step);
    planFrom_ = step;
    at = 0;
  }
  if (at >= static_cast<int>(plan_.Steps.size())) return {};
  const MeldStep move = plan_.Steps[static_cast<std::size_t>(at)];
  return OutWithoutCanasta(v, move) ? MeldStep{} : move;
}

MeldPlan MasterPolicy::PlanMelds(const SeatView& v) {
  MeldPlan plan;
  plan.Steps = SearchMelds(v, 0).Steps;
  return plan;
}

// The candidates, made on one dealt hand (the seat's own moves do not depend on
// the cards it cannot see), each kind of melding once, the same plans once.
std::vector<MasterPolicy::Plan> MasterPolicy::MeldPlans(const SeatView& v, int step) const {
  const SimHand dealt =
      SampleHand(v, SimPhase::Meld, step, PositionSeed(v, SimPhase::Meld, step, seed_));
  std::vector<Plan> plans;
  std::vector<std::vector<int>> ends;
  for (Melding kind : Meldings) {
    SimHand h = dealt;
    MeldingSeat seat(kind);
    Plan plan;
    const int me = h.Turn;
    while (h.Phase == SimPhase::Meld && h.Turn == me) {
      plan.Expects.push_back(OwnSide(h, me));
      const MeldStep move = seat.Next(h);
      if (move.What == MeldStep::None || move.What == MeldStep::Stop) break;
      if (OutWithoutCanasta(MakeSeatView(h, me), move)) break;
      const std::vector<int> before = plan.Expects.back();
      h.Meld(move);
      plan.Steps.push_back(move);
      if (h.Phase == SimPhase::Meld && OwnSide(h, me) == before) break;  // the move was refused
    }
    if (plan.Expects.size() == plan.Steps.size()) plan.Expects.push_back(OwnSide(h, me));
    if (std::find(ends.begin(), ends.end(), plan.Expects.back()) != ends.end()) continue;
    ends.push_back(plan.Expects.back());
    plans.push_back(std::move(plan));
  }
  return plans;
}

MasterPolicy::Plan MasterPolicy::SearchMelds(const SeatView& v, int step) {
  std::vector<Plan> plans = MeldPlans(v, step);
  const int best =
      Search(v, SimPhase::Meld, step, static_cast<int>(plans.size()), [&](SimHand& h, int option) {
        PlayMelding(h, plans[static_cast<std::size_t>(option)].Steps);
      });
  return std::move(plans[static_cast<std::size_t>(best)]);
}

// Successive halving: every candidate plays the same dealt hands, round by
// round, and the better half goes on to the next round, the Expert's choice
// always among them, until one rival is left to weigh against it.
int MasterPolicy::Search(const SeatView& v, SimPhase phase, int step, int options,
                         const std::function<void(SimHand&, int)>& apply) {
  finding_ = {options, 0, 0};
  if (options <= 1) return 0;
  const GameOdds& odds = GameOddsFor(v.TargetScore);
  const int me = v.Seat, them = v.Opponent;
  const bool clocked = static_cast<bool>(pacing_.Clock);
  std::int64_t deadline = 0;
  if (clocked) {
    if (pacing_.LimitMs > 0) deadline = pacing_.Clock() + pacing_.LimitMs;
    if (stopAt_ != 0 && (deadline == 0 || stopAt_ < deadline)) deadline = stopAt_;
  }
  if (deadline != 0 && pacing_.Clock() >= deadline) return 0;
  std::vector<double> won(static_cast<std::size_t>(options), 0.0);
  std::vector<int> played(static_cast<std::size_t>(options), 0);
  auto mean = [&](int i) {
    const auto k = static_cast<std::size_t>(i);
    return played[k] > 0 ? won[k] / played[k] : -1.0;
  };
  std::vector<int> alive(static_cast<std::size_t>(options));
  std::iota(alive.begin(), alive.end(), 0);
  auto rank = [&] {
    std::stable_sort(alive.begin(), alive.end(), [&](int a, int b) { return mean(a) > mean(b); });
  };
  const std::uint64_t seed = PositionSeed(v, phase, step, seed_);
  const int rounds = static_cast<int>(std::ceil(std::log2(options)));
  const int batch = BatchMs * PlayoutsPerMs;
  // The rest of the hand is played by the playout policy on both seats: fourteen
  // times quicker than the Expert, and at a budget the many more futures weigh more.
  PlayoutSeat rollout;
  int dealt = 0, work = 0, nextBreak = batch;
  bool timeUp = false;
  for (int round = 0; round < rounds && alive.size() > 1 && !timeUp; ++round) {
    const int deals = std::max(1, playouts_ / (rounds * static_cast<int>(alive.size())));
    for (int d = 0; d < deals && !timeUp; ++d) {
      const SimHand hand = SampleHand(v, phase, step, seed + static_cast<std::uint64_t>(dealt++));
      for (int i : alive) {
        SimHand h = hand;
        apply(h, i);
        PlayOut(h, rollout, rollout);
        work += 1;
        if (h.Stopped) continue;
        won[static_cast<std::size_t>(i)] += odds.WinChance(h.GameScore[me], h.GameScore[them]);
        played[static_cast<std::size_t>(i)] += 1;
      }
      if (work >= nextBreak) {
        nextBreak += batch;
        if (pacing_.Between) pacing_.Between();
      }
      timeUp = deadline != 0 && pacing_.Clock() >= deadline;
    }
    rank();
    if (!timeUp) {
      alive.resize((alive.size() + 1) / 2);
      // The Expert's choice stays in every round: it is what a rival must beat.
      if (std::find(alive.begin(), alive.end(), 0) == alive.end()) alive.push_back(0);
    }
  }
  int best = mean(alive.front()) < 0 ? 0 : alive.front();
  if (best != 0 && played[0] > 0 && mean(best) < mean(0) + ExpertMargin) best = 0;
  finding_ = {options, work, std::max(0.0, mean(best))};
  return best;
}

}  // namespace larkspur
