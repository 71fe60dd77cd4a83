// The hand log: each move noted where the cards move, and told in words.
#include "scoring/HandLog.h"

#include <utility>

#include "state/CardNames.h"
#include "state/Game.h"

namespace larkspur {

void Game::LogMove(HandMove move, int player, int card, int number) {
  std::vector<LoggedMove>& moves = Log.Moves;
  LoggedMove* last = moves.empty() || moves.back().Player != player ? nullptr : &moves.back();
  auto joins = [&](HandMove kind) { return last != nullptr && last->Move == kind; };
  ++Log.Revision;
  LoggedMove line{move, player, {}, 0, number, false};
  if (card != 0) line.Cards.push_back(card);
  switch (move) {
    case HandMove::StockDraw:
      // A red three's replacement goes on its line; a turn's two draws share one.
      if ((joins(HandMove::RedThree) || joins(HandMove::StockDraw)) && last->Cards.size() < 2)
        return last->Cards.push_back(card);
      break;
    case HandMove::PileTaken:
      // The top card is melded at once: the line tells the pile's rank instead,
      // and gathers the cards melded with it.
      line.Cards.clear();
      line.Rank = Cards[card].Rank;
      line.Onto =
          line.Rank >= RankAce && line.Rank <= RankKing && MeldInfo[player][line.Rank].Started;
      break;
    case HandMove::Meld:
      if (Cards[card].FromDiscard) return;  // a taken pile's top card: its line tells it
      line.Rank = number;
      line.Number = 0;
      // Cards that start a meld with a taken pile's top card go on the take's line.
      if (((joins(HandMove::PileTaken) && !last->Onto) || joins(HandMove::Meld)) &&
          last->Rank == number)
        return last->Cards.push_back(card);
      line.Onto = MeldInfo[player][number].Count > 0;
      break;
    case HandMove::TakenBack:
      if (joins(HandMove::TakenBack)) return last->Cards.push_back(card);
      break;
    default:
      break;
  }
  moves.push_back(std::move(line));
}

namespace {

std::string Who(const Game& g, int player) {
  return player == Human ? "You" : g.RobotName;
}
std::string Their(int player) {
  return player == Human ? "your" : "his";
}
std::string The(int card) {
  return "the " + CardName(card);
}

// "the king of spades" for one card; for more, how many of each rank, wild
// cards last: "two kings and a joker".
std::string Describe(const std::vector<int>& cards) {
  if (cards.size() == 1) return The(cards.front());
  std::vector<std::pair<int, int>> ranks;  // rank, count; in the order first met
  for (bool wild : {false, true}) {
    for (int c : cards) {
      if (IsWildCardNumber(c) != wild) continue;
      const int r = RankOfCard(c);  // a melded wild card is a two or a joker, whatever its meld
      auto it = ranks.begin();
      while (it != ranks.end() && it->first != r) ++it;
      if (it == ranks.end())
        ranks.emplace_back(r, 1);
      else
        it->second += 1;
    }
  }
  std::string text;
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    const auto [r, n] = ranks[i];
    if (i > 0) text += i + 1 == ranks.size() ? " and " : ", ";
    if (n > 1) {
      text += CountWord(n) + " " + RankNamePlural(r);
    } else {
      const std::string name = RankName(r);
      text += (name.front() == 'a' || name.front() == 'e' ? "an " : "a ") + name;
    }
  }
  return text;
}

std::string Line(const Game& g, const LoggedMove& m) {
  const std::string who = Who(g, m.Player);
  const bool human = m.Player == Human;
  const auto n = m.Cards.size();
  switch (m.Move) {
    case HandMove::StockDraw: {
      // The robot's hand is hidden: only the human's own draws are named.
      std::string drawn = n == 1 ? "a card" : CountWord(int(n)) + " cards";
      if (human) {
        drawn = The(m.Cards.front());
        if (n > 1) drawn += " and " + The(m.Cards[1]);
      }
      return who + " drew " + drawn + " from the stock";
    }
    case HandMove::RedThree:
      return who + " laid down " + The(m.Cards.front()) +
             (n < 2 ? "" : " and drew " + (human ? The(m.Cards[1]) : "a card") + " in its place");
    case HandMove::PileTaken: {
      std::string line = who + " took the discard pile (" + std::to_string(m.Number) +
                         (m.Number == 1 ? " card)" : " cards)");
      if (n > 0) return line + " with " + Describe(m.Cards);
      if (m.Onto) return line + " for " + Their(m.Player) + " " + RankNamePlural(m.Rank);
      return line;
    }
    case HandMove::Meld:
      if (m.Onto)
        return who + " added " + Describe(m.Cards) + " to " + Their(m.Player) + " " +
               RankNamePlural(m.Rank);
      return who + " melded " + Describe(m.Cards);
    case HandMove::Discard:
      return who + " discarded " + The(m.Cards.front());
    case HandMove::PileGivenBack:
      return who + " gave the discard pile back" +
             (m.Number > 0 ? " and lost " + std::to_string(m.Number) + " points" : "");
    case HandMove::TakenBack:
      return who + " took back " + Describe(m.Cards);
    case HandMove::WentOut:
      return who + " went out";
    case HandMove::StockRanOut:
      return "The stock ran out";
  }
  return {};
}

}  // namespace

std::vector<std::string> HandLogLines(const Game& g) {
  std::vector<std::string> lines;
  for (const LoggedMove& m : g.Log.Moves) lines.push_back(Line(g, m));
  return lines;
}

std::string HandLogText(const Game& g) {
  std::string text;
  for (const std::string& line : HandLogLines(g)) text += line + "\n";
  return text;
}

}  // namespace larkspur
