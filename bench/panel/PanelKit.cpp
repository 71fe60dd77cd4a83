#include "panel/PanelKit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace larkspur::panel {

int Naturals(const MeldItems& m) {
  return m.Count - m.WildCount;
}

bool IsPureCanasta(const MeldItems& m) {
  return m.Count >= 7 && m.WildCount == 0;
}

int WildRoom(int seat, const MeldItems& m) {
  const int room = seat == Robot ? std::min(3, Naturals(m)) : Naturals(m) - 1;
  return std::max(0, room - m.WildCount);
}

int WildPoints(int card) {
  return IsJokerNumber(card) ? 50 : 20;
}

int RankPoints(int rank) {
  return rules::IsMeldRank(rank) ? PointsOfRank(rank) : 0;
}

int CardsInHand(const SeatView& v) {
  return static_cast<int>(v.Hand.size());
}

Sketch::Sketch(const SeatView& v) : Seat(v.Seat), Wilds(v.Wilds()), Points(v.MeldPoints[v.Seat]) {
  for (int r = RankAce; r <= RankKing; ++r) Hand[r] = r == RankTwo ? 0 : v.HandRank[r];
  for (int r : rules::MeldRanks) Melds[r] = v.Melds[v.Seat][r];
}

int Sketch::HandSize() const {
  int n = static_cast<int>(Wilds.size());
  for (int r = RankAce; r <= RankKing; ++r) n += Hand[r];
  return n;
}

bool Sketch::HasCanasta() const {
  return std::any_of(rules::MeldRanks.begin(), rules::MeldRanks.end(),
                     [&](int r) { return Melds[r].Count >= 7; });
}

void Sketch::MeldRank(int rank) {
  const int n = Hand[rank];
  if (n == 0) return;
  MeldItems& m = Melds[rank];
  m.Count += n;
  m.Started = true;
  if (m.HasWild) m.WildMark += n;
  Points += n * RankPoints(rank);
  Hand[rank] = 0;
  Done.push_back({MeldStep::AllOfRank, rank, 0});
}

void Sketch::AddWild(int rank) {
  const int card = Wilds.front();
  Wilds.erase(Wilds.begin());
  MeldItems& m = Melds[rank];
  m.Count += 1;
  m.WildCount += 1;
  m.HasWild = true;
  m.WildMark += 1;
  Points += WildPoints(card);
  Done.push_back({MeldStep::Wild, rank, card});
}

bool Sketch::FinishOpenMelds() {
  for (int r : rules::MeldRanks) {
    if (!Melds[r].Started || Melds[r].Count >= 3) continue;
    MeldRank(r);
    while (Melds[r].Count < 3) {
      if (Wilds.empty() || Room(r) == 0) return false;
      AddWild(r);
    }
  }
  return true;
}

Steps PlanFirstMeld(const SeatView& v, const MeldCosts& costs) {
  Sketch base(v);
  if (!base.FinishOpenMelds()) return {};
  std::vector<int> options;  // ranks that could start a meld: triples, or pairs with a wild card
  for (int r : rules::MeldRanks)
    if (!base.Melds[r].Started && base.Hand[r] >= 2) options.push_back(r);
  const int requirement = v.Requirement[v.Seat];
  const int handBefore = base.HandSize();
  double best = std::numeric_limits<double>::infinity();
  Steps plan;
  for (unsigned mask = 0; mask < (1u << options.size()); ++mask) {
    Sketch s = base;
    bool ok = true;
    for (std::size_t i = 0; i < options.size() && ok; ++i) {
      if (!(mask & (1u << i))) continue;
      const int r = options[i];
      const bool pair = s.Hand[r] == 2;
      ok = !pair || !s.Wilds.empty();
      if (!ok) break;
      s.MeldRank(r);
      if (pair) s.AddWild(r);
    }
    // Wild cards, jokers first, on any meld with room until the minimum is beaten.
    for (int r : rules::MeldRanks) {
      while (ok && s.Points <= requirement && !s.Wilds.empty() && s.Melds[r].Started &&
             s.Room(r) > 0)
        s.AddWild(r);
    }
    if (!ok || s.Points <= requirement || s.HandSize() < 2) continue;
    const int wilds = static_cast<int>(base.Wilds.size() - s.Wilds.size());
    const int naturals = handBefore - s.HandSize() - wilds;
    const double cost = naturals * costs.Natural + wilds * costs.Wild;
    if (cost < best) best = cost, plan = s.Done;
  }
  return plan;
}

