// The hint: a plan for the rest of the human's turn, made of the Master's
// decisions and followed click by click, each click with one sentence saying
// what and why. The plan is made on the table as the human's seat sees it and
// carried forward by the clicks' own effects, so that it holds across clicks
// and is made again only when the table differs from what it expects (the
// player clicked something else, or new cards came into the hand). It never
// plans giving cards back: a plan that would not end in a discard or in going
// out is not made.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "policy/ExpertPolicy.h"
#include "policy/MasterPolicy.h"
#include "state/Game.h"

namespace larkspur {

namespace {

// ---- words

std::string RankName(int rank, bool plural) {
  static const char* const names[] = {"",      "ace",   "two",       "black three", "four", "five",
                                      "six",   "seven", "eight",     "nine",        "ten",  "jack",
                                      "queen", "king",  "red three", "joker"};
  std::string name = rank >= 1 && rank <= RankJoker ? names[rank] : "card";
  if (plural) name += rank == 6 ? "es" : "s";
  return name;
}

// "an ace", "an eight", "a seven".
std::string OneOf(int rank) {
  const std::string name = RankName(rank, false);
  return (name.find_first_of("aeiou") == 0 ? "an " : "a ") + name;
}

std::string CardName(int card) {
  return RankName(RankOfCard(card), false);
}

std::string Count(int n) {
  static const char* const words[] = {"no", "one", "two", "three", "four", "five", "six", "seven"};
  return n >= 0 && n <= 7 ? words[n] : std::to_string(n);
}

std::string Cards(int n) {
  return std::to_string(n) + (n == 1 ? " card" : " cards");
}

// ---- the turn as the plan expects the table to stand

enum class Phase { Drawing, Melding, Discarding, Over };

struct TurnState {
  SeatView View;
  Phase Now = Phase::Over;
  int WildChosen = 0;    // a wild card of the hand chosen for a heading
  bool PileDue = false;  // the pile's top was taken; the rest comes with the first meld
};

TurnState TurnStateOf(const Game& g) {
  TurnState s{MakeSeatView(g, Human)};
  s.Now = g.PlayerTurnOpen     ? Phase::Drawing
          : g.PlayerHasDrawn   ? Phase::Melding
          : g.PlayerDiscarding ? Phase::Discarding
                               : Phase::Over;
  if (g.WildChosen != 0 && g.Cards[g.WildChosen].Place == PlaceHumanHand)
    s.WildChosen = g.WildChosen;
  s.PileDue = g.PlayerPileDue;
  return s;
}

// What the clicks of a turn change, as the plan compares it with the table.
std::vector<int> Fingerprint(const TurnState& s) {
  const SeatView& v = s.View;
  std::vector<int> f{static_cast<int>(s.Now),
                     s.WildChosen,
                     s.PileDue,
                     v.UpCard,
                     v.HandCount[Robot],
                     v.RedThrees[Human],
                     static_cast<int>(v.Record.Notes.size())};
  f.insert(f.end(), v.Hand.begin(), v.Hand.end());
  f.push_back(0);
  f.insert(f.end(), v.Pile.begin(), v.Pile.end());
  for (int r : rules::MeldRanks)
    f.insert(f.end(), {v.Melds[Human][r].Count, v.Melds[Human][r].WildCount});
  return f;
}

// The clicks' effects on the turn, as the table's rules have them for the
// human; each click the table would refuse answers false and changes nothing.
class TurnModel {
 public:
  explicit TurnModel(TurnState s) : s_(std::move(s)) {}
  const TurnState& State() const { return s_; }
  const SeatView& View() const { return s_.View; }

