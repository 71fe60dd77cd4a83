// The melds on the table: cards in their columns, and the labels that describe each meld.
#include <array>

#include "state/Game.h"

namespace larkspur {

namespace {

constexpr std::array<int, 12> HumanColumns{RankAce, RankBlackThree, RankFour,  RankFive,
                                           RankSix, RankSeven,      RankEight, RankNine,
                                           RankTen, RankJack,       RankQueen, RankKing};

void ShowMeldLabel(Label& label, const MeldItems& m) {
  const std::string counts = std::to_string(m.Count) + " Wild:-" + std::to_string(m.WildCount);
  if (rules::IsCanasta(m) && rules::IsPure(m)) {
    label.BackColor = PureCanastaColor;
    label.Caption = " Pure Canasta " + counts;
  } else if (rules::IsCanasta(m)) {
    label.BackColor = MixedCanastaColor;
    label.Caption = " Mixed Canasta " + counts;
  } else if (!rules::IsPure(m)) {
    label.BackColor = MixedMeldColor;
    label.Caption = "Mixed:- " + counts;
  } else if (m.Count >= rules::MeldMinimum) {
    label.BackColor = PureMeldColor;
    label.Caption = "Pure:- " + counts;
  }
}

}  // namespace

void Game::LayOutMelds(int player) {
  if (NextHandGo) return;
  for (int r = RankFour; r <= RankKing; ++r) ColumnLeft[r] = MeldColumnLeft(r);
  ColumnLeft[RankAce] = MeldColumnLeft(RankAce);
  ColumnLeft[RankBlackThree] = MeldColumnLeft(RankBlackThree);

  const int meldPlace = player == Human ? PlaceHumanMeld : PlaceRobotMeld;
  const int naturalRowTop = player == Human ? HumanMeldRowTop : RobotMeldRowTop;
  const int wildRowTop = player == Human ? HumanWildRowTop : RobotWildRowTop;
  auto inColumn = [&](int c, int column) {
    return Cards[c].Place == meldPlace && Cards[c].MeldColumn[player] == column;
  };

  auto layColumn = [&](int column) {
    int top = naturalRowTop;
    for (int c = 1; c <= CardCount; ++c) {
      if (!inColumn(c, column)) continue;
      auto& pic = Table.PicCards[c];
      pic.Left = ColumnLeft[column];
      pic.Top = top;
      Table.BringToFront(pic);
      top += MeldCardStep;
    }
  };
  if (player == Human) {
    for (int column : HumanColumns) layColumn(column);
  } else {
    for (int column : rules::MeldRanks) layColumn(column);  // the robot melds no black threes
  }

  // Wild cards sit together on the wild row, behind their column's naturals.
  for (int column = RankAce; column <= RankKing; ++column) {
    for (int c = FirstWildCard; c <= LastWildCard; ++c) {
      if (!inColumn(c, column)) continue;
      Table.PicCards[c].Left = ColumnLeft[column];
      Table.PicCards[c].Top = wildRowTop;
    }
  }

  for (int column : HumanColumns) {
    Label& label = player == Robot ? Table.lblMeldsC[column] : Table.lblMelds[column];
    ShowMeldLabel(label, MeldInfo[player][column]);
  }

  Delay = 1;
  DealSound();
  Delay = PaceSetting;
  CountBonuses(player);
  if (HandCount[Human] == 0) {
    PlayerToPlay = false;
    PlayerTurnOpen = false;
    PlayerHasDrawn = false;
  }
  Delay = PaceSetting;
}

bool Game::MeldsComplete(int player) {
  for (int column : HumanColumns)
    if (!rules::MeldStands(MeldInfo[player][column])) return false;
  return true;
}

}  // namespace larkspur
