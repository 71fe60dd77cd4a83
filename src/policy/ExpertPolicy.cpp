#include "policy/ExpertPolicy.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <optional>

namespace larkspur {

namespace {

// The chance that a hand of `drawn` cards, dealt from `unseen` cards of which
// `copies` are of one kind, holds exactly k of them (hypergeometric).
double ChanceOfExactly(int k, int copies, int unseen, int drawn) {
  if (k < 0 || k > copies || k > drawn || drawn - k > unseen - copies || unseen <= 0) return 0;
  auto logChoose = [](int n, int r) {
    return std::lgamma(n + 1.0) - std::lgamma(r + 1.0) - std::lgamma(n - r + 1.0);
  };
  return std::exp(logChoose(copies, k) + logChoose(unseen - copies, drawn - k) -
                  logChoose(unseen, drawn));
}

double ChanceOfAtLeast(int k, int copies, int unseen, int drawn) {
  if (k <= 0) return 1;
  double below = 0;
  for (int i = 0; i < k; ++i) below += ChanceOfExactly(i, copies, unseen, drawn);
  return std::clamp(1.0 - below, 0.0, 1.0);
}

bool WildInPile(const SeatView& v) {
  return std::any_of(v.Pile.begin(), v.Pile.end(), IsWildCardNumber);
}

// What melds score on the table: their cards and their canastas.
int MeldScore(const std::array<MeldItems, 14>& melds, int points) {
  int score = points;
  for (int r : rules::MeldRanks) score += rules::CanastaBonus(melds[r]);
  return score;
}

bool AnyCanasta(const std::array<MeldItems, 14>& melds) {
  return std::any_of(rules::MeldRanks.begin(), rules::MeldRanks.end(),
                     [&](int r) { return rules::IsCanasta(melds[r]); });
}

// ---- what the seat has seen of the other hand

// Before anyone takes the pile, the cards under its discards are the ones the
// deal turned up; after, the table no longer shows them.
std::optional<std::vector<int>> DealtUpOnTable(const SeatView& v) {
  std::bitset<CardCount + 1> discarded;
  for (const PileNote& note : v.Record.Notes) {
    if (note.Taken) return std::nullopt;
    discarded.set(static_cast<std::size_t>(note.Card));
  }
  std::vector<int> dealt;
  for (int c : v.Pile)
    if (!discarded[static_cast<std::size_t>(c)]) dealt.push_back(c);
  return dealt;
}

// The cards the deal turned up in this hand, from the pile's record, the table or
// memory (a simulated hand keeps no record of its deal); none
// when the seat never saw the pile before it was first taken.
std::vector<int> DealtUp(const SeatView& v, const ExpertMemory& memory) {
  if (!v.Record.DealtUp.empty()) return v.Record.DealtUp;
  if (auto onTable = DealtUpOnTable(v)) return *onTable;
  if (!memory.Seen || memory.ScoresAtDeal != v.GameScore) return {};
  // The first take held the cards turned up and every discard before it.
  int discards = 0;
  for (const PileNote& note : v.Record.Notes) {
    if (!note.Taken) {
      discards += 1;
      continue;
    }
    if (note.PileSize != discards + memory.DealtUpCount) return {};
    break;
  }
  return {memory.DealtUp.begin(), memory.DealtUp.begin() + memory.DealtUpCount};
}

// What a seat reads from the table once per decision.
struct Reading {
  RankCounts known{};  // cards known to be in the other hand
  int knownCount = 0;
  RankCounts hidden{};  // unseen cards not known to be in the other hand
  int hiddenCount = 0;
  int unknownInHand = 0;  // cards of the other hand not known
  double end = 0;         // the chance the hand ends before the seat plays again
  bool wildInPile = false;
};

}  // namespace

RankCounts ExpertPolicy::KnownInOpponentHand(const SeatView& v) const {
  std::bitset<CardCount + 1> taken;
  std::vector<int> pile = DealtUp(v, memory_);
  for (const PileNote& note : v.Record.Notes) {
    if (!note.Taken) {
      pile.push_back(note.Card);
      continue;
    }
    if (note.Player == v.Opponent)
      for (int c : pile) taken.set(static_cast<std::size_t>(c));
    pile.clear();
  }
  // A card taken that the table no longer shows can only be in the taker's hand.
  RankCounts known{};
  for (int c = 1; c <= CardCount; ++c)
    if (taken[static_cast<std::size_t>(c)] && !v.Seen[static_cast<std::size_t>(c)])
      known[RankOfCard(c)] += 1;
  return known;
}

void ExpertPolicy::Remember(const SeatView& v) {
  const auto dealt = DealtUpOnTable(v);
  if (!dealt) return;
  memory_ = {};
  memory_.DealtUpCount = std::min<int>(static_cast<int>(dealt->size()), 8);
  std::copy_n(dealt->begin(), memory_.DealtUpCount, memory_.DealtUp.begin());
  memory_.ScoresAtDeal = v.GameScore;
  memory_.Seen = true;
}

namespace {

Reading Read(const ExpertPolicy& expert, const SeatView& v) {
  Reading r;
  r.known = expert.KnownInOpponentHand(v);
  for (int k = 1; k <= RankJoker; ++k) {
    r.knownCount += r.known[k];
    r.hidden[k] = std::max(0, v.Unseen[k] - r.known[k]);
    r.hiddenCount += r.hidden[k];
  }
  r.unknownInHand = std::max(0, v.HandCount[v.Opponent] - r.knownCount);
  r.end = expert.EndChance(v);
  r.wildInPile = WildInPile(v);
  return r;
}

// The chance that the other player could take the pile with a card of this
// rank on top, by the table's rules for its seat and what it is known to hold.
double OpponentTakes(const SeatView& v, const Reading& rd, int r) {
  const int them = v.Opponent;
  // A black three blocks the pile and a wild card on top cannot be taken.
  if (!rules::IsMeldRank(r)) return 0;
  // The robot's seat takes the pile only once its first meld is made.
  if (them == Robot && !v.MinMeldMet[Robot]) return 0;
  const bool frozen = rd.wildInPile || !v.MinMeldMet[them];
  if (!frozen && v.Started(them, r)) return 1;
  const int known = rd.known[r], copies = rd.hidden[r];
  const int pool = rd.hiddenCount, drawn = rd.unknownInHand;
  double chance = ChanceOfAtLeast(2 - known, copies, pool, drawn);
  if (!frozen && known < 2) {
    const int knownWilds = rd.known[RankTwo] + rd.known[RankJoker];
    const int wilds = rd.hidden[RankTwo] + rd.hidden[RankJoker];
    const double oneNatural = known == 1 ? ChanceOfExactly(0, copies, pool, drawn)
                                         : ChanceOfExactly(1, copies, pool, drawn);
    const double aWild = knownWilds > 0 ? 1 : ChanceOfAtLeast(1, wilds, pool - copies, drawn - 1);
    chance += oneNatural * aWild;
  }
  // A player who threw this rank away since last taking the pile is not collecting it.
  if (known == 0 && v.Record.DiscardedSinceTake(them, r) > 0) chance *= 0.25;
  // Without a first meld the taker must also make it in the same turn.
  if (!v.MinMeldMet[them]) chance *= 0.5;
  return std::clamp(chance, 0.0, 1.0);
}

// ---- Planning the melds of a turn. The plan is a list of units, each a few
// moves that stand together; the first units are needed, the rest may be left
// out to keep cards in the hand.
class Planner {
 public:
  Planner(const ExpertPolicy& expert, const SeatView& v) : v_(&v) {
    melds_ = v.Melds[v.Seat];
    points_ = v.MeldPoints[v.Seat];
    for (int c : v.Hand) {
      if (IsWildCardNumber(c))
        wilds_.push_back(c);  // jokers first: ascending card numbers
      else if (rules::IsMeldRank(RankOfCard(c)))
        naturals_[RankOfCard(c)].push_back(c);
    }
    hand_ = static_cast<int>(v.Hand.size());
    end_ = expert.EndChance(v);
  }

