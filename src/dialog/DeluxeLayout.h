// Where everything on the message window goes for one message: the window's
// size and place on the screen, the title bar, the message, the picture and
// the three buttons, and the lines of the raised and pressed edges. All in
// twips; the front end only converts to pixels and draws.
#pragma once

#include <array>
#include <string>

#include "state/Host.h"

namespace larkspur {

struct TwipRect {
  double Left = 0;
  double Top = 0;
  double Width = 0;
  double Height = 0;
};

struct TwipSize {
  double Width = 0;
  double Height = 0;
};

enum class EdgeColour { Light, Dark };

struct EdgeLine {
  double X1 = 0;
  double Y1 = 0;
  double X2 = 0;
  double Y2 = 0;
  EdgeColour Colour = EdgeColour::Light;
};

// The outline of the rectangle with corners (X1, Y1) and (X2, Y2), then two
// lines drawn over it: together a raised or sunken border.
struct Edge {
  EdgeLine Outline;
  std::array<EdgeLine, 2> Lines;
};

// The message window's own sizes and places, in twips.
namespace deluxe {
inline constexpr double kWindowWidth = 4500;
inline constexpr double kFirstHeight = 2400;  // until the first message sizes it
inline constexpr double kHeightAboveAndBelowMessage = 1140;
inline constexpr TwipRect kMessage{90, 450, 3375, 0};  // its height follows the text
inline constexpr double kPictureLeft = 3600;
inline constexpr double kPictureSize = 735;
inline constexpr double kButtonWidth = 1275;
inline constexpr double kButtonHeight = 300;
// Where each button stands unless the buttons shown are centred.
inline constexpr std::array<double, 3> kButtonLefts{45, 1440, 2880};
inline constexpr double kButtonGapFromBottom = 90;
// Kept clear between the window and the edges of the screen's free area.
inline constexpr double kScreenMargin = 120;
// The least the message keeps of its height however small the screen.
inline constexpr double kLeastMessageHeight = 300;
}  // namespace deluxe

struct DeluxeLayout {
  // The window has no system frame, so its outer size is its interior size.
  TwipRect Window;
  TwipRect Title;
  std::string TitleText;  // three blanks, then the title
  TwipRect Message;
  // The message is taller than Message: it scrolls inside it.
  bool MessageScrolls = false;
  TwipRect Picture;
  int ImageIndex = 1;
  std::array<TwipRect, 3> Buttons;
  std::array<bool, 3> ButtonVisible{};
  std::array<std::string, 3> Captions;
  Edge Frame;  // in window coordinates
};

// Places the window for message m. messageHeight is the height the wrapped
// message needs; previousSize is the window's outer size before this message
// (kWindowWidth by kFirstHeight on first use), which centres it; screen is
// the screen size and room the part of it free for windows (without panels),
// in the same coordinates. The window stays inside room, less a margin: a message too
// tall for it is cut to fit and scrolls.
DeluxeLayout LayOutDeluxeMessage(const DeluxeMessage& m, double messageHeight,
                                 TwipSize previousSize, TwipSize screen, TwipRect room);

// The look of one button box of interior size width x height (in the box's own
// units): the caption's place and the edge drawn around it, raised or pressed.
struct ButtonFace {
  TwipRect Caption;
  Edge Border;
};
ButtonFace RaisedButton(double width, double height);
ButtonFace PressedButton(double width, double height);

}  // namespace larkspur
