// The target score: its frame, and the number entered read and kept within its limits.
#include <algorithm>
#include <cctype>

#include "state/Game.h"

namespace larkspur {

namespace {

std::string Trimmed(const std::string& s) {
  const auto isBlank = [](unsigned char ch) { return std::isspace(ch) != 0; };
  auto first = std::find_if_not(s.begin(), s.end(), isBlank);
  auto last = std::find_if_not(s.rbegin(), s.rend(), isBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

// Digits with an optional sign and fraction, however many: numbers too large
// for any integer still land on the right side of the 500..5000 limits. A
// fraction rounds to the nearest whole number, a half to the even one.
bool ReadTarget(const std::string& text, int& target) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const auto digitAt = [&](size_t k) {
    return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]));
  };
  bool anyDigit = false;
  long long value = 0;
  for (; digitAt(i); ++i, anyDigit = true)
    value = std::min(value * 10 + (text[i] - '0'), 1000000LL);
  if (i < text.size() && text[i] == '.') {
    const size_t tenths = ++i;
    bool pastHalf = false;  // a digit other than 0 after the tenths
    for (; digitAt(i); ++i, anyDigit = true) pastHalf = pastHalf || (i > tenths && text[i] != '0');
    const int tenth = digitAt(tenths) ? text[tenths] - '0' : 0;
    if (tenth > 5 || (tenth == 5 && (pastHalf || value % 2 == 1))) ++value;
  }
  if (!anyDigit || i != text.size()) return false;
  target = static_cast<int>(std::clamp(negative ? -value : value, 500LL, 5000LL));
  return true;
}

}  // namespace

// The box shows the target as it stands, ready to be typed over.
void Game::MnuTarget_Click() {
  Table.Txtpoints = std::to_string(TargetScore);
  Table.FramTarget.Visible = true;
  Table.BringToFront(Table.FramTarget);
}

void Game::Txtpoints_Change(const std::string& text) {
  Table.Txtpoints = text;
}

// Escape puts the frame away and leaves the target as it was.
void Game::FramTarget_Escape() {
  Table.FramTarget.Visible = false;
}

void Game::CmdTarget_Click() {
  Table.FramTarget.Visible = false;
  const std::string text = Trimmed(Table.Txtpoints);
  if (text.empty()) {
    TargetScore = 5000;
  } else if (!ReadTarget(text, TargetScore)) {
    ShowDeluxeMessage(" \"" + text + "\" is not a number of points. Target points stay at " +
                          std::to_string(TargetScore) + ".",
                      "O.K.", "", "", 1, "Target points not changed.");
    return;
  }
  Table.LblTargetScore.Caption = "Target Score:- " + std::to_string(TargetScore);
  ShowDeluxeMessage(" Target points are set to " + std::to_string(TargetScore) +
                        " Target Points will stay as this until you change again.",
                    "O.K.", "", "", 1, "Target points set.");
  SaveNameFile();
}

}  // namespace larkspur