  MeldPlan Make() {
    FinishStartedMelds();
    const bool met = v_->MinMeldMet[v_->Seat] || MakeFirstMeld();
    if (met) {
      needed_ = units_.size();
      LayOff();
      MeldNewTriples();
      if (!GoOutWhenItPays()) {
        CompleteCanastasWithWilds();
        if (end_ >= kAlmostOver) DumpWilds();
        KeepCardsToPlayOn();
      }
    }
    MeldPlan plan;
    for (const Unit& u : units_)
      plan.Steps.insert(plan.Steps.end(), u.Steps.begin(), u.Steps.end());
    plan.Melds = melds_;
    plan.Points = points_;
    plan.HandLeft = hand_;
    plan.FirstMeld =
        !v_->MinMeldMet[v_->Seat] && rules::MeetsMinimumMeld(points_, v_->Requirement[v_->Seat]);
    plan.GoesOut = hand_ <= 1 && !units_.empty() && AnyCanasta(melds_);
    return plan;
  }

 private:
  struct Unit {
    std::vector<MeldStep> Steps;
    std::array<MeldItems, 14> MeldsBefore;
    int PointsBefore, HandBefore;
    std::vector<int> WildsBefore;
    std::array<std::vector<int>, 14> NaturalsBefore;
  };

  Unit& Begin() {
    units_.push_back({{}, melds_, points_, hand_, wilds_, naturals_});
    return units_.back();
  }
  void Undo() {
    const Unit& u = units_.back();
    melds_ = u.MeldsBefore, points_ = u.PointsBefore, hand_ = u.HandBefore;
    wilds_ = u.WildsBefore, naturals_ = u.NaturalsBefore;
    units_.pop_back();
  }
  void AllOfRank(Unit& u, int r) {
    const int n = static_cast<int>(naturals_[r].size());
    u.Steps.push_back({MeldStep::AllOfRank, r, 0});
    for (int i = 0; i < n; ++i) rules::BookCard(melds_[r]);
    points_ += n * PointsOfRank(r), hand_ -= n;
    naturals_[r].clear();
  }
  void Natural(Unit& u, int r) {
    const int c = naturals_[r].front();
    u.Steps.push_back({MeldStep::Natural, r, c});
    rules::BookCard(melds_[r]);
    points_ += PointsOfRank(r), hand_ -= 1;
    naturals_[r].erase(naturals_[r].begin());
  }
  bool MayAddWild(int r) const {
    // On either seat never more wild cards than naturals, whatever the seat allows.
    const MeldItems& m = melds_[r];
    return !wilds_.empty() && m.Started && v_->MayAddWild(m) && rules::WildWithinNaturals(m);
  }
  bool Wild(Unit& u, int r) {
    if (!MayAddWild(r)) return false;
    const int c = wilds_.front();
    u.Steps.push_back({MeldStep::Wild, r, c});
    rules::AddWildCard(melds_[r]);
    rules::BookCard(melds_[r]);
    points_ += PointsOfCard(c), hand_ -= 1;
    wilds_.erase(wilds_.begin());
    return true;
  }
  // Wild cards that would make this meld a canasta, or 0 when they cannot.
  int WildsToCanasta(int r) const {
    MeldItems m = melds_[r];
    if (!m.Started || m.Count < rules::MeldMinimum) return 0;
    int used = 0;
    while (!rules::IsCanasta(m)) {
      if (used == static_cast<int>(wilds_.size()) || !v_->MayAddWild(m) ||
          !rules::WildWithinNaturals(m))
        return 0;
      rules::AddWildCard(m);
      rules::BookCard(m);
      used += 1;
    }
    return used;
  }
  bool FillToCanasta(int r) {
    if (WildsToCanasta(r) == 0) return false;
    Unit& u = Begin();
    while (!rules::IsCanasta(melds_[r]) && Wild(u, r)) {
    }
    return true;
  }

