// The pointer and tooltip over cards and headings, telling what a click there would do.
#include "state/Game.h"

namespace larkspur {

namespace {
void Point(CardPicture& pic, int icon, std::string tip) {
  pic.MouseIcon = icon;
  pic.ToolTip = std::move(tip);
}
}  // namespace

// The pointer and tooltip over a card say what a click there would do.
void Game::PicCards_MouseMove(int index) {
  if (index < 1 || index > CardCount) return;
  const int c = index;
  const int place = Cards[c].Place;
  if (!PlayerToPlay || place == PlaceRobotHand || !HandInPlay) return;
  auto& pic = Table.PicCards[c];
  pic.MousePointer = CustomPointer;
  const bool drawing = PlayerTurnOpen;
  const int pile = Table.Shape1.BorderColor;
  if (place == PlaceHumanMeld || place == PlaceRobotMeld) {
    Point(pic, PointerRefuse, PlayerName + " you cannot click these Melded cards.");
  } else if (drawing && place == PlaceStock) {
    Point(pic, PointerAct, PlayerName + " left click to take two cards.");
  } else if (drawing && place == PlaceHumanHand) {
    Point(pic, PointerRefuse, PlayerName + " take Stock or Discard card first.");
  } else if (drawing && place == PlacePile && pile == PileBlocked) {
    Point(pic, PointerRefuse, PlayerName + " discard Blocked - take two Stock cards.");
  } else if (drawing && place == PlacePile && (pile == PileFrozen || pile == PileOpen)) {
    Point(pic, PointerAct,
          PlayerName + " left click to take card. Make sure you can make the Minimum meld.");
  } else if (!drawing && (place == PlaceStock || place == PlacePile)) {
    Point(pic, PointerRefuse, "Meld or Discard now.");
  } else if (!drawing && place == PlaceHumanHand && IsWildRank(Cards[c].Rank)) {
    Point(pic, PointerAct, "Click the card you wish to Meld and then Label over Meld to add.");
  } else if (!drawing && place == PlaceHumanHand) {
    Point(pic, PointerAct, "Click the cards you wish to meld.");
  }
}

void Game::LblHeadings_MouseMove(int index) {
  if (index < 0 || index > RankJoker) return;
  Label& heading = Table.LblHeadings[index];
  heading.MousePointer = CustomPointer;
  heading.MouseIcon = PointerAct;
  heading.ToolTip = PlayerName + " click to Meld the Wild card you chose.";
}

}  // namespace larkspur
