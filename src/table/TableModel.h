// The table window as plain data: every card picture, label, frame and menu
// state the game changes, in twips. The front end only draws it; tests read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace larkspur {

constexpr int TableWidth = 15915;  // interior, twips
constexpr int TableHeight = 11430;
constexpr int TwipsPerPixel = 15;
constexpr int CardWidth = 1065;
constexpr int CardHeight = 1440;

constexpr int DefaultColor = -1;  // the element's design colour

// Pointer images of the table: act and refuse.
constexpr int PointerAct = 1;
constexpr int PointerRefuse = 2;
constexpr int CustomPointer = 99;

struct CardPicture {
  int Left = 0;
  int Top = 0;
  int Image = 109;  // face c, or 109 for the back
  bool Visible = false;
  int BorderStyle = 0;  // 1 marks a chosen wild card
  std::uint64_t ZOrder = 0;
  std::string ToolTip;
  int MousePointer = 0;
  int MouseIcon = 0;
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
};

// Rank code of each meld column from right to left, with its heading caption.
struct MeldColumnDesign {
  int Rank;
  int Left;
  const char* Heading;
};
extern const std::array<MeldColumnDesign, 13> MeldColumnsDesign;

struct TableModel {
  TableModel();

  std::string Caption;
  bool MnuPlayEnabled = true;

  std::array<CardPicture, 109> PicCards{};  // index 0 unused

  Label LblGenInfo, LblMinMeld, LblTargetScore, LblPointsHand, LblStock, LblDiscard;
  Label LblDiscarding, LblReturnPack;
  std::array<Label, 3> LblNames, LblGameScore, LblHandScore, LblMeldScore, LblBonusScore;
  std::array<Label, 15> lblMeldsC, lblMelds;  // robot's and human's column labels by rank
  std::array<Label, 16> LblHeadings;          // by rank; 15 is the red threes

  struct Shape {
    int Left, Top, Width, Height;
    int BorderColor;
  };
  Shape Shape1{0, 6360, 1335, 2055, 65535};
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

  // Stacking: the higher ZOrder is drawn on top.
  std::uint64_t ZCounter = 0;
  void BringToFront(CardPicture& p) { p.ZOrder = ++ZCounter; }
  void BringToFront(Frame& f) { f.ZOrder = ++ZCounter; }
};

}  // namespace larkspur