  // A meld of one or two cards (the top card of a pile just taken, or a meld
  // being laid card by card) must be made whole before anything else: the table
  // refuses a discard otherwise. Before the first meld is made, every natural of
  // a started meld's rank goes on, as melding the rank lays them all: they count
  // towards the minimum.
  void FinishStartedMelds() {
    const bool first = !v_->MinMeldMet[v_->Seat];
    for (int r : rules::MeldRanks) {
      if (!melds_[r].Started) continue;
      if (rules::MeldStands(melds_[r]) && (!first || naturals_[r].empty())) continue;
      Unit& u = Begin();
      while ((first || !rules::MeldStands(melds_[r])) && !naturals_[r].empty()) Natural(u, r);
      while (!rules::MeldStands(melds_[r]) && Wild(u, r)) {
      }
    }
  }

  // Wild cards are spent on the first meld only once the stock has run down a
  // little: early in the hand they are worth more kept for canastas.
  bool WildsForFirstMeld() const { return v_->StockCount <= kStockForWildFirstMeld; }

  // The first meld must beat the minimum: the richest triples first, then
  // pairs made whole with a wild card (jokers first, they count 50), then more
  // wild cards on what was laid. Nothing at all if it cannot be beaten, or if
  // it would leave fewer than two cards to play on with.
  bool MakeFirstMeld() {
    const std::size_t before = units_.size();
    auto value = [&](int r) { return static_cast<int>(naturals_[r].size()) * PointsOfRank(r); };
    std::vector<int> triples, pairs;
    for (int r : rules::MeldRanks) {
      if (naturals_[r].size() >= rules::MeldMinimum) triples.push_back(r);
      if (naturals_[r].size() == 2) pairs.push_back(r);
    }
    auto richer = [&](int a, int b) { return value(a) > value(b); };
    std::stable_sort(triples.begin(), triples.end(), richer);
    std::stable_sort(pairs.begin(), pairs.end(), richer);
    const int requirement = v_->Requirement[v_->Seat];
    for (int r : triples) {
      if (rules::MeetsMinimumMeld(points_, requirement)) break;
      AllOfRank(Begin(), r);
    }
    if (WildsForFirstMeld()) {
      for (int r : pairs) {
        if (rules::MeetsMinimumMeld(points_, requirement) || wilds_.empty()) break;
        Unit& u = Begin();
        AllOfRank(u, r);
        if (!Wild(u, r)) Undo();
      }
      for (int r : rules::MeldRanks) {
        while (!rules::MeetsMinimumMeld(points_, requirement) &&
               melds_[r].Count >= rules::MeldMinimum && !wilds_.empty()) {
          if (!Wild(Begin(), r)) {
            Undo();
            break;
          }
        }
      }
    }
    if (rules::MeetsMinimumMeld(points_, requirement) && (hand_ >= 2 || AnyCanasta(melds_)))
      return true;
    while (units_.size() > before) Undo();
    return false;
  }

