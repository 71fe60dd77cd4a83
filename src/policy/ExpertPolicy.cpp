#include "policy/ExpertPolicy.h"

#include <algorithm>
#include <cmath>

namespace larkspur {

namespace {

// The chance that a hand of `drawn` cards, dealt from `unseen` cards of which
// `copies` are of one kind, holds exactly k of them (hypergeometric).
double ChanceOfExactly(int k, int copies, int unseen, int drawn) {
  if (k > copies || k > drawn || drawn - k > unseen - copies || unseen <= 0) return 0;
  auto logChoose = [](int n, int r) {
    return std::lgamma(n + 1.0) - std::lgamma(r + 1.0) - std::lgamma(n - r + 1.0);
  };
  return std::exp(logChoose(copies, k) + logChoose(unseen - copies, drawn - k) -
                  logChoose(unseen, drawn));
}

double ChanceOfAtLeast(int k, int copies, int unseen, int drawn) {
  double below = 0;
  for (int i = 0; i < k; ++i) below += ChanceOfExactly(i, copies, unseen, drawn);
  return std::clamp(1.0 - below, 0.0, 1.0);
}

// What a card is worth to keep in the hand, in rough points of play.
double KeepValue(const SeatView& v, int card) {
  // Wild cards make melds, canastas and first melds: worth keeping unless the
  // pile must be frozen or the hand is ending.
  if (IsWildCardNumber(card)) return IsJokerNumber(card) ? 110 : 90;
  const int r = RankOfCard(card);
  // A black three is the safest discard there is: save it for when the pile is worth guarding.
  if (r == RankBlackThree) return v.DiscardCount() < 5 && v.StockCount > 20 ? 10 : 0;
  const int held = v.HandRank[r];
  // A card for a meld of our own, the more so near a canasta.
  if (v.Started(v.Seat, r)) return 25 + (v.Melds[v.Seat][r].Count >= 5 ? 20 : 0);
  // Triples and pairs make melds and take frozen piles.
  if (held >= rules::MeldMinimum) return 45 + PointsOfRank(r);
  if (held == 2) return 28 + PointsOfRank(r) / 2.0;
  // A single is worth what it may pair up with.
  return 2 + 1.5 * v.Unseen[r];
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

// ---- Planning the melds of a turn. The plan is a list of units, each a few
// moves that stand together; the first units are needed, the rest may be left
// out to keep cards in the hand.
class Planner {
 public:
  Planner(const ExpertPolicy& expert, const SeatView& v) : expert_(expert), v_(v) {
    melds_ = v.Melds[v.Seat];
    points_ = v.MeldPoints[v.Seat];
    for (int c : v.Hand) {
      if (IsWildCardNumber(c))
        wilds_.push_back(c);  // jokers first: ascending card numbers
      else if (rules::IsMeldRank(RankOfCard(c)))
        naturals_[RankOfCard(c)].push_back(c);
    }
    hand_ = static_cast<int>(v.Hand.size());
  }

  MeldPlan Make() {
    FinishStartedMelds();
    const bool met = v_.MinMeldMet[v_.Seat] || MakeFirstMeld();
    if (met) {
      needed_ = units_.size();
      LayOff();
      MeldNewTriples();
      CompleteCanastasWithWilds();
      if (expert_.EndChance(v_) >= kDumpWildsAt) DumpWilds();
      KeepCardsOrGoOut();
    }
    MeldPlan plan;
    for (const Unit& u : units_)
      plan.Steps.insert(plan.Steps.end(), u.Steps.begin(), u.Steps.end());
    plan.Melds = melds_;
    plan.Points = points_;
    plan.HandLeft = hand_;
    plan.FirstMeld =
        !v_.MinMeldMet[v_.Seat] && rules::MeetsMinimumMeld(points_, v_.Requirement[v_.Seat]);
    plan.GoesOut = hand_ <= 1 && !units_.empty() && AnyCanasta(melds_);
    return plan;
  }

 private:
  // A hand that will all but surely end before the seat plays again (the other
  // player holds one card, or the stock is nearly gone) is no place for wild
  // cards; any sooner and they are worth more kept for canastas (the arena agrees).
  static constexpr double kDumpWildsAt = 0.9;

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
  bool Wild(Unit& u, int r) {
    // On either seat never more wild cards than naturals, whatever the seat allows.
    const MeldItems& m = melds_[r];
    if (wilds_.empty() || !v_.MayAddWild(m) || !rules::WildWithinNaturals(m)) return false;
    const int c = wilds_.front();
    u.Steps.push_back({MeldStep::Wild, r, c});
    rules::AddWildCard(melds_[r]);
    rules::BookCard(melds_[r]);
    points_ += PointsOfCard(c), hand_ -= 1;
    wilds_.erase(wilds_.begin());
    return true;
  }

  // A meld of one or two cards (the top card of a pile just taken, or a meld
  // being laid card by card) must be made whole before anything else: the table
  // refuses a discard otherwise. Before the first meld is made, every natural of
  // a started meld's rank goes on, as melding the rank lays them all: they count
  // towards the minimum.
  void FinishStartedMelds() {
    const bool first = !v_.MinMeldMet[v_.Seat];
    for (int r : rules::MeldRanks) {
      if (!melds_[r].Started) continue;
      if (rules::MeldStands(melds_[r]) && (!first || naturals_[r].empty())) continue;
      Unit& u = Begin();
      while ((first || !rules::MeldStands(melds_[r])) && !naturals_[r].empty()) Natural(u, r);
      while (!rules::MeldStands(melds_[r]) && Wild(u, r)) {
      }
    }
  }

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
    const int requirement = v_.Requirement[v_.Seat];
    for (int r : triples) {
      if (rules::MeetsMinimumMeld(points_, requirement)) break;
      AllOfRank(Begin(), r);
    }
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

  // Wild cards finish a canasta when that is within reach this turn: the first
  // canasta is needed to go out, and late in the hand a mixed canasta now is
  // worth more than a pure one that may never come.
  void CompleteCanastasWithWilds() {
    std::vector<int> ranks(rules::MeldRanks.begin(), rules::MeldRanks.end());
    std::stable_sort(ranks.begin(), ranks.end(),
                     [&](int a, int b) { return melds_[a].Count > melds_[b].Count; });
    for (int r : ranks) {
      const int missing = rules::CanastaSize - melds_[r].Count;
      if (!melds_[r].Started || missing <= 0 || missing > static_cast<int>(wilds_.size())) continue;
      const bool worthIt = !AnyCanasta(melds_) || v_.StockCount <= kLateStock ||
                           expert_.EndChance(v_) >= ExpertPolicy::kEnding;
      if (!worthIt) continue;
      Unit& u = Begin();
      while (!rules::IsCanasta(melds_[r]) && Wild(u, r)) {
      }
      if (!rules::IsCanasta(melds_[r])) Undo();
    }
  }
  static constexpr int kLateStock = 14;

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

  // Going out needs a canasta, and is worth it only when it wins the hand, or
  // the game, or the hand is ending anyway. Otherwise two cards stay in the
  // hand: one to discard and one to play on with.
  void KeepCardsOrGoOut() {
    if (hand_ <= 1 && AnyCanasta(melds_) && WantsToGoOut()) return;
    while (hand_ < 2 && units_.size() > needed_) Undo();
  }

  bool WantsToGoOut() const {
    const int me = v_.Seat, them = v_.Opponent;
    const int mine = MeldScore(melds_, points_) + rules::GoingOutBonus +
                     rules::RedThreePoints * v_.RedThrees[me];
    // The other hand is unseen: its cards count at the average of the unseen cards.
    double unseenPoints = 0;
    int unseenCards = 0;
    for (int r = 1; r <= RankJoker; ++r) {
      if (r == RankRedThree) continue;
      unseenPoints += PointsOfRank(r) * v_.Unseen[r];
      unseenCards += v_.Unseen[r];
    }
    const double average = unseenCards > 0 ? unseenPoints / unseenCards : 10;
    const double theirs = MeldScore(v_.Melds[them], v_.MeldPoints[them]) +
                          rules::RedThreePoints * v_.RedThrees[them] - average * v_.HandCount[them];
    const bool winsHand = mine > theirs;
    const bool winsGame = v_.GameScore[me] + mine >= v_.TargetScore &&
                          v_.GameScore[me] + mine > v_.GameScore[them] + theirs;
    const bool gameClose = std::max(v_.GameScore[me], v_.GameScore[them]) + 1500 >= v_.TargetScore;
    const bool ending =
        v_.StockCount <= kLateStock || expert_.EndChance(v_) >= ExpertPolicy::kEnding;
    return winsGame || (winsHand && (gameClose || ending || mine - theirs >= 400));
  }

  const ExpertPolicy& expert_;
  const SeatView& v_;
  std::array<MeldItems, 14> melds_;
  int points_ = 0;
  int hand_ = 0;
  std::vector<int> wilds_;
  std::array<std::vector<int>, 14> naturals_;
  std::vector<Unit> units_;
  std::size_t needed_ = 0;
};

}  // namespace

MeldPlan ExpertPolicy::PlanMelds(const SeatView& view) const {
  return Planner(*this, view).Make();
}

MeldStep ExpertPolicy::NextMeld(const SeatView& view, int) {
  const MeldPlan plan = PlanMelds(view);
  return plan.Steps.empty() ? MeldStep{} : plan.Steps.front();
}

// How likely the hand ends before this seat's next turn: the other player
// goes out, or the stock runs dry.
double ExpertPolicy::EndChance(const SeatView& v) const {
  static constexpr double byCards[] = {1.0, 0.9, 0.7, 0.45, 0.25, 0.12};
  const int cards = v.HandCount[v.Opponent];
  double chance = cards < 6 ? byCards[cards] : 0.05;
  if (v.StockCount <= 2)
    chance = 1.0;
  else if (v.StockCount <= 6)
    chance = std::max(chance, 0.5);
  return chance;
}

// Whether the other player could take the pile with this card on top, by the
// table's rules for the pile's state and for that player's seat, and by what
// the unseen cards make likely.
double ExpertPolicy::TakeChance(const SeatView& v, int card) const {
  const int them = v.Opponent;
  const int r = RankOfCard(card);
  // A black three blocks the pile and a wild card on top cannot be taken.
  if (!rules::IsMeldRank(r)) return 0;
  // The robot's seat takes the pile only once its first meld is made.
  if (them == Robot && !v.MinMeldMet[Robot]) return 0;
  const bool frozen = WildInPile(v) || !v.MinMeldMet[them];
  if (!frozen && v.Started(them, r)) return 1;
  const int unseen = v.UnseenCount, inHand = v.HandCount[them];
  double chance = ChanceOfAtLeast(2, v.Unseen[r], unseen, inHand);
  if (!frozen) {
    const int wilds = v.Unseen[RankTwo] + v.Unseen[RankJoker];
    chance += ChanceOfExactly(1, v.Unseen[r], unseen, inHand) *
              ChanceOfAtLeast(1, wilds, unseen - v.Unseen[r], inHand - 1);
  }
  // A player who threw this rank away since last taking the pile is not collecting it.
  if (v.Record.DiscardedSinceTake(them, r) > 0) chance *= 0.25;
  // Without a first meld the taker must also make it in the same turn.
  if (!v.MinMeldMet[them]) chance *= 0.5;
  return std::clamp(chance, 0.0, 1.0);
}

bool ExpertPolicy::TakePile(const SeatView& v) {
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
    return plan.FirstMeld && plan.Melds[up].Count >= rules::MeldMinimum;
  }
  // A take that needs no wild card costs nothing; a pile of five or more is
  // worth a wild card, a smaller one is not (the arena says so clearly).
  const bool free = started || v.HandRank[up] >= 2;
  return free || size >= kWorthAWild;
}

// The discard that costs least: the chance it hands the other player the pile,
// times what the pile is worth, plus what the card is worth to keep; and when
// the hand is about to end, the points a card would count against us.
int ExpertPolicy::Discard(const SeatView& v) {
  if (v.Hand.empty()) return 0;
  if (v.Hand.size() == 1) return v.Hand.front();
  const double endChance = EndChance(v);
  const double pileWorth = 30 + 20.0 * (v.DiscardCount() + 1);
  const double freeze = FreezeWorth(v, pileWorth);
  int best = 0;
  double bestCost = 0;
  for (int c : v.Hand) {
    double cost = TakeChance(v, c) * pileWorth + (1 - endChance) * KeepValue(v, c) -
                  endChance * PointsOfCard(c);
    if (IsWildCardNumber(c)) cost -= freeze;
    if (best == 0 || cost < bestCost) best = c, bestCost = cost;
  }
  return best;
}

// A wild card in the pile freezes it: from then on only a natural pair in the
// hand takes it. Worth a wild card when the pile is open to the other player
// and either large or about to be taken by a player close to going out.
double ExpertPolicy::FreezeWorth(const SeatView& v, double pileWorth) const {
  if (WildInPile(v) || !v.MinMeldMet[v.Opponent]) return 0;  // already frozen for them
  if (v.DiscardCount() + 1 < kLargePile && EndChance(v) < kCloseToOut) return 0;
  // What freezing saves: the pile, at the chance of the safest natural discard.
  double safest = 1;
  for (int c : v.Hand)
    if (rules::IsMeldRank(RankOfCard(c))) safest = std::min(safest, TakeChance(v, c));
  return kFreezeShare * pileWorth + safest * pileWorth;
}

}  // namespace larkspur
