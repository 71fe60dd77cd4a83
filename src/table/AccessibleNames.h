// What a screen reader says about each element of the table: a name that tells
// what it is now and where, and a description with a little more. Worked out
// from the game each time it is asked, so it is always true to the table.
#pragma once

#include <string>

namespace larkspur {

class Game;
struct TableElement;

struct AccessibleText {
  std::string Name;
  std::string Description;
  // A card hidden under the top of the stock or the discard pile: it shows
  // nothing of its own.
  bool Covered = false;
  // A card the game takes clicks on: one in the human's hand, the stock or the pile.
  bool Pressable = false;
};

// A card by where it lies, named by the face it shows and never by a face turned down:
// "Seven of hearts, in your hand", "A card in Barnaby's hand", "King of clubs, in
// Barnaby's kings"; the top of the stock and of the discard pile by their own names.
AccessibleText AccessibleCard(const Game& g, int card);
// "Stock, 52 cards".
std::string AccessibleStockName(const Game& g);
// "Discard pile, 9 cards, frozen, top card queen of spades".
std::string AccessiblePileName(const Game& g);
// A player's meld column, by its rank code (RankRedThree: the red threes laid down):
// "Your kings: 5 cards, 1 wild card, mixed", "Barnaby's aces: no meld".
std::string AccessibleMeldName(const Game& g, int player, int column);
// The cards of a player's meld column as they lie, naturals first, then the wild
// cards: "Kings: king of spades, king of hearts, red joker"; the red threes laid
// down for RankRedThree. Empty while the column holds none.
std::string MeldCardsText(const Game& g, int player, int column);
// What an element's tooltip says: its own, or for a meld column the cards in it.
std::string ElementToolTip(const Game& g, const TableElement& element);
// A meld heading by its index, which says when a click on it would add the
// chosen wild card: "Kings: click to add the two of clubs you chose".
std::string AccessibleHeadingName(const Game& g, int index);
// Any label, button or frame of the table's element list.
AccessibleText AccessibleElement(const Game& g, const TableElement& element);

}  // namespace larkspur
