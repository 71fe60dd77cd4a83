// What the windows share to turn their layouts' twips and points into pixels
// and the table's colour numbers into colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "table/TableModel.h"

namespace larkspur {

// Twips in whole pixels at 15 twips a pixel, the size the fixed windows were laid out for.
constexpr int twipsToPixels(int twips) {
  return twips / TwipsPerPixel;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
               twipsToPixels(height));
}

// A rectangle given in twips, in pixels: both edges are rounded by px, so that
// neighbouring elements keep their gaps whatever the scale.
template <class ToPixels>
QRect roundedRect(double left, double top, double width, double height, ToPixels px) {
  const int x = px(left), y = px(top);
  return QRect(x, y, px(left + width) - x, px(top + height) - y);
}

// Points in pixels at 96 dots an inch, the size the twips layouts were drawn
// for, so text keeps its size relative to a window whatever the screen says;
// scale is the window's own, 1 at its laid-out size.
constexpr double kPixelsPerPoint = 96.0 / 72.0;
inline int pointsToPixels(double points, double scale = 1.0) {
  return std::max(1, static_cast<int>(std::lround(points * kPixelsPerPoint * scale)));
}

// The bold serif the message, help and about windows write in, wherever Times
// New Roman itself is missing.
inline QFont serifFont(double points, double scale = 1.0) {
  QFont font;
  font.setFamilies({"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif"});
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(pointsToPixels(points, scale));
  font.setBold(true);
  return font;
}

// The QColor of one of the table's colour numbers (red + 256 green + 65536 blue).
constexpr QColor colorFromNumber(int number) {
  return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

// The back of the message and about windows.
inline constexpr QColor kNavy(0, 0, 128);
// The back of the help window and of the windows that follow its look.
inline constexpr QColor kTeal(0, 64, 64);

// The help window's raised green button in bold Verdana; padding, in the
// style sheet's words, gives a button room around its caption.
inline void makeGreenButton(QPushButton* button, const QString& padding = {}) {
  QFont verdana;
  verdana.setFamilies({"Verdana", "DejaVu Sans"});
  verdana.setStyleHint(QFont::SansSerif);
  verdana.setPixelSize(pointsToPixels(11.25));
  verdana.setBold(true);
  button->setFont(verdana);
  button->setStyleSheet(
      QStringLiteral("QPushButton { background-color: rgb(0, 255, 0); color: black;"
                     " border: 2px outset rgb(0, 190, 0);%1 }"
                     "QPushButton:pressed { border-style: inset; }")
          .arg(padding.isEmpty() ? QString() : QStringLiteral(" padding: ") + padding + ';'));
  button->setAutoDefault(false);
}

}  // namespace larkspur
