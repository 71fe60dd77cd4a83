// The table window as plain data: every card picture, label, frame and menu
// state the game changes, in twips. The front end only draws it; tests read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "state/GameState.h"
#include "state/Seats.h"

namespace larkspur {

constexpr int TableWidth = 15915;  // interior, twips
constexpr int TableHeight = 11430;
constexpr int TwipsPerPixel = 15;
constexpr int CardWidth = 1065;
constexpr int CardHeight = 1440;

// A place on the table, in twips: where a card picture's top left corner goes.
struct TablePoint {
  int Left, Top;
};

// A rectangle on the table, in twips.
struct TableRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The hands: the robot's face down along the top of the table, the human's
// face up along the bottom. A hand is laid out a hand step from card to card,
// closed up only when a long hand would run off the table; cards being dealt
// land a deal step apart.
constexpr int RobotHandTop = 360;
constexpr int HumanHandTop = 9480;
constexpr int HandFirstLeft = 1680;
constexpr int HumanHandStep = 400;
constexpr int RobotHandStep = 200;
constexpr int HumanDealStep = 300;
constexpr int RobotDealStep = 200;

// The stock and the discard pile at the table's left edge, each fanned a
// fan step up and to the right from card to card.
constexpr int StockLeft = 0;
constexpr int StockTop = 9360;
constexpr int StockFanStep = 2;
constexpr int PileLeft = 0;
constexpr int PileTop = 6840;
constexpr int PileFanStep = 5;
// A wild card stands this far up out of the pile's fan, so a frozen pile shows why.
constexpr int PileWildRaise = 500;

// The meld columns, from left to right: the red threes, fours up to kings,
// aces and black threes, a column step apart. The labels of a column are a
// little wider than the step, so neighbours overlap by a line.
constexpr int RedThreesColumnLeft = 1680;
constexpr int MeldColumnStep = 1080;
constexpr int MeldColumnWidth = 1095;
constexpr int MeldColumnLeft(int rank) {
  switch (rank) {
    case RankRedThree:
      return RedThreesColumnLeft;
    case RankAce:
      return MeldColumnLeft(RankKing) + MeldColumnStep;
    case RankBlackThree:
      return MeldColumnLeft(RankAce) + MeldColumnStep;
    default:  // fours up to kings
      return RedThreesColumnLeft + MeldColumnStep * (rank - RankFour + 1);
  }
}

// The melds, the robot's in the upper half of the table and the human's in
// the lower: in each column the naturals stack down from the meld row a meld
// step apart, and the wild cards lie together on the wild row just above.
constexpr int RobotWildRowTop = 2520;
constexpr int RobotMeldRowTop = 2760;
constexpr int HumanWildRowTop = 5640;
constexpr int HumanMeldRowTop = 5880;
constexpr int MeldCardStep = 40;

// The red threes laid down, in the red threes' column level with the wild
// rows, a red-three step apart. As it is laid down, a red three first moves
// out of the hand towards its row by the lay-down shift.
constexpr int RobotRedThreeTop = 2520;
constexpr int HumanRedThreeTop = 5640;
constexpr int RedThreeStep = 200;
constexpr int RedThreeLayDownShift = 100;

// The rows of labels: the scores along the top and bottom edges, the meld
// labels above the robot's melds and below the human's, and the headings
// between the two.
constexpr int RobotScoreRowTop = 0;
constexpr int HumanScoreRowTop = 11040;
constexpr int RobotMeldLabelTop = 1920;
constexpr int HumanMeldLabelTop = 8160;
constexpr int MeldHeadingTop = 5280;

// Colours of the table, as colour numbers. The baize, and the meld area on
// it: a slightly lighter baize with a darker edge.
constexpr int BaizeColor = RGB(0, 64, 0);
constexpr int MeldAreaColor = RGB(0, 80, 0);
constexpr int MeldAreaEdgeColor = RGB(0, 40, 0);
// A meld column's label by what the column holds.
constexpr int NoMeldColor = RGB(192, 255, 192);
constexpr int PureMeldColor = RGB(255, 192, 192);
constexpr int MixedMeldColor = RGB(192, 192, 255);
constexpr int PureCanastaColor = RGB(255, 0, 0);
constexpr int MixedCanastaColor = RGB(128, 255, 255);
// The labels left at DefaultColor, by kind, and the frames' face.
constexpr int StatusTextColor = RGB(0, 0, 128);
constexpr int StatusBackColor = RGB(255, 255, 192);
constexpr int NameTextColor = RGB(255, 255, 0);
constexpr int CommandBackColor = RGB(255, 255, 128);
constexpr int HeadingBackColor = RGB(0, 112, 0);
constexpr int FrameFaceColor = RGB(224, 224, 216);

constexpr int DefaultColor = -1;  // the element keeps the colour of its kind

// Pointer images of the table: act and refuse.
constexpr int PointerAct = 1;
constexpr int PointerRefuse = 2;
constexpr int CustomPointer = 99;

struct CardPicture {
  int Left = 0;
  int Top = 0;
  int Image = BackImage;  // face c, or BackImage
  bool Visible = false;
  int BorderStyle = 0;  // 1 marks a chosen wild card
  std::uint64_t ZOrder = 0;
  std::string ToolTip;
  int MousePointer = 0;
  int MouseIcon = 0;
  bool operator==(const CardPicture&) const = default;
};

struct Label {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::string Caption;
  std::string ToolTip;
  bool Visible = true;
  int BackColor = DefaultColor;
  int MousePointer = 0;
  int MouseIcon = 0;
  // How many bytes at the start of Caption are a name that the table may
  // shorten with "…" when the caption does not fit; the rest always shows.
  int ElidablePrefix = 0;
  bool operator==(const Label&) const = default;
};

struct Frame {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::string Caption;
  std::string ToolTip;
  bool Visible = false;
  std::uint64_t ZOrder = 0;
  bool operator==(const Frame&) const = default;
};

// What an element of the table is drawn as.
enum class ElementKind { Label, ClickableLabel, Button, Frame };

// How an element looks, by what it shows: its colours, alignment, wrapping and font.
enum class ElementStyle {
  Status,     // the status line at the left: what to do next
  Name,       // a player's name on the baize
  Score,      // the counts and scores on the baize
  Command,    // a label that acts when clicked, beside the human's hand
  Heading,    // a meld column's heading
  Meld,       // what a meld column holds
  InFrame,    // a caption or value in a frame
  FrameNote,  // a frame's longer note
  Button,     // a button in a frame
  Frame,      // a frame itself
};

// Which of the game's handlers a click on an element goes to.
enum class ElementClick { None, MeldHeading, Discarding, ReturnPack, CarryOn, ExitAndSave, Target };

// One label, button or frame of the table, as the front end builds it.
struct TableElement {
  std::string Name;  // the widget's name, such as "LblHeadings_7"
  ElementKind Kind = ElementKind::Label;
  ElementStyle Style = ElementStyle::Score;
  ElementClick Click = ElementClick::None;
  int Index = 0;                  // a meld heading's rank, which its clicks carry
  bool IsName = false;            // a name: cut short with "…" rather than run on past its label
  const Label* Lbl = nullptr;     // the label or button, unless the element is a frame
  const Frame* Frm = nullptr;     // the frame, if it is one
  const Frame* Parent = nullptr;  // the frame the element lies in, if any
};

// The meld columns' headings from right to left: the index of each in
// LblHeadings (its rank code; the red threes' is RankJoker) and its caption.
struct MeldHeading {
  int Rank;
  const char* Caption;
};
extern const std::array<MeldHeading, 13> MeldHeadings;

struct TableModel {
  TableModel();