  void TakePile() {
    SeatView& v = s_.View;
    const int top = v.UpCard, rank = RankOfCard(top);
    v.Record.NotePileTaken(Human, top, rank, v.DiscardCount());
    v.Pile.erase(std::find(v.Pile.begin(), v.Pile.end(), top));
    v.UpCard = 0;
    Book(top, rank);
    if (v.MinMeldMet[Human])
      HandOver();
    else
      s_.PileDue = true;
    s_.Now = Phase::Melding;
  }
  bool MayMeld(int card) const {
    const SeatView& v = s_.View;
    const int r = RankOfCard(card);
    if (!InHand(card) || !rules::IsMeldRank(r)) return false;
    const int wilds = v.HandRank[RankTwo] + v.HandRank[RankJoker];
    return v.Started(Human, r) || rules::MayStartMeld(v.HandRank[r], wilds);
  }
  bool Meld(int card) {
    if (!MayMeld(card)) return false;
    s_.WildChosen = 0;
    Leave(card);
    Book(card, RankOfCard(card));
    return true;
  }
  bool Choose(int wild) {
    if (!InHand(wild) || !IsWildCardNumber(wild)) return false;
    s_.WildChosen = wild;
    return true;
  }
  bool MayPlaceWild(int rank) const {
    return s_.WildChosen != 0 && s_.View.Started(Human, rank) && s_.View.MayAddWild(rank);
  }
  bool PlaceWild(int rank) {
    if (!MayPlaceWild(rank)) return false;
    const int wild = std::exchange(s_.WildChosen, 0);
    Leave(wild);
    rules::AddWildCard(s_.View.Melds[Human][rank]);
    Book(wild, rank);
    return true;
  }
  void EndMelding() { s_.Now = Phase::Discarding; }
  void Discard(int card) {
    Leave(card);
    s_.Now = Phase::Over;
  }

  // Whether the melds may stand at the end of the turn: whole, and the first
  // meld made unless nothing is melded.
  bool MeldsStand() const {
    const SeatView& v = s_.View;
    for (int r : rules::MeldRanks)
      if (!rules::MeldStands(v.Melds[Human][r])) return false;
    return v.MeldPoints[Human] == 0 || v.MinMeldMet[Human];
  }
  // Whether the table takes a discard now: the melds stand, and a last card
  // goes only with a canasta.
  bool MayDiscard() const {
    const SeatView& v = s_.View;
    return MeldsStand() && (v.Hand.size() >= 2 || (v.Hand.size() == 1 && v.HasCanasta[Human]));
  }
  bool InHand(int card) const {
    return std::binary_search(s_.View.Hand.begin(), s_.View.Hand.end(), card);
  }

 private:
  void Leave(int card) {
    SeatView& v = s_.View;
    v.Hand.erase(std::find(v.Hand.begin(), v.Hand.end(), card));
    v.HandRank[RankOfCard(card)] -= 1;
    v.HandCount[Human] -= 1;
    if (v.Hand.empty() && s_.Now == Phase::Melding) s_.Now = Phase::Over;  // melded out
  }
  // A card goes onto a meld: its points count, and the first meld brings a due pile.
  void Book(int card, int rank) {
    SeatView& v = s_.View;
    MeldItems& meld = v.Melds[Human][rank];
    rules::BookCard(meld);
    v.MeldPoints[Human] += PointsOfCard(card);
    v.MinMeldMet[Human] = rules::MeetsMinimumMeld(v.MeldPoints[Human], v.Requirement[Human]);
    v.HasCanasta[Human] = v.HasCanasta[Human] || rules::IsCanasta(meld);
    if (v.MinMeldMet[Human] && s_.PileDue && !v.Pile.empty()) {
      HandOver();
      s_.PileDue = false;
    }
  }
  void HandOver() {
    SeatView& v = s_.View;
    for (int c : v.Pile) {
      v.Hand.insert(std::upper_bound(v.Hand.begin(), v.Hand.end(), c), c);
      v.HandRank[RankOfCard(c)] += 1;
      v.HandCount[Human] += 1;
    }
    v.Pile.clear();
    if (s_.Now == Phase::Over) s_.Now = Phase::Melding;
  }

  TurnState s_;
};

// ---- the plan

// One click of the plan, with the table as expected before it.
struct Click {
  enum Kind {
    Take,
    Draw,
    NewMeld,
    LayOn,
    ChooseWild,
    Heading,
    EndMelding,
    Discard,
    GiveBack,
    KeepLast
  };
  Kind What;
  TableTarget Target;
  TurnState Before;
  int Rank = 0;
};

class TurnPlanner {
 public:
  TurnPlanner(const Game& g, const TableTarget& stock, MasterPolicy& adviser)
      : model_(TurnStateOf(g)), stock_(stock), adviser_(&adviser) {
    for (int c = 1; c <= CardCount; ++c)
      topTaken_ = topTaken_ || (g.Cards[c].Place == PlaceHumanMeld && g.Cards[c].FromDiscard);
  }