  // Naturals of ranks already on the table go onto their melds: every card
  // laid is points and brings a canasta nearer.
  void LayOff() {
    for (int r : rules::MeldRanks) {
      if (!melds_[r].Started) continue;
      while (!naturals_[r].empty()) Natural(Begin(), r);
    }
  }

  // Triples go down once the first meld is made: a started meld takes the
  // open pile as well as a pair in the hand does, and the cards score.
  void MeldNewTriples() {
    for (int r : rules::MeldRanks)
      if (!melds_[r].Started && naturals_[r].size() >= rules::MeldMinimum) AllOfRank(Begin(), r);
  }

  // ---- going out

  // Every card that can go down goes down: a canasta made with wild cards if
  // there is none yet, each pair made up with a wild card, the wild cards left
  // onto melds. Whether at most one card is left, to discard.
  bool MeldEverything(int canastaRank) {
    if (canastaRank != 0 && !FillToCanasta(canastaRank)) return false;
    for (int r : rules::MeldRanks) {
      if (melds_[r].Started || naturals_[r].size() != 2 || wilds_.empty()) continue;
      Unit& u = Begin();
      AllOfRank(u, r);
      if (!Wild(u, r)) Undo();
    }
    PlaceLeftoverWilds();
    return hand_ <= 1 && AnyCanasta(melds_);
  }

  // A wild card left over goes where it costs nothing: onto a meld that is not
  // a pure canasta (a wild card would make it a mixed one, 200 points less).
  void PlaceLeftoverWilds() {
    for (int r : rules::MeldRanks) {
      const MeldItems& m = melds_[r];
      if (!m.Started || m.Count < rules::MeldMinimum) continue;
      if (rules::IsCanasta(m) && rules::IsPure(m)) continue;
      while (MayAddWild(r)) {
        if (!Wild(Begin(), r)) {
          Undo();
          break;
        }
      }
    }
  }

