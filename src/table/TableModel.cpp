#include "table/TableModel.h"

namespace larkspur {

const std::array<MeldColumnDesign, 13> MeldColumnsDesign{{
    {3, 14640, " Black 3's"},
    {1, 13560, " Aces"},
    {13, 12480, "Kings"},
    {12, 11400, " Queens"},
    {11, 10320, "Jacks"},
    {10, 9240, "Tens"},
    {9, 8160, "Nines"},
    {8, 7080, " Eights"},
    {7, 6000, "Sevens"},
    {6, 4920, "Sixes"},
    {5, 3840, "Fives"},
    {4, 2760, "Fours"},
    {15, 1680, "Red 3's"},
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
  constexpr int width = 1095;
  for (const auto& col : MeldColumnsDesign) {
    const int labelIndex = col.Rank == 15 ? 14 : col.Rank;
    t.lblMeldsC[labelIndex] = MakeLabel(col.Left, 1920, width, 615, "");
    t.lblMelds[labelIndex] = MakeLabel(col.Left, 8160, width, 615, "");
    t.LblHeadings[col.Rank] = MakeLabel(col.Left, 5280, width, 375, col.Heading);
  }
  t.LblHeadings[7].ToolTip = "Sevens melded here";
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
  LblMinMeld = MakeLabel(12240, 0, 1905, 330, "Minimum Meld:", "Your minimum meld");
  LblTargetScore = MakeLabel(12240, 360, 1725, 330, "Target Score:", "The target Score");
  LblNames[1] = MakeLabel(0, 0, 1590, 330, "Robot Name");
  LblNames[2] = MakeLabel(0, 11040, 1710, 330, "Player  Name");
  LblGameScore[2] =
      MakeLabel(2040, 0, 1335, 330, "Game Pts.", "Opponents total towards target score to date");
  LblGameScore[1] =
      MakeLabel(1920, 11040, 1335, 330, "Game Pts.", "Your total towards target score last hand");
  LblHandScore[2] =
      MakeLabel(4800, 0, 1170, 330, "Hand Pts", "Opponents total score so far this hand");
  LblHandScore[1] =
      MakeLabel(4080, 11040, 1260, 330, "Hand Pts:", "Your total score so far this hand");
  LblMeldScore[2] =
      MakeLabel(7320, 0, 1185, 330, "Meld Pts.", "Opponents hand score for Melded Cards");
  LblMeldScore[1] =
      MakeLabel(6240, 11040, 1200, 330, "Meld Pts:", "Your hand score for Melded Cards");
  LblBonusScore[2] =
      MakeLabel(9840, 0, 1365, 330, "Bonus Pts.", "Opponents Bonus scores  for Hand");
  LblBonusScore[1] = MakeLabel(8400, 11040, 1365, 330, "Bonus Pts.", "Your Bonus scores  for Hand");
  LblPointsHand = MakeLabel(10560, 11040, 1380, 330, "PTs. Hand:", "Points remaining in your hand");
  LblStock = MakeLabel(0, 8640, 690, 270, "Stock:", "Number of cards in stock");
  LblDiscard = MakeLabel(0, 6000, 990, 270, "Discards:", "Number of cards in stock");
  LblDiscarding = MakeLabel(
      1560, 8880, 10350, 330,
      "Click single cards to meld - when finished Melding click here and then card to Discard");
  LblReturnPack =
      MakeLabel(13200, 11040, 1680, 330, "Return Cards", "Click to return melded card to hand");
  // Both command labels belong to the melding phase of the human's turn.
  LblDiscarding.Visible = false;
  LblReturnPack.Visible = false;
  PlaceMeldColumns(*this);
  PlaceResultsFrame(*this);
  PlaceTargetFrame(*this);
  for (int c = 1; c <= 108; ++c) PicCards[c].Image = 109;
  PicCards[1].Visible = true;
}

}  // namespace larkspur
