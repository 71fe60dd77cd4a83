// The message window laid out for one message, and the faces of its buttons.
#include "dialog/DeluxeLayout.h"

#include <algorithm>

namespace larkspur {

namespace {

Edge MakeEdge(double x1, double y1, double x2, double y2, EdgeColour outline, EdgeColour lines,
              double rightEdgeTop) {
  // The outline in one colour, then the bottom and right sides drawn over it
  // in the other: light outline with dark bottom-right looks raised.
  Edge edge;
  edge.Outline = {x1, y1, x2, y2, outline};
  edge.Lines[0] = {x1, y2, x2, y2, lines};
  edge.Lines[1] = {x2, y2, x2, rightEdgeTop, lines};
  return edge;
}

// Moves start so that length from it lies between low and high, or starts
// at low when there is not room enough.
double KeepWithin(double start, double length, double low, double high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

DeluxeLayout LayOutDeluxeMessage(const DeluxeMessage& m, double messageHeight,
                                 TwipSize previousSize, TwipSize screen, TwipRect room) {
  using namespace deluxe;
  DeluxeLayout layout;

  // A message taller than the screen allows keeps the title and the buttons
  // on the screen and scrolls between them.
  const double freeLeft = room.Left + kScreenMargin, freeTop = room.Top + kScreenMargin;
  const double freeRight = room.Left + room.Width - kScreenMargin;
  const double freeBottom = room.Top + room.Height - kScreenMargin;
  const double tallest =
      std::max(kLeastMessageHeight, freeBottom - freeTop - kHeightAboveAndBelowMessage);
  layout.MessageScrolls = messageHeight > tallest;
  if (layout.MessageScrolls) messageHeight = tallest;

  // Centred with the size the window had before this message, so a window
  // that grows hangs a little below the centre, as far as the screen lets it.
  layout.Window.Width = kWindowWidth;
  layout.Window.Height = messageHeight + kHeightAboveAndBelowMessage;
  layout.Window.Left = KeepWithin(screen.Width / 2 - previousSize.Width / 2, layout.Window.Width,
                                  freeLeft, freeRight);
  layout.Window.Top = KeepWithin(screen.Height / 2 - previousSize.Height / 2, layout.Window.Height,
                                 freeTop, freeBottom);
  const double sw = layout.Window.Width;
  const double sh = layout.Window.Height;

  layout.Title = {45, 60, sw - 90, 300};
  layout.TitleText = "   " + m.Title;

  layout.Message = kMessage;
  layout.Message.Height = messageHeight;

  layout.Picture = {kPictureLeft, sh / 2 - kPictureSize / 2, kPictureSize, kPictureSize};
  layout.ImageIndex = m.ImageIndex;

  layout.Captions = {m.Button0, m.Button1, m.Button2};
  const double buttonTop = sh - kButtonHeight - kButtonGapFromBottom;
  for (int i = 0; i < 3; ++i) {
    layout.Buttons[i] = {kButtonLefts[i], buttonTop, kButtonWidth, kButtonHeight};
  }
  layout.ButtonVisible = {true, !m.Button1.empty(), !m.Button2.empty()};

  const double w0 = layout.Buttons[0].Width;
  const double w1 = layout.Buttons[1].Width;
  layout.Buttons[0].Left = sw / 2 - w0 / 2;
  if (!m.Button1.empty() && !m.Button2.empty()) {
    layout.Buttons[0].Left = sw / 2 - w0 - w1 / 2 - 45;
    layout.Buttons[1].Left = sw / 2 - w1 / 2;
    layout.Buttons[2].Left = sw / 2 + w1 / 2 + 45;
  } else if (!m.Button1.empty()) {
    layout.Buttons[0].Left = sw / 2 - w0 - 23;
    layout.Buttons[1].Left = sw / 2 + 23;
  }

  layout.Frame = MakeEdge(15, 15, sw - 30, sh - 30, EdgeColour::Light, EdgeColour::Dark, 30);
  return layout;
}

ButtonFace RaisedButton(double width, double height) {
  return {{1, 1, width - 2, height - 2},
          MakeEdge(0, 0, width - 1, height - 1, EdgeColour::Light, EdgeColour::Dark, 0)};
}

ButtonFace PressedButton(double width, double height) {
  // The caption moves one step down and right under a dark top-left edge.
  return {{2, 2, width - 3, height - 3},
          MakeEdge(0, 0, width - 1, height - 1, EdgeColour::Dark, EdgeColour::Light, 0)};
}

}  // namespace larkspur
