// Bonuses, the score labels, and the results frame at the end of a hand.
#include "state/Game.h"

namespace larkspur {

namespace {
std::string Num(int n) {
  return std::to_string(n);
}
}  // namespace

void Game::CountBonuses(int p) {
  BonusPoints[p] = 0;
  RedThreeBonus[p] = 0;
  RedThreeCount[p] = 0;
  MixedCanastas[p] = 0;
  PureCanastas[p] = 0;
  const int redThreePlace = p == Human ? PlaceHumanRedThree : PlaceRobotRedThree;
  for (int c = FirstRedThree; c <= LastRedThree; ++c)
    RedThreeCount[p] += Cards[c].Place == redThreePlace;
  // Red threes count for a player with a natural meld and against one without.
  RedThreeBonus[p] = rules::RedThreesWorth(RedThreeCount[p], rules::HasMelded(MeldInfo[p]));
  Label& redThrees = p == Human ? Table.lblMelds[14] : Table.lblMeldsC[14];
  redThrees.Caption = "Pts. " + Num(RedThreeBonus[p]);
  // Black threes go out, they make no canasta.
  for (int r : rules::MeldRanks) {
    const MeldItems& m = MeldInfo[p][r];
    if (!rules::IsCanasta(m)) continue;
    BonusPoints[p] += rules::CanastaBonus(m);
    (rules::IsPure(m) ? PureCanastas : MixedCanastas)[p] += 1;
  }
  if (p == Human) BonusPoints[Human] -= PenaltyPoints;
  BonusPoints[p] += RedThreeBonus[p];
  ShowScores();
}

void Game::ShowScores() {
  for (int p : {Human, Robot}) {
    HandScore[p] = MeldPoints[p] + BonusPoints[p];
    Table.LblBonusScore[p].Caption = "Bonus Pts. " + Num(BonusPoints[p]);
    Table.LblMeldScore[p].Caption = "Meld Pts. " + Num(MeldPoints[p]);
    Table.LblHandScore[p].Caption = "Hand Pts. " + Num(HandScore[p]);
    Table.LblGameScore[p].Caption = "Game Pts. " + Num(GameScore[p]);
  }
  Table.LblPointsHand.Caption = "Pts. Hand: " + Num(HandPoints[Human]);
}

void Game::ShowHandResult() {
  HandScored = true;
  ForgetKeptHand();  // the hand is over: nothing of it is left to resume
  for (int p : {Human, Robot}) {
    Table.PureCans[p].Caption.clear();
    Table.MixedCans[p].Caption.clear();
    Table.MinusPoints[p].Caption.clear();
    Table.RThreesPoints[p].Caption.clear();
    Table.OutFirst[p].Caption.clear();
  }
  Table.lblInfoScores.Caption.clear();
  Table.FramResults.Visible = true;
  Table.BringToFront(Table.FramResults);

  PerPlayer<int> total{};
  for (int p : {Human, Robot}) {
    HandLayout(p);
    CountBonuses(p);
    Table.PureCans[p].Caption = Num(PureCanastas[p] * rules::PureCanastaBonus);
    Table.MixedCans[p].Caption = Num(MixedCanastas[p] * rules::MixedCanastaBonus);
    Table.MinusPoints[p].Caption = " - " + Num(HandPoints[p]);
    Table.RThreesPoints[p].Caption = Num(RedThreeBonus[p]);
    if (HandCount[p] == 0) {
      OutBonus[p] = rules::GoingOutBonus;
      Table.OutFirst[p].Caption = Num(OutBonus[p]);
    }
    total[p] = BonusPoints[p] + OutBonus[p] + MeldPoints[p] - HandPoints[p];
    GameScore[p] += total[p];
    Table.PointsTotal[p].Caption = Num(total[p]);
    Table.LblGamePoints[p].Caption = Num(GameScore[p]);
    Table.CardPoints[p].Caption = Num(MeldPoints[p]);
  }
  ShowScores();  // the game totals on the table follow the frame's at once
  NoteHandOnSheet(total);
  NoteHandInStatistics(total[Human]);
  // Who won the hand is told on the status line, where it stays while the
  // frame waits; the frame itself shows the game's status.
  if (total[Robot] > total[Human]) {
    Table.lblInfoScores.Caption = "Sorry, " + RobotName +
                                  " beat you this hand with total score of  " + Num(total[Robot]) +
                                  " against your score of " + Num(total[Human]);
  } else if (total[Human] > total[Robot]) {
    Table.lblInfoScores.Caption = "Well done, you  beat " + RobotName +
                                  " this hand with total score of  " + Num(total[Human]) +
                                  " against his score of  " + Num(total[Robot]);
  }
  if (!Table.lblInfoScores.Caption.empty()) Table.LblGenInfo.Caption = Table.lblInfoScores.Caption;
  // The robot shows its hand to a human who won the hand.
  if (total[Human] > total[Robot]) {
    for (int c = 1; c <= CardCount; ++c)
      if (Cards[c].Place == PlaceRobotHand) Table.PicCards[c].Image = c;
  }
  Table.lblInfoScores.Caption = GameScore[Human] >= TargetScore || GameScore[Robot] >= TargetScore
                                    ? "Game is over - click 'Carry On' button'"
                                    : "game not over - click 'Carry On' button' or 'Exit'";

  WaitForResults();

  for (int p : {Human, Robot}) {
    MeldPoints[p] = 0;
    BonusPoints[p] = 0;
    PureCanastas[p] = 0;
    MixedCanastas[p] = 0;
    OutBonus[p] = 0;
    RedThreeBonus[p] = 0;
    HandPoints[p] = 0;
  }
  ShowScores();
  Delay = PaceSetting;
}

void Game::WaitForResults() {
  while (!ResultsAnswered) {
    host.WaitForEvent();
    CheckAbandon();
  }
  ResultsAnswered = false;
}

}  // namespace larkspur