  HintPlan Make() {
    switch (model_.State().Now) {
      case Phase::Drawing:
        PlanDraw();
        break;
      case Phase::Melding: {
        TurnPlanner melding = *this;
        if (melding.PlanMelding())
          *this = std::move(melding);
        else
          PlanWayOut();
        break;
      }
      case Phase::Discarding:
        if (model_.MayDiscard())
          PlanDiscard();
        else
          PlanWayOut();
        break;
      case Phase::Over:
        break;
    }
    HintPlan plan;
    for (const Click& click : clicks_)
      plan.Steps.push_back({{click.Target, Say(click)}, Fingerprint(click.Before)});
    return plan;
  }

 private:
  void Add(Click::Kind what, TableTarget target, int rank = 0) {
    clicks_.push_back({what, target, model_.State(), rank});
  }

  // Take the pile when the Master would and the turn it opens ends well;
  // otherwise draw, and the plan waits for the cards drawn.
  void PlanDraw() {
    const SeatView& v = model_.View();
    if (v.MayTakePile() && adviser_->TakePile(v)) {
      TurnPlanner taking = *this;
      taking.Add(Click::Take, {TableTarget::Pile, v.UpCard});
      taking.model_.TakePile();
      if (taking.PlanMelding()) {
        *this = std::move(taking);
        return;
      }
      takeFailed_ = true;
    }
    Add(Click::Draw, stock_);
  }

  // The Master's melds for the turn, then the discard; false when the turn
  // would not end in a discard or in going out.
  bool PlanMelding() {
    // The rest of a taken pile comes with the first meld: the melds are planned
    // again with its cards, at most once more.
    for (int round = 0; round < 3 && model_.State().Now == Phase::Melding; ++round) {
      const std::size_t pile = model_.View().Pile.size();
      const MeldPlan melds = adviser_->PlanMelds(model_.View());
      bool handedOver = false;
      for (const MeldStep& step : melds.Steps) {
        if (!Meld(step)) return false;
        handedOver = model_.View().Pile.size() != pile;
        if (handedOver || model_.State().Now != Phase::Melding) break;
      }
      if (!handedOver) break;
    }
    if (model_.State().Now == Phase::Over) return model_.View().HasCanasta[Human];
    if (!model_.MayDiscard()) return false;
    PlanDiscard();
    return true;
  }

  // A melding step as the clicks that make it: the cards one by one, a wild
  // card then its meld's heading.
  bool Meld(const MeldStep& step) {
    const int r = step.Rank;
    switch (step.What) {
      case MeldStep::AllOfRank: {
        std::vector<int> cards;
        for (int c : model_.View().Hand)
          if (RankOfCard(c) == r) cards.push_back(c);
        if (cards.empty()) return false;
        const std::size_t pile = model_.View().Pile.size();
        for (int c : cards) {
          if (!MeldCard(c)) return false;
          if (model_.View().Pile.size() != pile || model_.State().Now != Phase::Melding) break;
        }
        return true;
      }
      case MeldStep::Natural:
        return RankOfCard(step.Card) == r && MeldCard(step.Card);
      case MeldStep::Wild:
        if (model_.State().WildChosen != step.Card) {
          Add(Click::ChooseWild, {TableTarget::HandCard, step.Card}, r);
          if (!model_.Choose(step.Card) || !model_.MayPlaceWild(r)) return false;
        }
        Add(Click::Heading, {TableTarget::Heading, r}, r);
        return model_.PlaceWild(r);
      case MeldStep::None:
      case MeldStep::Stop:
        break;
    }
    return false;
  }
  bool MeldCard(int card) {
    const int r = RankOfCard(card);
    Add(model_.View().Started(Human, r) ? Click::LayOn : Click::NewMeld,
        {TableTarget::HandCard, card}, r);
    return model_.Meld(card);
  }

  void PlanDiscard() {
    if (model_.State().Now == Phase::Melding) {
      Add(Click::EndMelding, {TableTarget::DiscardLabel});
      model_.EndMelding();
    }
    const SeatView& v = model_.View();
    if (v.Hand.size() == 1 && !v.HasCanasta[Human]) {
      Add(Click::KeepLast, {TableTarget::HandCard, v.Hand.front()});
      model_.Discard(v.Hand.front());
      return;
    }
    const int card = adviser_->Discard(v);
    if (card == 0) return;
    Add(Click::Discard, {TableTarget::HandCard, card});
    model_.Discard(card);
  }

  // The table as it stands cannot become a discard by melding: discard as it
  // is when the table allows, else give back what cannot stand. Only a turn
  // clicked otherwise than the hints said comes here.
  void PlanWayOut() {
    if (model_.MeldsStand() && !model_.View().Hand.empty()) return PlanDiscard();
    Add(Click::GiveBack, {TableTarget::ReturnLabel});
  }

