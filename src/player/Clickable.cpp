// What a click on the table could use now: the elements the keyboard steps
// through and the hint may point at, in the order they lie for the player.
#include <algorithm>

#include "state/Game.h"

namespace larkspur {

std::vector<TableTarget> Game::ClickableNow() const {
  std::vector<TableTarget> list;
  if (!MayMove() || !HandInPlay || !PlayerToPlay || Table.FramResults.Visible) return list;
  auto shown = [this](int c) { return Table.PicCards[c].Visible; };

  if (PlayerTurnOpen) {
    // The stock's top card, the one a click lands on; any stock card draws two.
    int top = 0;
    for (int c = 1; c <= CardCount; ++c)
      if (Cards[c].Place == PlaceStock && shown(c) &&
          (top == 0 || Table.PicCards[c].ZOrder > Table.PicCards[top].ZOrder))
        top = c;
    if (top != 0) list.push_back({TableTarget::Stock, top});
    // The pile's top card, unless a black three blocks it (the pointer refuses it too).
    if (UpCard != 0 && Cards[UpCard].Place == PlacePile && shown(UpCard) &&
        Table.Shape1.BorderColor != PileBlocked)
      list.push_back({TableTarget::Pile, UpCard});
    return list;
  }
  if (!PlayerHasDrawn && !PlayerDiscarding) return list;

  // The hand from left to right: after a draw each card melds, when discarding each is the discard.
  std::vector<int> hand;
  for (int c = 1; c <= CardCount; ++c)
    if (Cards[c].Place == PlaceHumanHand && shown(c)) hand.push_back(c);
  std::stable_sort(hand.begin(), hand.end(), [this](int a, int b) {
    return Table.PicCards[a].Left < Table.PicCards[b].Left;
  });
  for (int c : hand) list.push_back({TableTarget::HandCard, c});

  // A chosen wild card goes on one of the human's melds: their headings, from left to right.
  if (PlayerHasDrawn && WildChosen != 0 && Cards[WildChosen].Place == PlaceHumanHand) {
    for (auto h = MeldHeadings.rbegin(); h != MeldHeadings.rend(); ++h) {
      const int r = h->Rank;
      if (r >= RankAce && r <= RankKing && r != RankTwo && MeldInfo[Human][r].Started &&
          Table.LblHeadings[r].Visible)
        list.push_back({TableTarget::Heading, r});
    }
  }
  if (Table.LblDiscarding.Visible) list.push_back({TableTarget::DiscardLabel});
  if (Table.LblReturnPack.Visible) list.push_back({TableTarget::ReturnLabel});
  return list;
}

}  // namespace larkspur