bool FirstMeldWithoutWilds(const SeatView& v, const MeldCosts& costs) {
  const Steps plan = PlanFirstMeld(v, costs);
  return std::none_of(plan.begin(), plan.end(),
                      [](const MeldStep& s) { return s.What == MeldStep::Wild; });
}

bool PileMeetsMinimum(const SeatView& v) {
  if (v.UpCard == 0) return false;
  SeatView taken = v;
  const int r = RankOfCard(v.UpCard);
  MeldItems& m = taken.Melds[v.Seat][r];
  m.Count += 1;
  m.Started = true;
  if (m.HasWild) m.WildMark += 1;
  taken.MeldPoints[v.Seat] += RankPoints(r);
  return !PlanFirstMeld(taken).empty();
}

Steps GoOutSteps(const SeatView& v) {
  Sketch s(v);
  if (!s.FinishOpenMelds()) return {};
  for (int r : rules::MeldRanks)
    if (s.Melds[r].Started || s.Hand[r] >= 3) s.MeldRank(r);
  for (int r : rules::MeldRanks) {
    if (s.Melds[r].Started || s.Hand[r] != 2 || s.Wilds.empty()) continue;
    s.MeldRank(r);
    s.AddWild(r);
  }
  // The rest of the wild cards where they make a canasta first, never onto a pure one.
  while (!s.Wilds.empty()) {
    int target = 0;
    for (int r : rules::MeldRanks) {
      const MeldItems& m = s.Melds[r];
      if (!m.Started || s.Room(r) == 0 || IsPureCanasta(m)) continue;
      if (target == 0 ||
          (m.Count < 7 && (s.Melds[target].Count >= 7 || m.Count > s.Melds[target].Count)))
        target = r;
    }
    if (target == 0) break;
    s.AddWild(target);
  }
  if (s.HandSize() > 1 || !s.HasCanasta()) return {};
  if (!v.MinMeldMet[v.Seat] && s.Points <= v.Requirement[v.Seat]) return {};
  return s.Done;
}

MeldStep FinishOpenMeld(const SeatView& v) {
  for (int r : rules::MeldRanks) {
    const MeldItems& m = v.Melds[v.Seat][r];
    if (!m.Started || m.Count >= 3) continue;
    if (v.HandRank[r] > 0) return {MeldStep::AllOfRank, r, 0};
    const auto wilds = v.Wilds();
    if (!wilds.empty() && WildRoom(v.Seat, m) > 0) return {MeldStep::Wild, r, wilds.front()};
  }
  return {};
}

bool KeepsTwoCards(const SeatView& v, const MeldStep& step) {
  const int used = step.What == MeldStep::AllOfRank ? v.HandRank[step.Rank] : 1;
  return CardsInHand(v) - used >= 2;
}

bool PileIsFree(const SeatView& v) {
  const int r = RankOfCard(v.UpCard);
  return v.Started(v.Seat, r) || v.HandRank[r] >= 2;
}

bool PileLeavesACardToThrow(const SeatView& v) {
  const int r = RankOfCard(v.UpCard);
  const int fromPile = static_cast<int>(std::count_if(
      v.Pile.begin(), v.Pile.end(), [&](int c) { return c != v.UpCard && RankOfCard(c) == r; }));
  const int wild = !v.Started(v.Seat, r) && v.HandRank[r] == 1 ? 1 : 0;
  const int left = CardsInHand(v) + v.DiscardCount() - 1 - v.HandRank[r] - wild - fromPile;
  return left >= 2 || v.HasCanasta[v.Seat];
}

int PileWildCards(const SeatView& v) {
  return static_cast<int>(std::count_if(v.Pile.begin(), v.Pile.end(), IsWildCardNumber));
}

bool FrozenForOpponent(const SeatView& v) {
  return PileWildCards(v) > 0 || !v.MinMeldMet[v.Opponent];
}

void Watch::Reset(const SeatView& v) {
  known_ = {};
  read_ = 0;
  oppWilds_ = 0;
  for (int r : rules::MeldRanks) {
    oppNaturals_[r] = Naturals(v.Melds[v.Opponent][r]);
    oppWilds_ += v.Melds[v.Opponent][r].WildCount;
  }
  // The cards turned up at the deal: the pile's cards that no one discarded.
  pile_.clear();
  for (int c : v.Pile) {
    const auto& notes = v.Record.Notes;
    if (std::none_of(notes.begin(), notes.end(), [c](const PileNote& n) { return n.Card == c; }))
      pile_.push_back(c);
  }
}