  // Going out ends the hand: the other player is caught with every card held,
  // and the bonus is ours. The way out that scores most is chosen.
  bool GoOutWhenItPays() {
    std::optional<Planner> best;
    std::vector<int> ways;
    if (AnyCanasta(melds_)) ways.push_back(0);
    for (int r : rules::MeldRanks)
      if (!rules::IsCanasta(melds_[r]) && WildsToCanasta(r) > 0) ways.push_back(r);
    for (int r : ways) {
      Planner trial = *this;
      if (!trial.MeldEverything(r)) continue;
      if (!best || MeldScore(trial.melds_, trial.points_) > MeldScore(best->melds_, best->points_))
        best = trial;
    }
    if (!best || !best->WantsToGoOut()) return false;
    *this = *best;
    return true;
  }

  // The hand's score for us after going out, and an estimate of the other's
  // with the cards it holds counted at the average of the unseen cards.
  bool WantsToGoOut() const {
    const int me = v_->Seat, them = v_->Opponent;
    const int mine = MeldScore(melds_, points_) + rules::GoingOutBonus +
                     rules::RedThreePoints * v_->RedThrees[me];
    double unseenPoints = 0;
    int unseenCards = 0;
    for (int r = 1; r <= RankJoker; ++r) {
      if (r == RankRedThree) continue;
      unseenPoints += PointsOfRank(r) * v_->Unseen[r];
      unseenCards += v_->Unseen[r];
    }
    const double average = unseenCards > 0 ? unseenPoints / unseenCards : 10;
    const double theirs = MeldScore(v_->Melds[them], v_->MeldPoints[them]) +
                          rules::RedThreePoints * v_->RedThrees[them] -
                          average * v_->HandCount[them];
    // Ending the hand must not hand the other player the game.
    const bool theyWin = v_->GameScore[them] + theirs >= v_->TargetScore &&
                         v_->GameScore[them] + theirs > v_->GameScore[me] + mine;
    return !(theyWin && end_ < kEnding);
  }
  static constexpr double kEnding = ExpertPolicy::kEnding;
  // From this chance on the hand is all but over: wild cards are laid, not held.
  static constexpr double kAlmostOver = 0.9;
  static constexpr int kStockForWildFirstMeld = 70;
  static constexpr int kLowStock = 40;

  // ---- when not going out

  // Wild cards finish a canasta when that is within reach this turn: the first
  // canasta is needed to go out, and late in the hand a mixed canasta now is
  // worth more than a pure one that may never come.
  void CompleteCanastasWithWilds() {
    std::vector<int> ranks(rules::MeldRanks.begin(), rules::MeldRanks.end());
    std::stable_sort(ranks.begin(), ranks.end(),
                     [&](int a, int b) { return melds_[a].Count > melds_[b].Count; });
    for (int r : ranks) {
      if (rules::IsCanasta(melds_[r])) continue;
      const bool worthIt =
          !AnyCanasta(melds_) || v_->StockCount <= kLowStock || end_ >= ExpertPolicy::kEnding;
      if (worthIt) FillToCanasta(r);
    }
  }

  // When the other player is about to go out, a wild card in the hand costs its
  // points; on a meld it scores them.
  void DumpWilds() {
    std::vector<int> ranks(rules::MeldRanks.begin(), rules::MeldRanks.end());
    std::stable_sort(ranks.begin(), ranks.end(),
                     [&](int a, int b) { return melds_[a].Count > melds_[b].Count; });
    for (int r : ranks) {
      if (!melds_[r].Started || melds_[r].Count < rules::MeldMinimum) continue;
      while (!wilds_.empty()) {
        if (!Wild(Begin(), r)) {
          Undo();
          break;
        }
      }
    }
  }

  // Not going out, two cards stay in the hand: one to discard and one to play on with.
  void KeepCardsToPlayOn() {
    while (hand_ < 2 && units_.size() > needed_) Undo();
  }

