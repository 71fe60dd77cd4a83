// Laying out a player's hand along its row, and counting its cards, points and ranks.
#include <algorithm>

#include "state/Game.h"

namespace larkspur {

namespace {

// The step between hand cards, made smaller only when the last card would
// otherwise run off the table's edge.
int HandStep(int player, int cards) {
  const int normal = player == Human ? HumanHandStep : RobotHandStep;
  if (cards <= 1) return normal;
  const int room = TableWidth - CardWidth - HandFirstLeft;
  return std::min(normal, room / (cards - 1));
}

}  // namespace

void Game::HandLayout(int player) {
  HandLeft[Human] = HandFirstLeft;
  HandLeft[Robot] = HandFirstLeft;
  HandPoints[player] = 0;
  HandCount[player] = 0;
  int cards = 0;
  for (int c = 1; c <= CardCount; ++c) cards += Cards[c].Place == player;
  const int step = HandStep(player, cards);
  for (int c = 1; c <= CardCount; ++c) {
    if (Cards[c].Place != player) continue;
    auto& pic = Table.PicCards[c];
    pic.Left = HandLeft[player];
    if (player == Human) {
      pic.Top = HumanHandTop;
      pic.Image = c;
      pic.BorderStyle = 0;
    } else {
      pic.Top = RobotHandTop;
      pic.Image = BackImage;
    }
    HandLeft[player] += step;
    Table.BringToFront(pic);
    HandCount[player] += 1;
    HandPoints[player] += Cards[c].Points;
  }
  Table.LblPointsHand.Caption = "Points Hand: " + std::to_string(HandPoints[Human]);
}

// Either player's hand counted by rank, and what its triples would meld for.
void Game::CountHand(int player) {
  for (int r = RankAce; r <= RankJoker; ++r) RankCount[r] = 0;
  for (int c = 1; c <= CardCount; ++c)
    if (Cards[c].Place == player) RankCount[Cards[c].Rank] += 1;
  NaturalMeldValue[player] = rules::NaturalMeldValue(RankCount);
}

}  // namespace larkspur