  // ---- the sentences

  std::string Say(const Click& click) const {
    const SeatView& v = click.Before.View;
    const int r = click.Rank;
    switch (click.What) {
      case Click::Take:
        return "Take the discard pile: " + TakeWhy(v);
      case Click::Draw:
        return "Draw two cards from the stock: " + DrawWhy(v);
      case Click::NewMeld:
        return "Meld your " + RankName(r, true) + ": " + MeldWhy(click);
      case Click::LayOn:
        return "Lay your " + RankName(r, false) + " on your " + RankName(r, true) + ": " +
               MeldWhy(click);
      case Click::ChooseWild:
        return "Add the " + CardName(click.Target.Index) + " to your " + RankName(r, true) + ": " +
               MeldWhy(click);
      case Click::Heading:
        return "Click the heading of your " + RankName(r, true) + ": " + MeldWhy(click);
      case Click::EndMelding:
        return "Click the Discard label: nothing more is worth melding now.";
      case Click::Discard:
        return "Discard the " + CardName(click.Target.Index) + ": " +
               DiscardWhy(v, click.Target.Index);
      case Click::KeepLast:
        return "Click your last card: without a canasta you cannot discard it, and your turn "
               "passes.";
      case Click::GiveBack:
        return std::string("Click Return Cards: your melds cannot stand as they are") +
               (topTaken_ && !v.MinMeldMet[Human]
                    ? ", and the pile's top card goes back for " +
                          std::to_string(rules::PileGivenBackPenalty) + " points."
                    : ".");
    }
    return "";
  }

  std::string TakeWhy(const SeatView& v) const {
    const int up = RankOfCard(v.UpCard);
    const std::string size = " and it holds " + Cards(v.DiscardCount()) + ".";
    if (v.Started(Human, up)) return "you have melded " + RankName(up, true) + size;
    if (v.HandRank[up] >= 2) {
      const std::string pair = "you hold " + Count(v.HandRank[up]) + " " + RankName(up, true);
      return pair + (v.MinMeldMet[Human] ? "" : " for your first meld") + size;
    }
    return OneOf(up) + " and a wild card take it" + size;
  }

  // Why not the pile, in the order the Expert weighs a take; a reason of its
  // own only where the Expert would not take it either.
  std::string DrawWhy(const SeatView& v) const {
    if (v.Pile.empty()) return "the discard pile is empty.";
    const int up = RankOfCard(v.UpCard);
    if (v.UpCard != 0 && up == RankBlackThree) return "a black three blocks the discard pile.";
    if (!v.MayTakePile()) return "you cannot take the discard pile now.";
    const bool started = v.Started(Human, up);
    const int laid = v.HandRank[up] + (!started && v.HandRank[up] == 1 ? 1 : 0);
    if (v.HandCount[Human] - laid + v.DiscardCount() - 1 < 2)
      return "taking the pile would leave you too few cards to play on.";
    // The Master may draw where the Expert would take: then its reason is the search's.
    const bool expertTakes = ExpertPolicy().TakePile(v);
    if (!v.MinMeldMet[Human] && (takeFailed_ || !expertTakes))
      return "taking the pile would not make your first meld this turn.";
    if (takeFailed_ || expertTakes) return "the stock is the better draw this time.";
    const std::string pile = "a pile of " + Cards(v.DiscardCount());
    if (!started && v.HandRank[up] == 1) return pile + " is not worth a wild card.";
    return pile + " would bring you less than two cards from the stock.";
  }

  // Why a card goes onto a meld, by what the turn's plan leaves at its end.
  std::string MeldWhy(const Click& click) const {
    const SeatView& now = click.Before.View;
    const SeatView& end = model_.View();
    const int r = click.Rank;
    if (end.Hand.empty()) return "with this turn's melds you can go out, and going out pays now.";
    if (!now.MinMeldMet[Human])
      return "with the rest of this turn's melds it makes your first meld of more than " +
             std::to_string(now.Requirement[Human]) + ".";
    if (!rules::MeldStands(now.Melds[Human][r]))
      return "your " + RankName(r, true) + " need three cards before you can discard.";
    if (!rules::IsCanasta(now.Melds[Human][r]) && rules::IsCanasta(end.Melds[Human][r]))
      return "it makes a canasta of " + RankName(r, true) + ".";
    return "every card laid scores and brings a canasta nearer.";
  }

