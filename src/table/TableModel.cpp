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

const std::array<ResultsRow, 8> ResultsRows{{
    {&TableModel::lblMeld, "lblMeld", &TableModel::CardPoints, "CardPoints", 720,
     "Points Cards Melded"},
    {&TableModel::lblBonusPoints, "lblBonusPoints", &TableModel::RThreesPoints, "RThreesPoints",
     1200, "Bonus Red Threes"},
    {&TableModel::lblMixed, "lblMixed", &TableModel::MixedCans, "MixedCans", 1680,
     "Bonus Mixed Melds"},
    {&TableModel::lblPure, "lblPure", &TableModel::PureCans, "PureCans", 2160, "Bonus Pure"},
    {&TableModel::lblMeldPointsG, "lblMeldPointsG", &TableModel::OutFirst, "OutFirst", 2640,
     "Out First Bonus"},
    {&TableModel::LblPointsoff, "LblPointsoff", &TableModel::MinusPoints, "MinusPoints", 3120,
     "Less Points Hand"},
    {&TableModel::lblTotalP, "lblTotalP", &TableModel::PointsTotal, "PointsTotal", 3720,
     "Total this Hand"},
    {&TableModel::GGrandtotal, "GGrandtotal", &TableModel::LblGamePoints, "LblGamePoints", 4320,
     "Total Game Points"},
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
  for (const ResultsRow& row : ResultsRows) {
    t.*row.Caption = MakeLabel(240, row.Top, 1755, 330, row.Text);
    (t.*row.Values)[1] = MakeLabel(2040, row.Top, 1935, 330, "");
    (t.*row.Values)[2] = MakeLabel(4200, row.Top, 1575, 330, "");
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

std::string Indexed(const char* name, int index) {
  return std::string(name) + '_' + std::to_string(index);
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

std::vector<TableElement> TableModel::Elements() const {
  using Kind = ElementKind;
  using Style = ElementStyle;
  using Click = ElementClick;
  std::vector<TableElement> list;
  const Frame* in = nullptr;  // the frame the elements added now lie in
  auto add = [&](std::string name, Kind kind, Style style, const Label& label,
                 Click click = Click::None, int index = 0) -> TableElement& {
    return list.emplace_back(TableElement{.Name = std::move(name),
                                          .Kind = kind,
                                          .Style = style,
                                          .Click = click,
                                          .Index = index,
                                          .Lbl = &label,
                                          .Parent = in});
  };
  auto addFrame = [&](std::string name, const Frame& frame) {
    list.push_back(
        {.Name = std::move(name), .Kind = Kind::Frame, .Style = Style::Frame, .Frm = &frame});
    in = &frame;
  };

  add("LblGenInfo", Kind::Label, Style::Status, LblGenInfo);
  add("LblMinMeld", Kind::Label, Style::Score, LblMinMeld);
  add("LblTargetScore", Kind::Label, Style::Score, LblTargetScore);
  add("LblPointsHand", Kind::Label, Style::Score, LblPointsHand);
  add("LblStock", Kind::Label, Style::Score, LblStock);
  add("LblDiscard", Kind::Label, Style::Score, LblDiscard);
  for (int p = 1; p <= 2; ++p) {
    add(Indexed("LblNames", p), Kind::Label, Style::Name, LblNames[p]).IsName = true;
    add(Indexed("LblGameScore", p), Kind::Label, Style::Score, LblGameScore[p]);
    add(Indexed("LblHandScore", p), Kind::Label, Style::Score, LblHandScore[p]);
    add(Indexed("LblMeldScore", p), Kind::Label, Style::Score, LblMeldScore[p]);
    add(Indexed("LblBonusScore", p), Kind::Label, Style::Score, LblBonusScore[p]);
  }
  for (const auto& heading : MeldHeadings) {
    const int meld = heading.Rank == RankJoker ? RankRedThree : heading.Rank;
    add(Indexed("lblMeldsC", meld), Kind::Label, Style::Meld, lblMeldsC[meld]);
    add(Indexed("lblMelds", meld), Kind::Label, Style::Meld, lblMelds[meld]);
    add(Indexed("LblHeadings", heading.Rank), Kind::ClickableLabel, Style::Heading,
        LblHeadings[heading.Rank], Click::MeldHeading, heading.Rank);
  }
  add("LblDiscarding", Kind::ClickableLabel, Style::Command, LblDiscarding, Click::Discarding);
  add("LblReturnPack", Kind::ClickableLabel, Style::Command, LblReturnPack, Click::ReturnPack);

  addFrame("FramResults", FramResults);
  // The names at the heads of the columns.
  add("LblP", Kind::Label, Style::InFrame, LblP).IsName = true;
  add("LblB", Kind::Label, Style::InFrame, LblB).IsName = true;
  for (const ResultsRow& row : ResultsRows)
    add(row.CaptionName, Kind::Label, Style::InFrame, this->*row.Caption);
  for (const ResultsRow& row : ResultsRows)
    for (int p = 1; p <= 2; ++p)
      add(Indexed(row.ValuesName, p), Kind::Label, Style::InFrame, (this->*row.Values)[p]);
  add("lblInfoScores", Kind::Label, Style::FrameNote, lblInfoScores);
  add("cmdNew", Kind::Button, Style::Button, cmdNew, Click::CarryOn);
  add("cmdSave", Kind::Button, Style::Button, cmdSave, Click::ExitAndSave);

  addFrame("FramTarget", FramTarget);
  add("Label1", Kind::Label, Style::FrameNote, Label1);
  add("CmdTarget", Kind::Button, Style::Button, CmdTarget, Click::Target);
  return list;
}

TableRect TableModel::PlaceOf(const TableTarget& target) const {
  auto label = [](const Label& l) { return TableRect{l.Left, l.Top, l.Width, l.Height}; };
  switch (target.What) {
    case TableTarget::Stock:
    case TableTarget::Pile:
    case TableTarget::HandCard: {
      if (target.Index < 1 || target.Index > CardCount) return {};
      const CardPicture& card = PicCards[target.Index];
      TableRect r{card.Left, card.Top, CardWidth, CardHeight};
      // In a fanned row only the strip left of the next card shows, and takes the clicks.
      for (int c = 1; c <= CardCount; ++c) {
        const CardPicture& over = PicCards[c];
        if (over.Visible && over.ZOrder > card.ZOrder && over.Top <= r.Top &&
            over.Top + CardHeight >= r.Top + r.Height && over.Left > r.Left &&
            over.Left < r.Left + r.Width)
          r.Width = over.Left - r.Left;
      }
      return r;
    }
    case TableTarget::Heading:
      if (target.Index < 0 || target.Index > RankJoker) return {};
      return label(LblHeadings[target.Index]);
    case TableTarget::DiscardLabel:
      return label(LblDiscarding);
    case TableTarget::ReturnLabel:
      return label(LblReturnPack);
    case TableTarget::None:
      break;
  }
  return {};
}

}  // namespace larkspur
