#include <gtest/gtest.h>

#include "dialog/DeluxeLayout.h"

namespace larkspur {
namespace {

constexpr TwipSize kScreen{19200, 14400};
constexpr TwipRect kWholeScreen{0, 0, 19200, 14400};
constexpr TwipSize kFirstUse{deluxe::kWindowWidth, deluxe::kFirstHeight};

DeluxeLayout Lay(const std::string& b0, const std::string& b1, const std::string& b2,
                 double messageHeight = 600, TwipSize previous = kFirstUse,
                 TwipRect room = kWholeScreen) {
  DeluxeMessage m{"Player do you really wish to exit?", b0, b1, b2, 1, "Really Exit?"};
  return LayOutDeluxeMessage(m, messageHeight, previous, kScreen, room);
}

// Buttons shown for the captions given, at their lefts, on one row 90 twips
// above the bottom (they are 1275 by 300). The window is 4500 wide: its
// centre is 2250, so a centred button's left is 1612.5.
TEST(DeluxeLayout, ButtonsFollowTheCaptionsGiven) {
  const struct {
    std::array<std::string, 3> captions;
    std::array<double, 3> lefts;  // 0 for a hidden button
  } cases[] = {
      {{"O.K", "", ""}, {1612.5}},
      {{"", "", ""}, {1612.5}},                           // empty, but shown
      {{"Yes Exit", "Carry On", ""}, {952, 2273}},        // 23 from the centre
      {{"Yes", "No", "Maybe"}, {292.5, 1612.5, 2932.5}},  // 45 apart
      {{"Yes", "", "Maybe"}, {1612.5, 0, 2880}},          // the third at its own left
  };
  for (const auto& c : cases) {
    const DeluxeLayout l = Lay(c.captions[0], c.captions[1], c.captions[2]);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(l.ButtonVisible[i], c.lefts[i] != 0) << c.captions[0] << i;
      EXPECT_DOUBLE_EQ(l.ButtonVisible[i] ? l.Buttons[i].Left : 0, c.lefts[i])
          << c.captions[0] << i;
      EXPECT_DOUBLE_EQ(l.Buttons[i].Top, l.Window.Height - 300 - 90);
    }
  }
}

// The window grows by the message's growth; the picture stays centred; the
// window is centred on the screen with the size it had before this message;
// the title gets its three leading blanks.
TEST(DeluxeLayout, WindowGrowsWithTheMessage) {
  const DeluxeLayout shortOne = Lay("O.K", "", "", 300);
  const DeluxeLayout longOne = Lay("O.K", "", "", 1500, {4500, 300 + 1140});
  EXPECT_EQ(shortOne.TitleText, "   Really Exit?");
  EXPECT_DOUBLE_EQ(shortOne.Window.Width, 4500);
  EXPECT_DOUBLE_EQ(shortOne.Window.Height, 300 + 1140);
  EXPECT_DOUBLE_EQ(longOne.Window.Height, 1500 + 1140);
  EXPECT_DOUBLE_EQ(longOne.Message.Height, 1500);
  EXPECT_GE(longOne.Buttons[0].Top, longOne.Message.Top + longOne.Message.Height);
  for (const DeluxeLayout& l : {shortOne, longOne})
    EXPECT_DOUBLE_EQ(l.Picture.Top + l.Picture.Height / 2, l.Window.Height / 2);
  EXPECT_DOUBLE_EQ(shortOne.Window.Left, 9600 - 2250);
  EXPECT_DOUBLE_EQ(shortOne.Window.Top, 7200 - deluxe::kFirstHeight / 2);
  EXPECT_DOUBLE_EQ(longOne.Window.Top, 7200 - (300 + 1140) / 2);
}

// A message too tall for the screen's free area (here below a panel at the
// top) is cut to fit it less a margin of 120 and scrolls, the window moved up
// into it with the buttons at its bottom. A window that grows past the bottom
// is lifted; one that fits is left where it was centred.
TEST(DeluxeLayout, WindowStaysOnTheScreen) {
  constexpr TwipRect room{0, 450, 19200, 13950};
  const DeluxeLayout huge = Lay("O.K", "", "", 30000, kFirstUse, room);
  EXPECT_TRUE(huge.MessageScrolls);
  EXPECT_DOUBLE_EQ(huge.Window.Top, 450 + 120);
  EXPECT_DOUBLE_EQ(huge.Window.Height, 13950 - 2 * 120);
  EXPECT_DOUBLE_EQ(huge.Message.Height, 13950 - 2 * 120 - 1140);
  EXPECT_DOUBLE_EQ(huge.Buttons[0].Top, huge.Window.Height - 300 - 90);
  const DeluxeLayout grown = Lay("O.K", "", "", 12000, {4500, 300}, room);
  EXPECT_FALSE(grown.MessageScrolls);
  EXPECT_DOUBLE_EQ(grown.Window.Top + grown.Window.Height, 450 + 13950 - 120);
  const DeluxeLayout fits = Lay("O.K", "", "", 1500, {4500, 300}, room);
  EXPECT_DOUBLE_EQ(fits.Window.Top, 7200 - 150);
  EXPECT_DOUBLE_EQ(fits.Window.Left, 9600 - 2250);
}

}  // namespace
}  // namespace larkspur