  std::string DiscardWhy(const SeatView& v, int card) const {
    const int r = RankOfCard(card);
    if (v.Hand.size() == 1) return "it is your last card and you go out.";
    if (r == RankBlackThree) return "a black three blocks the pile for your opponent.";
    if (IsWildCardNumber(card)) {
      if (expert_.EndChance(v) >= ExpertPolicy::kCloseToOut) {
        if (v.HandCount[Robot] <= 3)
          return "your opponent is close to going out and it would count against you.";
        return "the stock is down to " + Cards(v.StockCount) + ", and it would count against you.";
      }
      const bool wildInPile = std::any_of(v.Pile.begin(), v.Pile.end(), IsWildCardNumber);
      if (!wildInPile && v.MinMeldMet[Robot])
        return "it freezes the pile, and your opponent cannot take it.";
      return "the pile is frozen already, and with a wild card on top your opponent cannot take "
             "it.";
    }
    if (v.Record.DiscardedSinceTake(Robot, r) > 0)
      return "your opponent threw " + RankName(r, true) + " away and is not collecting them.";
    if (expert_.TakeChance(v, card) < 0.05)
      return "your opponent is unlikely to take the pile with it.";
    return "it is the card you can best spare.";
  }

  TurnModel model_;
  TableTarget stock_;
  MasterPolicy* adviser_;
  ExpertPolicy expert_;  // its judgements give the reasons
  std::vector<Click> clicks_;
  bool topTaken_ = false;    // the pile's top card lies in the human's melds
  bool takeFailed_ = false;  // the Expert would take the pile but the turn would not end well
};

}  // namespace

HintAdvice Game::HumanHint() {
  const std::vector<TableTarget> clickable = ClickableNow();
  if (clickable.empty()) return {};
  // Where the table stands in the plan: at its next step, or a later one when
  // the hint was not asked after every click.
  const std::vector<int> now = Fingerprint(TurnStateOf(*this));
  HintPlan& plan = PlannedHints;
  auto at = std::find_if(
      plan.Steps.begin() + static_cast<std::ptrdiff_t>(std::min(plan.Next, plan.Steps.size())),
      plan.Steps.end(), [&](const HintStep& s) { return s.Expects == now; });
  if (at == plan.Steps.end()) {
    // The stock as a click would find it: its top card.
    TableTarget stock{TableTarget::Stock};
    for (const TableTarget& t : clickable)
      if (t.What == TableTarget::Stock) stock = t;
    const std::string said = plan.Said;
    // The Master answers, within the hint's time, with what it has found by then.
    hintMaster_.PaceWith({nullptr, [this] { return host.TickCount(); }, 0});
    hintMaster_.StopAt(host.TickCount() + HintAnswerMs);
    plan = TurnPlanner(*this, stock, hintMaster_).Make();
    hintMaster_.StopAt(0);
    plan.Said = said;
    at = plan.Steps.begin();
    if (at == plan.Steps.end()) return {};
  }
  plan.Next = static_cast<std::size_t>(at - plan.Steps.begin());
  return at->Advice;
}

// The Game menu's Hint: the advice said on the status line and its element
// marked on the table until the next click.
void Game::MnuHint_Click() {
  const HintAdvice hint = HumanHint();
  if (hint.Target.What == TableTarget::None) return;
  HintsThisHand += 1;
  // The status line speaks to the player by name: "Ada  take the discard pile: ...".
  std::string text = hint.Text;
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = char(text[0] - 'A' + 'a');
  SetStatus(" " + text);
  PlannedHints.Said = Table.LblGenInfo.Caption;
  Table.HintTarget = hint.Target;
}

void Game::PutHintSentenceAway() {
  if (PlannedHints.Said.empty() || Table.LblGenInfo.Caption != PlannedHints.Said) return;
  PlannedHints.Said.clear();
  if (PlayerTurnOpen)
    SetStatus(" click the Discard pack or click Stock for two cards.");
  else if (PlayerHasDrawn && WildChosen != 0 && Cards[WildChosen].Place == PlaceHumanHand)
    SetStatus(" now click on label above the Meld to which you wish to add this card.");
  else if (PlayerHasDrawn)
    SayMelding();
  else if (PlayerDiscarding)
    SetStatus(" now click on 1 card which will be discarded.");
}

}  // namespace larkspur
