// The table's labels, meld columns and frames at their places, with their first captions.
#include "table/TableModel.h"

namespace larkspur {

const std::array<MeldHeading, 13> MeldHeadings{{
    {RankBlackThree, " Black 3's"},
    {RankAce, " Aces"},
    {RankKing, "Kings"},
    {RankQueen, " Queens"},
    {RankJack, "Jacks"},
    {RankTen, "Tens"},
    {RankNine, "Nines"},
    {RankEight, " Eights"},
    {RankSeven, "Sevens"},
    {RankSix, "Sixes"},
    {RankFive, "Fives"},
    {RankFour, "Fours"},
    {RankJoker, "Red 3's"},
}};

namespace {

Label MakeLabel(int left, int top, int width, int height, const char* caption,
                const char* tip = "") {
  Label l;
  l.Left = left;
  l.Top = top;
  l.Width = width;
  l.Height = height;
  l.Caption = caption;
  l.ToolTip = tip;
  return l;
}

Frame MakeFrame(int left, int top, int width, int height, const char* caption, const char* tip) {
  Frame f;
  f.Left = left;
  f.Top = top;
  f.Width = width;
  f.Height = height;
  f.Caption = caption;
  f.ToolTip = tip;
  return f;
}

void PlaceMeldColumns(TableModel& t) {
  for (const auto& heading : MeldHeadings) {
    const int labelIndex = heading.Rank == RankJoker ? RankRedThree : heading.Rank;
    const int left = MeldColumnLeft(labelIndex);
    t.lblMeldsC[labelIndex] = MakeLabel(left, RobotMeldLabelTop, MeldColumnWidth, 615, "");
    t.lblMelds[labelIndex] = MakeLabel(left, HumanMeldLabelTop, MeldColumnWidth, 615, "");
    t.LblHeadings[heading.Rank] =
        MakeLabel(left, MeldHeadingTop, MeldColumnWidth, 375, heading.Caption);
  }
  t.LblHeadings[RankSeven].ToolTip = "Sevens melded here";
}

void PlaceResultsFrame(TableModel& t) {
  t.FramResults = MakeFrame(5880, 1920, 5895, 5880, "Scores and Winner", "Result of Hand played");
  t.LblP = MakeLabel(2040, 240, 1935, 330, "You");
  t.LblB = MakeLabel(4200, 240, 1575, 330, "Opponent");
  constexpr int captionWidth = 1755;
  t.lblMeld = MakeLabel(240, 720, captionWidth, 330, "Points Cards Melded");
  t.lblBonusPoints = MakeLabel(240, 1200, captionWidth, 330, "Bonus Red Threes");
  t.lblMixed = MakeLabel(240, 1680, captionWidth, 330, "Bonus Mixed Melds");
  t.lblPure = MakeLabel(240, 2160, captionWidth, 330, "Bonus Pure");
  t.lblMeldPointsG = MakeLabel(240, 2640, captionWidth, 330, "Out First Bonus");
  t.LblPointsoff = MakeLabel(240, 3120, captionWidth, 330, "Less Points Hand");
  t.lblTotalP = MakeLabel(240, 3720, captionWidth, 330, "Total this Hand");
  t.GGrandtotal = MakeLabel(240, 4320, captionWidth, 330, "Total Game Points");
  const int tops[8] = {720, 1200, 1680, 2160, 2640, 3120, 3720, 4320};
  std::array<Label, 3>* rows[8] = {&t.CardPoints,  &t.RThreesPoints, &t.MixedCans,
                                   &t.PureCans,    &t.OutFirst,      &t.MinusPoints,
                                   &t.PointsTotal, &t.LblGamePoints};
  for (int i = 0; i < 8; ++i) {
    (*rows[i])[1] = MakeLabel(2040, tops[i], 1935, 330, "");
    (*rows[i])[2] = MakeLabel(4200, tops[i], 1575, 330, "");
  }
  t.lblInfoScores = MakeLabel(240, 5160, 5295, 615, "Instructions");
  t.cmdNew = MakeLabel(3480, 4680, 1575, 405, "&Carry On", "Deal Next Hand");
  t.cmdSave = MakeLabel(600, 4680, 1575, 405, "E&xit and Save", "Close down and save game");
}

void PlaceTargetFrame(TableModel& t) {
  t.FramTarget = MakeFrame(7320, 3360, 2775, 3855, "Target points a game",
                           "Set number of points to play to in each game");
  // The entry box sits at the top; the note below it explains it.
  t.Label1 = MakeLabel(
      120, 840, 2535, 2400,
      "Enter above how many Target points you wish to play for in each game. Default Target "
      "points are set to 5000  but depending whether you want a long or short game enter any "
      "number you wish as the Target Points for your games. Anything entered below 500  will be "
      "set as 500  and any number above 5000 as 5000.");
  t.CmdTarget = MakeLabel(600, 3300, 1575, 405, "&O.K", "Click to Exit");
  t.TxtpointsToolTip = "Enter the niumber of points for game Target";
}

}  // namespace

TableModel::TableModel() : Caption("Larkspur") {
  LblGenInfo = MakeLabel(120, 960, 1215, 4695, "Gereral Information");
  LblMinMeld = MakeLabel(12240, RobotScoreRowTop, 1905, 330, "Minimum Meld:", "Your minimum meld");
  LblTargetScore = MakeLabel(12240, 360, 1725, 330, "Target Score:", "The target Score");
  LblNames[1] = MakeLabel(0, RobotScoreRowTop, 1590, 330, "Robot Name");
  LblNames[2] = MakeLabel(0, HumanScoreRowTop, 1710, 330, "Player  Name");
  LblGameScore[2] = MakeLabel(2040, RobotScoreRowTop, 1335, 330, "Game Pts.",
                              "Opponents total towards target score to date");
  LblGameScore[1] = MakeLabel(1920, HumanScoreRowTop, 1335, 330, "Game Pts.",
                              "Your total towards target score last hand");
  LblHandScore[2] = MakeLabel(4800, RobotScoreRowTop, 1170, 330, "Hand Pts",
                              "Opponents total score so far this hand");
  LblHandScore[1] = MakeLabel(4080, HumanScoreRowTop, 1260, 330,
                              "Hand Pts:", "Your total score so far this hand");
  LblMeldScore[2] = MakeLabel(7320, RobotScoreRowTop, 1185, 330, "Meld Pts.",
                              "Opponents hand score for Melded Cards");
  LblMeldScore[1] =
      MakeLabel(6240, HumanScoreRowTop, 1200, 330, "Meld Pts:", "Your hand score for Melded Cards");
  LblBonusScore[2] = MakeLabel(9840, RobotScoreRowTop, 1365, 330, "Bonus Pts.",
                               "Opponents Bonus scores  for Hand");
  LblBonusScore[1] =
      MakeLabel(8400, HumanScoreRowTop, 1365, 330, "Bonus Pts.", "Your Bonus scores  for Hand");
  LblPointsHand =
      MakeLabel(10560, HumanScoreRowTop, 1380, 330, "PTs. Hand:", "Points remaining in your hand");
  LblStock = MakeLabel(0, 8640, 690, 270, "Stock:", "Number of cards in stock");
  LblDiscard = MakeLabel(0, 6000, 990, 270, "Discards:", "Number of cards in stock");
  LblDiscarding = MakeLabel(
      1560, 8880, 10350, 330,
      "Click single cards to meld - when finished Melding click here and then card to Discard");
  LblReturnPack = MakeLabel(13200, HumanScoreRowTop, 1680, 330, "Return Cards",
                            "Click to return melded card to hand");
  // Both command labels belong to the melding phase of the human's turn.
  LblDiscarding.Visible = false;
  LblReturnPack.Visible = false;
  PlaceMeldColumns(*this);
  PlaceResultsFrame(*this);
  PlaceTargetFrame(*this);
  for (int c = 1; c <= CardCount; ++c) PicCards[c].Image = BackImage;
  PicCards[1].Visible = true;
}

}  // namespace larkspur
