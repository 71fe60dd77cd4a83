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

// Digits with an optional sign, however many: numbers too large for any
// integer still land on the right side of the 500..5000 limits.
bool ReadTarget(const std::string& text, int& target) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    value = std::min(value * 10 + (text[i] - '0'), 1000000LL);
  }
  target = static_cast<int>(std::clamp(negative ? -value : value, 500LL, 5000LL));
  return true;
}

}  // namespace

void Game::MnuTarget_Click() {
  Table.FramTarget.Visible = true;
  Table.BringToFront(Table.FramTarget);
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