void Watch::Update(const SeatView& v) {
  const auto& notes = v.Record.Notes;
  // A record that shrank or begins otherwise belongs to a new hand.
  const bool sameHand = read_ > 0 && read_ <= notes.size() && notes[0].Player == first_.Player &&
                        notes[0].Card == first_.Card && notes[0].Taken == first_.Taken;
  if (!sameHand) Reset(v);
  for (std::size_t i = read_; i < notes.size(); ++i) {
    const PileNote& note = notes[i];
    if (!note.Taken) {
      pile_.push_back(note.Card);
      int& k = known_[RankOfCard(note.Card)];
      if (note.Player == v.Opponent) k = std::max(0, k - 1);
      continue;
    }
    if (note.Player == v.Opponent)
      for (int c : pile_)
        if (c != note.Card) known_[RankOfCard(c)] += 1;
    pile_.clear();
  }
  read_ = notes.size();
  if (!notes.empty()) first_ = notes[0];
  // What the opponent melded since the last look no longer lies in its hand.
  int wilds = 0;
  for (int r : rules::MeldRanks) {
    const int naturals = Naturals(v.Melds[v.Opponent][r]);
    known_[r] = std::max(0, known_[r] - (naturals - oppNaturals_[r]));
    oppNaturals_[r] = naturals;
    wilds += v.Melds[v.Opponent][r].WildCount;
  }
  for (int spent = wilds - oppWilds_; spent > 0; --spent) {
    int& k = known_[RankJoker] > 0 ? known_[RankJoker] : known_[RankTwo];
    k = std::max(0, k - 1);
  }
  oppWilds_ = wilds;
}

namespace {
double LogChoose(int n, int k) {
  return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}
}  // namespace

// The chance that the opponent's hand holds `need` cards of a kind of which
// `copies` are out of sight and `known` are known to be in its hand.
double Watch::AtLeast(const SeatView& v, int copies, int known, int need) const {
  if (known >= need) return 1.0;
  int allKnown = 0;
  for (int k : known_) allKnown += k;
  const int hand = v.HandCount[v.Opponent];
  allKnown = std::min(allKnown, hand);
  const int pool = v.UnseenCount - allKnown, slots = hand - allKnown;
  const int kind = std::min(copies - known, pool), want = need - known;
  if (slots <= 0 || kind <= 0) return 0.0;
  double fewer = 0.0;  // the chance of fewer than wanted
  for (int k = 0; k < want; ++k) {
    if (k > kind || slots - k > pool - kind || slots - k < 0) continue;
    fewer +=
        std::exp(LogChoose(kind, k) + LogChoose(pool - kind, slots - k) - LogChoose(pool, slots));
  }
  return std::clamp(1.0 - fewer, 0.0, 1.0);
}

double Watch::PairChance(const SeatView& v, int rank) const {
  return AtLeast(v, v.Unseen[rank], known_[rank], 2);
}

double Watch::WildChance(const SeatView& v) const {
  return AtLeast(v, v.Unseen[RankTwo] + v.Unseen[RankJoker], known_[RankTwo] + known_[RankJoker],
                 1);
}

double Watch::TakeChance(const SeatView& v, int card) const {
  const int r = RankOfCard(card);
  const int opp = v.Opponent;
  // A black three blocks the pile and a wild card on top can never be taken.
  if (!rules::IsMeldRank(r)) return 0.0;
  // The robot's seat takes the pile only after its first meld.
  if (opp == Robot && !v.MinMeldMet[opp]) return 0.0;
  // A player throwing a rank away is seldom collecting it.
  const double collecting = v.Record.DiscardedSinceTake(opp, r) > 0 ? 0.4 : 1.0;
  const double pair = PairChance(v, r) * collecting;
  if (!v.MinMeldMet[opp]) {
    // Before its first meld the pile is frozen for it, and the take must beat the minimum.
    const bool enough = 3 * RankPoints(r) > v.Requirement[opp];
    return pair * (enough ? 0.9 : 0.5);
  }
  if (PileWildCards(v) > 0) return pair;
  if (v.Started(opp, r)) return 1.0;
  const double one = std::max(0.0, AtLeast(v, v.Unseen[r], known_[r], 1) * collecting - pair);
  return pair + one * WildChance(v);
}

}  // namespace larkspur::panel
