// The message window's layout for the captions and message given, and the help text.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "about/HelpText.h"
#include "dialog/DeluxeLayout.h"

namespace larkspur {
namespace {

constexpr TwipSize kScreen{19200, 14400};
constexpr TwipRect kWholeScreen{0, 0, 19200, 14400};
constexpr TwipSize kFirstUse{deluxe::kWindowWidth, deluxe::kFirstHeight};
using Box = std::vector<double>;  // some of a layout's numbers, compared at once

DeluxeLayout Lay(const std::string& b0, const std::string& b1, const std::string& b2,
                 double messageHeight = 600, TwipSize previous = kFirstUse,
                 TwipRect room = kWholeScreen) {
  DeluxeMessage m{"Player do you really wish to exit?", b0, b1, b2, 1, "Really Exit?"};
  return LayOutDeluxeMessage(m, messageHeight, previous, kScreen, room);
}

// Buttons shown for the captions given, at their lefts. The window is 4500
// wide and a button 1275: a centred button's left is 1612.5.
TEST(DeluxeLayout, ButtonsFollowTheCaptionsGiven) {
  const std::pair<std::array<std::string, 3>, std::array<double, 3>> cases[] = {
      {{"O.K", "", ""}, {1612.5}},                        // 0 for a hidden button
      {{"", "", ""}, {1612.5}},                           // empty, but shown
      {{"Yes Exit", "Carry On", ""}, {952, 2273}},        // 23 from the centre
      {{"Yes", "No", "Maybe"}, {292.5, 1612.5, 2932.5}},  // 45 apart
      {{"Yes", "", "Maybe"}, {1612.5, 0, 2880}},          // the third at its own left
  };
  for (const auto& [captions, lefts] : cases) {
    const DeluxeLayout l = Lay(captions[0], captions[1], captions[2]);
    for (int i = 0; i < 3; ++i)
      EXPECT_DOUBLE_EQ(l.ButtonVisible[i] ? l.Buttons[i].Left : 0, lefts[i]) << captions[0] << i;
  }
}

// The window grows by the message's growth, with the buttons 90 above its bottom and the
// picture centred; it is centred on the screen with the size it had before this
// message; the title gets its three leading blanks.
TEST(DeluxeLayout, WindowGrowsWithTheMessage) {
  const DeluxeLayout first = Lay("O.K", "", "", 300);
  const DeluxeLayout grown = Lay("O.K", "", "", 1500, {4500, 300 + 1140});
  EXPECT_EQ(first.TitleText, "   Really Exit?");
  for (const auto& [l, height, top] : {std::tuple(first, 300.0, 7200 - deluxe::kFirstHeight / 2),
                                       std::tuple(grown, 1500.0, 7200 - (300 + 1140) / 2.0)}) {
    EXPECT_EQ(Box({l.Window.Left, l.Window.Top, l.Window.Width, l.Window.Height}),
              Box({9600 - 2250, top, 4500, height + 1140}));
    EXPECT_EQ(Box({l.Message.Height, l.Buttons[0].Top}), Box({height, height + 1140 - 390}));
    EXPECT_DOUBLE_EQ(l.Picture.Top + l.Picture.Height / 2, l.Window.Height / 2);
  }
}

// A message too tall for the screen's free area (here below a panel at the top) is cut
// to fit it less a margin of 120 and scrolls, the window moved up into it with the
// buttons at its bottom. A window that grows past the bottom is lifted; one that fits
// is left where it was centred.
TEST(DeluxeLayout, WindowStaysOnTheScreen) {
  constexpr TwipRect room{0, 450, 19200, 13950};
  const DeluxeLayout huge = Lay("O.K", "", "", 30000, kFirstUse, room);
  EXPECT_TRUE(huge.MessageScrolls);
  EXPECT_EQ(Box({huge.Window.Top, huge.Window.Height, huge.Message.Height, huge.Buttons[0].Top}),
            Box({450 + 120, 13950 - 240, 13950 - 240 - 1140, 13950 - 240 - 390}));
  const DeluxeLayout grown = Lay("O.K", "", "", 12000, {4500, 300}, room);
  EXPECT_FALSE(grown.MessageScrolls);
  EXPECT_DOUBLE_EQ(grown.Window.Top + grown.Window.Height, 450 + 13950 - 120);
  const DeluxeLayout fits = Lay("O.K", "", "", 1500, {4500, 300}, room);
  EXPECT_EQ(Box({fits.Window.Left, fits.Window.Top}), Box({9600 - 2250, 7200 - 150}));
}

// Seven headings in order, each underlined; the minimum meld table and the
// card values line for line in the Melding section; the last line.
TEST(HelpText, SectionsTablesAndLastLine) {
  const std::string& text = HelpText();
  size_t at = 0;
  for (const std::string heading :
       {"General Information", "The Deck and Deal", "Overview of the game", "First Moves",
        "Melding", "Going Out", "The Interface"}) {
    at = text.find("\t\t\t" + heading + "\n\t\t\t====", at);
    ASSERT_NE(at, std::string::npos) << heading;
  }
  const size_t melding = text.find("\n\t\t\tMelding\n"),
               goingOut = text.find("\n\t\t\tGoing Out\n");
  for (const char* table : {"\nMinimum meld points\n"
                            "15 points\tonly if game score to date is negative\n"
                            "50 points\t0 \xE2\x80\x93 1495 game score to date\n"
                            "90 points\t1500 \xE2\x80\x93 2995 game score to date\n"
                            "120 points\t3000 plus game score to date\n",
                            "\nAce - 20 Points\nTwo - 20 Points\nThree to Seven - 5 points each.\n"
                            "Eight to King - 10 points each\nJoker - 50 points\n"
                            "Red Three - 100 points.\n"}) {
    const size_t first = text.find(table, melding);
    EXPECT_TRUE(first > melding && first < goingOut) << table;
  }
  EXPECT_TRUE(text.ends_with("\nEnjoy Canasta"));
}

}  // namespace
}  // namespace larkspur
