// The hint: the Expert's choice for the human's next click, with one sentence
// saying what and why. It reads only what the human's seat may see.
#include <string>
#include <vector>

#include "policy/ExpertPolicy.h"
#include "state/Game.h"

namespace larkspur {

namespace {

std::string RankName(int rank, bool plural) {
  static const char* const names[] = {"",      "ace",   "two",       "black three", "four", "five",
                                      "six",   "seven", "eight",     "nine",        "ten",  "jack",
                                      "queen", "king",  "red three", "joker"};
  std::string name = rank >= 1 && rank <= RankJoker ? names[rank] : "card";
  if (plural) name += rank == 6 ? "es" : "s";
  return name;
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

std::string TakeWhy(const SeatView& v) {
  const int up = RankOfCard(v.UpCard);
  const std::string size = " and it holds " + Cards(v.DiscardCount()) + ".";
  if (v.Started(Human, up)) return "you have melded " + RankName(up, true) + size;
  if (v.HandRank[up] >= 2) {
    const std::string pair = "you hold " + Count(v.HandRank[up]) + " " + RankName(up, true);
    if (!v.MinMeldMet[Human]) return pair + " for your first meld" + size;
    return pair + size;
  }
  return "a " + RankName(up, false) + " and a wild card take it" + size;
}

std::string DrawWhy(const SeatView& v) {
  if (v.UpCard == 0) return "the discard pile is empty.";
  if (!v.MayTakePile()) {
    if (v.StateOfPile == PileState::Blocked) return "a black three blocks the discard pile.";
    return "you cannot take the discard pile now.";
  }
  if (!v.MinMeldMet[Human]) return "taking the pile would not make your first meld this turn.";
  const int up = RankOfCard(v.UpCard);
  if (v.Started(Human, up) || v.HandRank[up] >= 2)
    return "taking the pile would leave you too few cards to play on.";
  return "the pile holds only " + Cards(v.DiscardCount()) + ", not worth a wild card.";
}

std::string MeldText(const SeatView& v, const MeldPlan& plan, const MeldStep& step) {
  const int r = step.Rank;
  const bool first = !v.MinMeldMet[Human];
  const std::string why =
      plan.GoesOut ? "with this turn's melds you can go out, and going out pays now."
      : first      ? "with the rest of this turn's melds it makes your first meld of more than " +
                    std::to_string(v.Requirement[Human]) + "."
      : rules::IsCanasta(plan.Melds[r]) && !rules::IsCanasta(v.Melds[Human][r])
          ? "it makes a canasta of " + RankName(r, true) + "."
          : "every card laid scores and brings a canasta nearer.";
  switch (step.What) {
    case MeldStep::AllOfRank:
      return "Meld your " + RankName(r, true) + ": " + why;
    case MeldStep::Natural:
      return "Lay your " + RankName(r, false) + " on your " + RankName(r, true) + ": " + why;
    case MeldStep::Wild:
      return "Add the " + CardName(step.Card) + " to your " + RankName(r, true) + ": " + why;
    default:
      return "";
  }
}

std::string DiscardWhy(const SeatView& v, const ExpertPolicy& expert, int card) {
  const int r = RankOfCard(card);
  if (v.Hand.size() == 1) return "it is your last card and you go out.";
  if (r == RankBlackThree) return "a black three blocks the pile for your opponent.";
  if (IsWildCardNumber(card)) {
    if (expert.EndChance(v) >= ExpertPolicy::kCloseToOut)
      return "your opponent is close to going out and it would count against you.";
    return "it freezes the pile, and your opponent cannot take it.";
  }
  if (v.Record.DiscardedSinceTake(v.Opponent, r) > 0)
    return "your opponent threw " + RankName(r, true) + " away and is not collecting them.";
  if (expert.TakeChance(v, card) < 0.05)
    return "your opponent is unlikely to take the pile with it.";
  return "it is the card you can best spare.";
}

}  // namespace

HintAdvice Game::HumanHint() {
  const std::vector<TableTarget> clickable = ClickableNow();
  if (clickable.empty()) return {};
  ExpertPolicy expert;
  const SeatView v = MakeSeatView(*this, Human);
  if (PlayerTurnOpen) {
    if (v.MayTakePile() && expert.TakePile(v))
      return {{TableTarget::Pile, v.UpCard}, "Take the discard pile: " + TakeWhy(v)};
    // The stock as a click would find it: its top card.
    TableTarget stock{TableTarget::Stock};
    for (const TableTarget& t : clickable)
      if (t.What == TableTarget::Stock) stock = t;
    return {stock, "Draw two cards from the stock: " + DrawWhy(v)};
  }
  if (PlayerHasDrawn) {
    const MeldPlan plan = expert.PlanMelds(v);
    if (!plan.Steps.empty()) {
      const MeldStep& step = plan.Steps.front();
      int card = step.Card;
      if (step.What == MeldStep::AllOfRank)
        for (int c : v.Hand)
          if (card == 0 && RankOfCard(c) == step.Rank) card = c;
      if (step.What == MeldStep::Wild && WildChosen == step.Card)
        return {{TableTarget::Heading, step.Rank},
                "Click the heading of your " + RankName(step.Rank, true) + ": " +
                    MeldText(v, plan, step).substr(MeldText(v, plan, step).find(':') + 2)};
      return {{TableTarget::HandCard, card}, MeldText(v, plan, step)};
    }
    if (!MeldsComplete(Human) || (!MinMeldMet[Human] && v.MeldPoints[Human] > 0))
      return {{TableTarget::ReturnLabel},
              "Click Return Cards: your melds cannot stand as they are."};
    return {{TableTarget::DiscardLabel},
            "Click the Discard label: nothing more is worth melding now."};
  }
  if (PlayerDiscarding) {
    const int card = expert.Discard(v);
    if (card == 0) return {};
    return {{TableTarget::HandCard, card},
            "Discard the " + CardName(card) + ": " + DiscardWhy(v, expert, card)};
  }
  return {};
}

// The Game menu's Hint: the Expert's choice said on the status line and marked
// on the table until the table next changes.
void Game::MnuHint_Click() {
  const HintAdvice hint = HumanHint();
  if (hint.Target.What == TableTarget::None) return;
  HintsThisHand += 1;
  // The status line speaks to the player by name: "Ada  take the discard pile: ...".
  std::string text = hint.Text;
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = char(text[0] - 'A' + 'a');
  SetStatus(" " + text);
  Table.HintTarget = hint.Target;
}

}  // namespace larkspur
