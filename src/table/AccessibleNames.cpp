// The table in words for screen readers: cards by their place, the stock, the
// pile and its state, the meld columns, the headings and the labels.
#include "table/AccessibleNames.h"

#include <array>
#include <cctype>

#include "state/CardNames.h"
#include "state/Game.h"

namespace larkspur {

namespace {

std::string Capitalised(std::string text) {
  if (!text.empty()) text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "1 card", "5 cards".
std::string Counted(int n, const std::string& thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// "your" or "Barnaby's".
std::string Whose(const Game& g, int player) {
  return player == Human ? "your" : g.RobotName + "'s";
}

int CountAt(const Game& g, int place) {
  int n = 0;
  for (int c = 1; c <= CardCount; ++c) n += g.Cards[c].Place == place;
  return n;
}

// The card on top of a place's stack: the pile's up card, or the one drawn last.
int TopAt(const Game& g, int place) {
  if (place == PlacePile && g.UpCard != 0 && g.Cards[g.UpCard].Place == PlacePile) return g.UpCard;
  int top = 0;
  for (int c = 1; c <= CardCount; ++c) {
    if (g.Cards[c].Place != place || !g.Table.PicCards[c].Visible) continue;
    if (top == 0 || g.Table.PicCards[c].ZOrder > g.Table.PicCards[top].ZOrder) top = c;
  }
  return top;
}

// A wild card in the pile stands up out of its fan, so it shows under the top card.
bool StandsOutOfPile(const Game& g, int card) {
  return IsWildRank(g.Cards[card].Rank);
}

// The face a card's picture shows, or nothing when it lies face down.
std::string ShownFace(const Game& g, int card) {
  const int image = g.Table.PicCards[card].Image;
  return image >= 1 && image <= CardCount ? Capitalised(CardName(image)) : std::string();
}

// A click on this heading would add the chosen wild card to the human's meld:
// the same checks as the heading's click.
bool WildCardFits(const Game& g, int rank) {
  const int wild = g.WildChosen;
  if (wild == 0 || !g.MayMove() || g.Cards[wild].Place != PlaceHumanHand || !g.PlayerToPlay ||
      g.PlayerTurnOpen)
    return false;
  if (rank < RankAce || rank > RankKing || rank == RankTwo) return false;
  const MeldItems& meld = g.MeldInfo[Human][rank];
  return meld.Started && rules::MayAddWild(Human, meld);
}

// A button's caption without the marks of its access key.
std::string WithoutAccessKey(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

}  // namespace

AccessibleText AccessibleCard(const Game& g, int card) {
  AccessibleText text;
  if (card < 1 || card > CardCount) return text;
  const int place = g.Cards[card].Place;
  const std::string face = ShownFace(g, card);
  auto named = [&](const std::string& where, const std::string& faceDown) {
    text.Name = face.empty() ? faceDown : face + ", " + where;
  };
  switch (place) {
    case PlaceHumanHand: {
      named("in your hand", "A card in your hand");
      if (g.WildChosen == card) text.Name += ", chosen to add to a meld";
      int from = 1, count = 0;
      for (int c = 1; c <= CardCount; ++c) {
        if (g.Cards[c].Place != PlaceHumanHand) continue;
        ++count;
        from += g.Table.PicCards[c].Left < g.Table.PicCards[card].Left;
      }
      text.Description =
          "Card " + std::to_string(from) + " of " + std::to_string(count) + " in your hand";
      text.Pressable = true;
      break;
    }
    case PlaceRobotHand:
      named("in " + Whose(g, Robot) + " hand", "A card in " + Whose(g, Robot) + " hand");
      text.Description = g.RobotName + " holds " + Counted(CountAt(g, PlaceRobotHand), "card");
      break;
    case PlaceStock:
      text.Covered = card != TopAt(g, PlaceStock);
      text.Name = text.Covered ? "A card in the stock" : AccessibleStockName(g);
      text.Pressable = true;
      break;
    case PlacePile: {
      const bool top = card == TopAt(g, PlacePile);
      text.Covered = !top && !StandsOutOfPile(g, card);
      if (top) {
        text.Name = AccessiblePileName(g);
        // What freezes the pile shows beside the top card.
        std::string wild;
        for (int c = 1; c <= CardCount; ++c)
          if (g.Cards[c].Place == PlacePile && StandsOutOfPile(g, c))
            wild += (wild.empty() ? "" : ", ") + CardName(c);
        text.Description = wild.empty() ? "No wild cards in it" : "Wild cards in it: " + wild;
      } else if (text.Covered) {
        text.Name = "A card in the discard pile";
      } else {
        named("in the discard pile", "A card in the discard pile");
      }
      text.Pressable = true;
      break;
    }
    case PlaceHumanMeld:
    case PlaceRobotMeld: {
      const int player = place == PlaceHumanMeld ? Human : Robot;
      const int column = g.Cards[card].MeldColumn[player];
      text.Description = AccessibleMeldName(g, player, column);
      named("in " + Whose(g, player) + " " + RankNamePlural(column), "A melded card");
      break;
    }
    case PlaceHumanRedThree:
    case PlaceRobotRedThree: {
      const int player = place == PlaceHumanRedThree ? Human : Robot;
      named(player == Human ? "a red three you laid down"
                            : "a red three " + g.RobotName + " laid down",
            "A red three laid down");
      text.Description = AccessibleMeldName(g, player, RankRedThree);
      break;
    }
    default:
      text.Name = face.empty() ? "A card" : face;
  }
  return text;
}

std::string AccessibleStockName(const Game& g) {
  const int count = CountAt(g, PlaceStock);
  return count == 0 ? "Stock, empty" : "Stock, " + Counted(count, "card");
}

std::string AccessiblePileName(const Game& g) {
  const int count = CountAt(g, PlacePile);
  std::string name = "Discard pile, " + (count == 0 ? "empty" : Counted(count, "card"));
  switch (g.Table.Shape1.BorderColor) {
    case PileOpen:
      name += ", open";
      break;
    case PileFrozen:
      name += ", frozen";
      break;
    case PileBlocked:
      name += ", blocked";
      break;
  }
  if (const int top = TopAt(g, PlacePile); top != 0) name += ", top card " + CardName(top);
  return name;
}

std::string AccessibleMeldName(const Game& g, int player, int column) {
  const std::string whose = Capitalised(Whose(g, player));
  if (column == RankRedThree) {
    const int laid = CountAt(g, player == Human ? PlaceHumanRedThree : PlaceRobotRedThree);
    return whose + " red threes: " + (laid == 0 ? "none" : std::to_string(laid)) + " laid down";
  }
  if (column < RankAce || column > RankKing || column == RankTwo) return whose + " melds";
  const MeldItems& meld = g.MeldInfo[player][column];
  std::string name = whose + " " + RankNamePlural(column) + ": ";
  if (meld.Count == 0) return name + "no meld";
  name += Counted(meld.Count, "card") + ", " +
          (meld.WildCount == 0 ? "no wild cards" : Counted(meld.WildCount, "wild card")) + ", ";
  // A meld stays mixed from its first wild card on, as its label shows.
  const bool pure = rules::IsPure(meld);
  if (rules::IsCanasta(meld)) return name + (pure ? "pure canasta" : "mixed canasta");
  if (!pure) return name + "mixed";
  return name + (meld.Count >= rules::MeldMinimum ? "pure" : "not yet a meld");
}

std::string MeldCardsText(const Game& g, int player, int column) {
  std::string wild, natural;
  for (int c = 1; c <= CardCount; ++c) {
    const int place = g.Cards[c].Place;
    const bool in = column == RankRedThree
                        ? place == (player == Human ? PlaceHumanRedThree : PlaceRobotRedThree)
                        : place == (player == Human ? PlaceHumanMeld : PlaceRobotMeld) &&
                              g.Cards[c].MeldColumn[player] == column;
    if (!in) continue;
    std::string& list = c <= LastWildCard ? wild : natural;
    list += (list.empty() ? "" : ", ") + CardName(c);
  }
  const std::string cards = natural + (natural.empty() || wild.empty() ? "" : ", ") + wild;
  return cards.empty() ? cards : Capitalised(RankNamePlural(column)) + ": " + cards;
}

std::string ElementToolTip(const Game& g, const TableElement& element) {
  if (element.Frm) return element.Frm->ToolTip;
  if (!element.Lbl) return {};
  for (int column = 0; column <= RankRedThree; ++column) {
    for (int player : {Human, Robot}) {
      if (element.Lbl != &(player == Human ? g.Table.lblMelds : g.Table.lblMeldsC)[column])
        continue;
      const std::string cards = MeldCardsText(g, player, column);
      return cards.empty() ? element.Lbl->ToolTip : cards;
    }
  }
  return element.Lbl->ToolTip;
}

std::string AccessibleHeadingName(const Game& g, int index) {
  const int column = index == RankJoker ? RankRedThree : index;
  std::string name = Capitalised(RankNamePlural(column));
  if (WildCardFits(g, index)) name += ": click to add the " + CardName(g.WildChosen) + " you chose";
  return name;
}

AccessibleText AccessibleElement(const Game& g, const TableElement& element) {
  const TableModel& t = g.Table;
  if (element.Frm) return {Trimmed(element.Frm->Caption), element.Frm->ToolTip};
  if (!element.Lbl) return {};
  const Label& label = *element.Lbl;
  if (element.Style == ElementStyle::Heading) {
    const int column = element.Index == RankJoker ? RankRedThree : element.Index;
    return {
        AccessibleHeadingName(g, element.Index),
        AccessibleMeldName(g, Robot, column) + ". " + AccessibleMeldName(g, Human, column) + "."};
  }
  for (int column = 0; column <= RankRedThree; ++column) {
    if (&label == &t.lblMelds[column])
      return {AccessibleMeldName(g, Human, column), ElementToolTip(g, element)};
    if (&label == &t.lblMeldsC[column])
      return {AccessibleMeldName(g, Robot, column), ElementToolTip(g, element)};
  }
  // A value of the results frame: its row and whose column it is in.
  for (const ResultsRow& row : ResultsRows) {
    for (int p : {Human, Robot}) {
      if (&label != &(t.*row.Values)[p]) continue;
      const std::string value = Trimmed(label.Caption);
      return {Trimmed((t.*row.Caption).Caption) + ", " +
                  Trimmed((p == Human ? t.LblP : t.LblB).Caption) + ": " +
                  (value.empty() ? "none" : value),
              label.ToolTip};
    }
  }
  const std::string caption = Trimmed(label.Caption);
  return {element.Kind == ElementKind::Button ? WithoutAccessKey(caption) : caption, label.ToolTip};
}

}  // namespace larkspur