  std::string Caption;
  bool MnuPlayEnabled = true;

  std::array<CardPicture, CardCount + 1> PicCards{};  // index 0 unused

  Label LblGenInfo, LblMinMeld, LblTargetScore, LblPointsHand, LblStock, LblDiscard;
  Label LblDiscarding, LblReturnPack;
  std::array<Label, 3> LblNames, LblGameScore, LblHandScore, LblMeldScore, LblBonusScore;
  // The robot's and the human's column labels by rank code, RankRedThree's the red threes'.
  std::array<Label, RankRedThree + 1> lblMeldsC, lblMelds;
  std::array<Label, RankJoker + 1> LblHeadings;  // by rank code; RankJoker's is the red threes'

  struct Shape {
    int Left, Top, Width, Height;
    int BorderColor;
    bool operator==(const Shape&) const = default;
  };
  Shape Shape1{0, 6360, 1335, 2055, PileFrozen};  // the discard pile's frame
  Shape ShapeTable{1560, 1920, 14295, 6975, DefaultColor};

  // The results frame; positions inside it are relative to the frame.
  Frame FramResults;
  Label LblP, LblB, lblInfoScores;
  Label lblMeld, lblBonusPoints, lblMixed, lblPure, lblMeldPointsG, LblPointsoff, lblTotalP,
      GGrandtotal;
  std::array<Label, 3> CardPoints, RThreesPoints, MixedCans, PureCans, OutFirst, MinusPoints,
      PointsTotal, LblGamePoints;
  Label cmdNew, cmdSave;

  // The target frame.
  Frame FramTarget;
  Label Label1, CmdTarget;
  std::string Txtpoints;
  std::string TxtpointsToolTip;
  int TxtpointsLeft = 600, TxtpointsTop = 360, TxtpointsWidth = 1575, TxtpointsHeight = 345;

  // Every label, button and frame above, frames before what lies in them. Where
  // labels overlap, the later one is drawn on top.
  std::vector<TableElement> Elements() const;

  // The element the hint points at, outlined until the table next changes.
  TableTarget HintTarget;
  // Where an element a click can use lies: its label, or the part of its card
  // picture that shows.
  TableRect PlaceOf(const TableTarget& target) const;

  // Stacking: the higher ZOrder is drawn on top.
  std::uint64_t ZCounter = 0;
  void BringToFront(CardPicture& p) { p.ZOrder = ++ZCounter; }
  void BringToFront(Frame& f) { f.ZOrder = ++ZCounter; }

  bool operator==(const TableModel&) const = default;
};

// The results frame's rows from the top: the row's caption, and its value for each
// player (index 1 the human, 2 the robot), with their names, tops and texts.
struct ResultsRow {
  Label TableModel::*Caption;
  const char* CaptionName;
  std::array<Label, 3> TableModel::*Values;
  const char* ValuesName;
  int Top;
  const char* Text;
};
extern const std::array<ResultsRow, 8> ResultsRows;

}  // namespace larkspur
