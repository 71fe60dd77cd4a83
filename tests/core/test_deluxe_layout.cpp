#include <gtest/gtest.h>

#include "dialog/DeluxeLayout.h"

namespace larkspur {
namespace {

constexpr TwipSize kScreen{19200, 14400};
constexpr TwipSize kFirstUse{deluxe::kWindowWidth, deluxe::kDesignHeight};

DeluxeLayout Lay(const std::string& b0, const std::string& b1, const std::string& b2,
                 double messageHeight = 600, TwipSize previous = kFirstUse) {
  DeluxeMessage m{"Player do you really wish to exit?", b0, b1, b2, 1, "Really Exit?"};
  return LayOutDeluxeMessage(m, messageHeight, previous, kScreen);
}

double Right(const TwipRect& r) {
  return r.Left + r.Width;
}
double Bottom(const TwipRect& r) {
  return r.Top + r.Height;
}

TEST(DeluxeLayout, ButtonsFollowTheCaptionsGiven) {
  const double centre = deluxe::kWindowWidth / 2;

  const DeluxeLayout one = Lay("O.K", "", "");
  EXPECT_EQ(one.ButtonVisible, (std::array<bool, 3>{true, false, false}));
  EXPECT_DOUBLE_EQ(one.Buttons[0].Left + one.Buttons[0].Width / 2, centre);

  const DeluxeLayout two = Lay("Yes Exit", "Carry On", "");
  EXPECT_EQ(two.ButtonVisible, (std::array<bool, 3>{true, true, false}));
  EXPECT_DOUBLE_EQ(Right(two.Buttons[0]), centre - 23);
  EXPECT_DOUBLE_EQ(two.Buttons[1].Left, centre + 23);

  const DeluxeLayout three = Lay("Yes", "No", "Maybe");
  EXPECT_EQ(three.ButtonVisible, (std::array<bool, 3>{true, true, true}));
  EXPECT_DOUBLE_EQ(three.Buttons[1].Left + three.Buttons[1].Width / 2, centre);
  EXPECT_DOUBLE_EQ(three.Buttons[1].Left - Right(three.Buttons[0]), 45);
  EXPECT_DOUBLE_EQ(three.Buttons[2].Left - Right(three.Buttons[1]), 45);

  // Without a middle caption the third button keeps its design place.
  const DeluxeLayout gap = Lay("Yes", "", "Maybe");
  EXPECT_EQ(gap.ButtonVisible, (std::array<bool, 3>{true, false, true}));
  EXPECT_DOUBLE_EQ(gap.Buttons[0].Left + gap.Buttons[0].Width / 2, centre);
  EXPECT_DOUBLE_EQ(gap.Buttons[2].Left, 2880);
  EXPECT_DOUBLE_EQ(gap.Buttons[2].Top, gap.Buttons[0].Top);

  // An empty first caption still shows an (empty) first button.
  const DeluxeLayout none = Lay("", "", "");
  EXPECT_TRUE(none.ButtonVisible[0]);
  EXPECT_EQ(none.Captions, (std::array<std::string, 3>{"", "", ""}));

  for (const DeluxeLayout& l : {one, two, three, gap}) {
    for (const TwipRect& b : l.Buttons) {
      EXPECT_DOUBLE_EQ(b.Width, 1275);
      EXPECT_DOUBLE_EQ(b.Height, 300);
      EXPECT_DOUBLE_EQ(b.Top, l.Buttons[0].Top);
    }
  }
  EXPECT_EQ(three.Captions, (std::array<std::string, 3>{"Yes", "No", "Maybe"}));
}

TEST(DeluxeLayout, WindowGrowsWithTheMessage) {
  const DeluxeLayout shortOne = Lay("O.K", "", "", 300);
  const DeluxeLayout longOne = Lay("O.K", "", "", 1500);
  EXPECT_DOUBLE_EQ(shortOne.Window.Width, 4500);
  EXPECT_DOUBLE_EQ(shortOne.Window.Height, 300 + 1140);
  EXPECT_DOUBLE_EQ(longOne.Window.Height - shortOne.Window.Height, 1200);
  EXPECT_DOUBLE_EQ(longOne.Message.Height, 1500);
  EXPECT_DOUBLE_EQ(longOne.Message.Left, 90);
  EXPECT_DOUBLE_EQ(longOne.Message.Top, 450);
  EXPECT_DOUBLE_EQ(longOne.Message.Width, 3375);

  for (const DeluxeLayout& l : {shortOne, longOne}) {
    EXPECT_DOUBLE_EQ(Bottom(l.Buttons[0]), l.Window.Height - 90);
    EXPECT_DOUBLE_EQ(l.Picture.Top + l.Picture.Height / 2, l.Window.Height / 2);
    EXPECT_DOUBLE_EQ(l.Picture.Left, 3600);
    EXPECT_DOUBLE_EQ(l.Picture.Width, 735);
    // The buttons stay below the message.
    EXPECT_GE(l.Buttons[0].Top, Bottom(l.Message));
  }
}

TEST(DeluxeLayout, CentresWithThePreviousSize) {
  const DeluxeLayout first = Lay("O.K", "", "", 1500);
  EXPECT_DOUBLE_EQ(first.Window.Left, 19200 / 2 - 4500 / 2);
  EXPECT_DOUBLE_EQ(first.Window.Top, 14400 / 2 - deluxe::kDesignHeight / 2);

  // The next showing is centred with the height this one left behind.
  const TwipSize after{first.Window.Width, first.Window.Height};
  const DeluxeLayout second = Lay("O.K", "", "", 300, after);
  EXPECT_DOUBLE_EQ(second.Window.Top, 14400 / 2 - first.Window.Height / 2);
  EXPECT_DOUBLE_EQ(second.Window.Height, 1440);
}

TEST(DeluxeLayout, TitleBarAndFrame) {
  const DeluxeLayout l = Lay("O.K", "", "", 600);
  EXPECT_EQ(l.TitleText, "   Really Exit?");
  EXPECT_DOUBLE_EQ(l.Title.Left, 45);
  EXPECT_DOUBLE_EQ(l.Title.Top, 60);
  EXPECT_DOUBLE_EQ(l.Title.Width, 4500 - 90);
  EXPECT_DOUBLE_EQ(l.Title.Height, 300);

  const double sw = 4500, sh = 600 + 1140;
  const Edge& f = l.Frame;
  EXPECT_EQ(f.Outline.Colour, EdgeColour::Light);
  EXPECT_DOUBLE_EQ(f.Outline.X1, 15);
  EXPECT_DOUBLE_EQ(f.Outline.Y1, 15);
  EXPECT_DOUBLE_EQ(f.Outline.X2, sw - 30);
  EXPECT_DOUBLE_EQ(f.Outline.Y2, sh - 30);
  // Dark along the bottom and up the right side, stopping short of the top.
  EXPECT_EQ(f.Lines[0].Colour, EdgeColour::Dark);
  EXPECT_DOUBLE_EQ(f.Lines[0].X1, 15);
  EXPECT_DOUBLE_EQ(f.Lines[0].Y1, sh - 30);
  EXPECT_DOUBLE_EQ(f.Lines[0].X2, sw - 30);
  EXPECT_EQ(f.Lines[1].Colour, EdgeColour::Dark);
  EXPECT_DOUBLE_EQ(f.Lines[1].X1, sw - 30);
  EXPECT_DOUBLE_EQ(f.Lines[1].Y2, 30);
}

TEST(DeluxeLayout, RaisedAndPressedButtons) {
  const ButtonFace up = RaisedButton(85, 20);
  const ButtonFace down = PressedButton(85, 20);
  EXPECT_DOUBLE_EQ(up.Caption.Left, 1);
  EXPECT_DOUBLE_EQ(up.Caption.Width, 83);
  EXPECT_DOUBLE_EQ(up.Caption.Height, 18);
  EXPECT_DOUBLE_EQ(down.Caption.Left, 2);
  EXPECT_DOUBLE_EQ(down.Caption.Top, 2);
  EXPECT_DOUBLE_EQ(down.Caption.Width, 82);
  EXPECT_DOUBLE_EQ(down.Caption.Height, 17);

  // Light outline with dark bottom-right when raised; the colours swap when pressed.
  EXPECT_EQ(up.Border.Outline.Colour, EdgeColour::Light);
  EXPECT_EQ(up.Border.Lines[0].Colour, EdgeColour::Dark);
  EXPECT_EQ(down.Border.Outline.Colour, EdgeColour::Dark);
  EXPECT_EQ(down.Border.Lines[1].Colour, EdgeColour::Light);
  for (const ButtonFace& face : {up, down}) {
    EXPECT_DOUBLE_EQ(face.Border.Outline.X2, 84);
    EXPECT_DOUBLE_EQ(face.Border.Outline.Y2, 19);
    EXPECT_DOUBLE_EQ(face.Border.Lines[0].Y1, 19);  // bottom edge
    EXPECT_DOUBLE_EQ(face.Border.Lines[1].X1, 84);  // right edge
    EXPECT_DOUBLE_EQ(face.Border.Lines[1].Y2, 0);
  }
}

}  // namespace
}  // namespace larkspur