  const SeatView* v_;
  std::array<MeldItems, 14> melds_;
  int points_ = 0;
  int hand_ = 0;
  double end_ = 0;
  std::vector<int> wilds_;
  std::array<std::vector<int>, 14> naturals_;
  std::vector<Unit> units_;
  std::size_t needed_ = 0;
};

// ---- what cards are worth

// What a card brings beyond its points when it goes onto a meld: a canasta nearer.
constexpr double kCardForAMeld = 15;

// What one more card of a rank brings to a hand holding `held`: a card for a
// meld scores and brings a canasta nearer, a card that pairs up may make one,
// a lone card must be thrown away again.
double CardWorth(const SeatView& v, const RankCounts& held, int rank, int meldingRank) {
  if (IsWildRank(rank)) return 80;
  if (rank == RankRedThree) return rules::RedThreePoints;
  if (rank == RankBlackThree) return -4;
  if (v.Started(v.Seat, rank) || rank == meldingRank || held[rank] >= 2)
    return PointsOfRank(rank) + kCardForAMeld;
  if (held[rank] == 1) return 10;
  return -8;
}

// What two cards from the stock bring, each at the average worth of the cards
// that may lie there.
double DrawWorth(const SeatView& v, const Reading& rd) {
  if (rd.hiddenCount == 0) return 0;
  double sum = 0;
  for (int r = 1; r <= RankJoker; ++r)
    if (rd.hidden[r] > 0) sum += rd.hidden[r] * CardWorth(v, v.HandRank, r, 0);
  return 2 * sum / rd.hiddenCount;
}

// What taking the pile brings over drawing: its top card melded, its other
// cards into the hand at what each is worth there, less a wild card spent on
// making up the top card's meld and the points held should the hand end.
double PileWorthOverDraw(const SeatView& v, const Reading& rd) {
  const int up = RankOfCard(v.UpCard);
  RankCounts held = v.HandRank;
  double worth = PointsOfRank(up) + kCardForAMeld;
  if (!v.Started(v.Seat, up)) worth += 10;  // a new meld to lay cards on
  int points = 0;
  for (int c : v.Pile) {
    if (c == v.UpCard) continue;
    const int r = RankOfCard(c);
    worth += CardWorth(v, held, r, up);
    held[r] += 1;
    if (r != RankRedThree) points += PointsOfCard(c);
  }
  if (!v.Started(v.Seat, up) && v.HandRank[up] == 1) worth -= 60;
  worth -= rd.end * points;
  return worth - DrawWorth(v, rd);
}

// What a card is worth to keep in the hand, in rough points of play.
double KeepValue(const SeatView& v, const Reading& rd, int card) {
  // Wild cards make canastas and take a hand out: worth far more than any
  // natural, thrown only to freeze the pile against a player about to go out
  // or when the hand is ending.
  if (IsWildCardNumber(card)) return IsJokerNumber(card) ? 330 : 270;
  const int r = RankOfCard(card);
  // A black three is the safest discard there is: save it for when the pile is worth guarding.
  if (r == RankBlackThree) return v.DiscardCount() < 5 && v.StockCount > 20 ? 10 : 0;
  const int held = v.HandRank[r];
  // A card for a meld of our own, the more so near a canasta.
  if (v.Started(v.Seat, r)) return 25 + (v.Melds[v.Seat][r].Count >= 5 ? 20 : 0);
  // Triples and pairs make melds and take frozen piles.
  if (held >= rules::MeldMinimum) return 45 + PointsOfRank(r);
  if (held == 2) return 45 + PointsOfRank(r) / 2.0;
  // A single is worth what it may pair up with.
  return 2 + 1.5 * rd.hidden[r];
}

// A wild card in the pile freezes it: from then on only a natural pair in the
// hand takes it. Worth a wild card only when the pile is open to a player
// close to going out, who would take it and go out with it.
double FreezeWorth(const SeatView& v, const Reading& rd, double pileWorth, double safest) {
  if (rd.wildInPile || !v.MinMeldMet[v.Opponent]) return 0;  // already frozen for them
  if (rd.end < ExpertPolicy::kCloseToOut) return 0;
  return 0.25 * pileWorth + safest * pileWorth;
}

}  // namespace

MeldPlan ExpertPolicy::PlanMelds(const SeatView& view) const {
  return Planner(*this, view).Make();
}

MeldStep ExpertPolicy::NextMeld(const SeatView& view, int) {
  Remember(view);
  const MeldPlan plan = PlanMelds(view);
  return plan.Steps.empty() ? MeldStep{} : plan.Steps.front();
}

// How likely the hand ends before this seat's next turn: the other player
// goes out, or the stock runs dry. Without a canasta it must make one first,
// which halves the chance.
double ExpertPolicy::EndChance(const SeatView& v) const {
  static constexpr double byCards[] = {1.0, 0.9, 0.7, 0.45, 0.25, 0.12};
  const int cards = v.HandCount[v.Opponent];
  double chance = cards < 6 ? byCards[cards] : 0.05;
  if (!v.HasCanasta[v.Opponent]) chance *= 0.5;
  if (v.StockCount <= 2)
    chance = 1.0;
  else if (v.StockCount <= 6)
    chance = std::max(chance, 0.5);
  return chance;
}

double ExpertPolicy::TakeChance(const SeatView& v, int card) const {
  return OpponentTakes(v, Read(*this, v), RankOfCard(card));
}

bool ExpertPolicy::TakePile(const SeatView& v) {
  Remember(v);
  if (!v.MayTakePile()) return false;
  const int up = RankOfCard(v.UpCard);
  // Never for a rank it does not meld, such as a black three the deal turned up.
  if (!rules::IsMeldRank(up)) return false;
  const int size = v.DiscardCount();
  const bool started = v.Started(v.Seat, up);
  // Never a take that empties the hand: going out is for a canasta and a
  // chosen moment. The robot's seat lays two naturals with the top card (or
  // one and a wild card), or all of them on a meld it has; the human's seat
  // lays all it holds of the rank.
  const int laid = started || v.HandRank[up] == 1 ? v.HandRank[up]
                   : v.Seat == Robot              ? rules::MeldMinimum - 1
                                                  : v.HandRank[up];
  const int wildLaid = !started && v.HandRank[up] == 1 ? 1 : 0;
  if (v.HandCount[v.Seat] - laid - wildLaid + (size - 1) < 2) return false;
  if (!v.MinMeldMet[v.Seat]) {
    // Only the human's seat gets here: the take must make the first meld in
    // this very turn, from the hand, or it costs a penalty.
    SeatView after = v;
    after.Pile.erase(std::find(after.Pile.begin(), after.Pile.end(), v.UpCard));
    after.UpCard = 0;
    MeldItems& meld = after.Melds[v.Seat][up];
    rules::BookCard(meld);
    after.MeldPoints[v.Seat] += PointsOfCard(v.UpCard);
    const MeldPlan plan = PlanMelds(after);
    if (!(plan.FirstMeld && plan.Melds[up].Count >= rules::MeldMinimum)) return false;
  }
  return PileWorthOverDraw(v, Read(*this, v)) > 0;
}

// The discard that costs least: the chance it hands the other player the pile,
// times what the pile is worth, plus what the card is worth to keep; and when
// the hand is about to end, the points a card would count against us.
int ExpertPolicy::Discard(const SeatView& v) {
  Remember(v);
  if (v.Hand.empty()) return 0;
  if (v.Hand.size() == 1) return v.Hand.front();
  const Reading rd = Read(*this, v);
  const double pileWorth = 30.0 + 10.0 * (v.DiscardCount() + 1);
  double safest = 1;
  for (int c : v.Hand)
    if (!IsWildCardNumber(c)) safest = std::min(safest, OpponentTakes(v, rd, RankOfCard(c)));
  // A wild card onto a pile the other player finds frozen anyway only blocks
  // it for a turn: it goes there only when no other card is safe.
  const bool frozenForThem = rd.wildInPile || !v.MinMeldMet[v.Opponent];
  const bool wildsBarred = frozenForThem && safest <= 0.3;
  const double freeze = FreezeWorth(v, rd, pileWorth, safest);
  int best = 0;
  double bestCost = 0;
  for (int c : v.Hand) {
    if (IsWildCardNumber(c) && wildsBarred) continue;
    double cost = OpponentTakes(v, rd, RankOfCard(c)) * pileWorth +
                  (1 - rd.end) * KeepValue(v, rd, c) - rd.end * PointsOfCard(c);
    if (IsWildCardNumber(c)) cost -= freeze;
    if (best == 0 || cost < bestCost) best = c, bestCost = cost;
  }
  return best != 0 ? best : v.Hand.front();
}

}  // namespace larkspur
