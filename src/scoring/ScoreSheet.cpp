// The score sheet: a row for each hand as it is scored, and the sheet as text.
#include "scoring/ScoreSheet.h"

#include "state/Game.h"

namespace larkspur {

void Game::StartScoreSheet() {
  Sheet.Start = GameScore;
  Sheet.Rows.clear();
  ++Sheet.Revision;
  HintsThisHand = 0;
}

void Game::NoteHandOnSheet(const PerPlayer<int>& handTotal) {
  SheetRow row;
  row.Hand = static_cast<int>(Sheet.Rows.size()) + 1;
  for (int p : {Human, Robot}) {
    SheetSide& side = row.Sides[p];
    side.Melds = MeldPoints[p];
    side.Canastas =
        PureCanastas[p] * rules::PureCanastaBonus + MixedCanastas[p] * rules::MixedCanastaBonus;
    side.RedThrees = RedThreeBonus[p];
    side.Out = OutBonus[p];
    side.Penalty = p == Human ? PenaltyPoints : 0;
    side.Left = HandPoints[p];
    side.HandTotal = handTotal[p];
    side.GameTotal = GameScore[p];
    if (OutBonus[p] != 0) LogMove(HandMove::WentOut, p);
  }
  if (OutBonus[Human] == 0 && OutBonus[Robot] == 0) LogMove(HandMove::StockRanOut, 0);
  row.Hints = HintsThisHand;
  HintsThisHand = 0;  // the next hand's hints are its own
  Sheet.Rows.push_back(row);
  ++Sheet.Revision;
}

namespace {

std::string Num(int n) {
  return std::to_string(n);
}

}  // namespace

std::vector<std::vector<std::string>> ScoreSheetCells(const Game& g) {
  const std::string robot = g.RobotName + "'s";
  std::vector<std::vector<std::string>> cells{{"Hand"}};
  for (const std::string& who : {std::string("Your"), robot})
    for (const char* what : {"melds", "bonuses", "cards left", "hand total", "game total"})
      cells[0].push_back(who + "\n" + what);
  cells[0].push_back("Hints");
  const std::size_t columns = cells[0].size();
  if (g.Sheet.Start[Human] != 0 || g.Sheet.Start[Robot] != 0) {
    std::vector<std::string>& row = cells.emplace_back(columns);
    row[0] = "Loaded";
    row[5] = Num(g.Sheet.Start[Human]);
    row[10] = Num(g.Sheet.Start[Robot]);
  }
  for (const SheetRow& hand : g.Sheet.Rows) {
    std::vector<std::string>& row = cells.emplace_back(std::vector<std::string>{Num(hand.Hand)});
    for (int p : {Human, Robot}) {
      const SheetSide& s = hand.Sides[p];
      for (int n : {s.Melds, s.Bonuses(), -s.Left, s.HandTotal, s.GameTotal}) row.push_back(Num(n));
    }
    row.push_back(Num(hand.Hints));
  }
  return cells;
}

std::string BonusesInWords(const SheetSide& side) {
  std::string words;
  auto part = [&words](int points, const std::string& what) {
    if (points == 0) return;
    words += (words.empty() ? "" : ", ") + what + " " + Num(points);
  };
  part(side.Canastas, "canastas");
  part(side.RedThrees, "red threes");
  part(side.Out, "going out");
  part(-side.Penalty, "a discard pile given back");
  return words;
}

std::string ScoreSheetText(const Game& g) {
  std::string text;
  for (const std::vector<std::string>& row : ScoreSheetCells(g)) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      std::string cell = row[i];
      for (char& ch : cell)
        if (ch == '\n') ch = ' ';
      text += (i == 0 ? "" : "\t") + cell;
    }
    text += "\n";
  }
  return text;
}

}  // namespace larkspur
