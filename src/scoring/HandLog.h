// Every move of the hand in play, both players', in the order made: written
// where the cards move, cleared with the new hand, read by the player in the
// score sheet's window. Play never reads it.
#pragma once

#include <string>
#include <vector>

namespace larkspur {

class Game;

enum class HandMove {
  StockDraw,      // a card from the stock
  RedThree,       // a red three laid down
  PileTaken,      // the discard pile taken (number: the cards in it)
  Meld,           // a card melded (number: the meld's rank)
  Discard,        // a card discarded
  PileGivenBack,  // a taken pile's top card given back (number: the points lost)
  TakenBack,      // a melded card taken back into the hand
  WentOut,
  StockRanOut,
};

// One line of the log. Moves that read as one are kept together: two cards
// drawn, a red three and the card that replaced it, the cards a meld or a
// taken pile was made with in one go.
struct LoggedMove {
  HandMove Move = HandMove::Discard;
  int Player = 0;
  std::vector<int> Cards;  // a taken pile's: the cards melded with its top card
  int Rank = 0;            // a meld's or a taken pile's rank
  int Number = 0;          // cards in a taken pile; points lost giving one back
  bool Onto = false;       // the meld was already on the table
};

struct HandLog {
  std::vector<LoggedMove> Moves;
  int Revision = 0;  // grows with every change, so a reader sees when to look again

  void Clear() {
    Moves.clear();
    ++Revision;
  }
};

// The log in words, one line a move: "You discarded the nine of clubs".
std::vector<std::string> HandLogLines(const Game& g);
// The same lines as plain text, one a line.
std::string HandLogText(const Game& g);

}  // namespace larkspur
