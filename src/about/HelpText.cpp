// The help text, written here with light marks and expanded to what the help window shows.
#include "about/HelpText.h"

#include <sstream>

namespace larkspur {

namespace {

// The text as written here: a line "# Heading" becomes a section heading and
// its row of '=' signs, and "<TAB>" stands for a tab character.
constexpr const char* kSource = R"(# General Information
Canasta is Spanish for "basket". The game was first played in Uruguay in the late 1930s, travelled to Argentina and from
there to the United States, where it was the card game everybody was playing in the early 1950s. The name is said to
come from the basket-like heap of cards a player builds up in a meld of seven, which is what the game is all about.

Larkspur is canasta for two: you against the computer. Help comes in three parts: this text, the small tips that appear
when you rest the mouse over the cards, the labels and the other parts of the table, and the Hint, which suggests your
next click. Watch the line of instructions on the left of the table as well: it always tells you what the game expects
you to do next.

The game follows most of the official rules of two-handed canasta, but leaves out some of their complications so that a
game runs smoothly on the screen. How the computer plays is yours to choose under Options (see The Interface below): by
its own fixed rules, as a stronger player, or searching ahead. Every card it moves travels across the table at the pace
you set under Speed, so you can follow what it does.

# The Deck and Deal
Two full packs of 52 cards and four jokers are shuffled together, 108 cards in all. There are two players, you and the
computer. Each player is dealt 15 cards, one at a time. The 31st card is turned face up beside the deck to start the
discard pile, and the cards left over, face down, are the stock.

Red threes are never kept in the hand. Any red three you are dealt is laid face up on the meld table straight away and
replaced by a card from the stock, and the same happens to a red three drawn later in the hand.

If the card turned up to start the discard pile is a wild card (or a red three), another card is turned up on top of it,
and again if need be, until the top card is neither. The cards underneath stay in the pile.

The wild cards are the twos and the jokers. They can stand in for a card of any rank in a meld.

The black threes are stop cards. A black three discarded on top of the pile blocks the pile, so the next player cannot
take it and must draw from the stock.

The first meld of each hand must reach a minimum number of points, and the minimum rises as your game score grows (see
Melding below). The minimum you still need is shown at the top right of the table.

# Overview of the game
The first player to reach 5,000 points wins the game. The target can be changed from the menu, so you can play a shorter
game if you wish. Points come from the cards you meld, and above all from canastas.

A canasta is a meld of seven or more cards of one rank. A pure (natural) canasta has no wild cards in it; a mixed
canasta has one or more.

A cut of the cards decides who deals, and the player who did not deal plays first. That player either takes the up card
of the discard pile (and with it the rest of the pile) or takes two cards from the stock, by clicking on them. After
that the players take turns in the same way.

When you take the discard pile before your first meld, only its top card may count towards your minimum meld. The rest
of the pile comes into your hand once the minimum has been met. If you take the pile and then find you cannot meet the
minimum, click the Return Cards button: the top card goes back on the pile and 50 points are taken off your score. If
the rest of the pile has come into your hand and Return Cards then leaves your melds short of the minimum, the whole
pile goes back on the pile, with the same 50 points off.

A hand ends when one player has no cards left in hand, or when the stock is used up. At the end of each hand the scores
are shown, and the game can be saved there and then to be finished another time.

The score of each hand is added to the game score of each player. The game is over when, at the end of a hand, a
player's game score has reached the target. Should both players be over the target with exactly the same score, one more
hand is played to settle it.

# First Moves
At the start of your turn you draw: you may take the whole discard pile, if the pile and your hand allow it, or you take
two cards from the stock. The coloured border round the discard pile tells you what you may do:

Green - the pile is open. You may take it if you hold two natural cards of the same rank as the top card, or one natural
card of that rank and a wild card, or if you already have a meld of that rank on the table.

Yellow - the pile is frozen. It is frozen when there is a wild card anywhere in it, and it is always frozen for a player
who has not yet met the minimum meld in this hand. To take a frozen pile you need a natural pair of the top card's rank
in your hand.

Red - the pile is blocked by a black three on top. Nobody may take it; draw from the stock. The next discard covers the
three and the pile can be taken again. A wild card in the pile, on the other hand, keeps it frozen for both players
until somebody takes the whole pile.

If you take the pile and cannot meet the minimum meld, return the cards with the Return Cards button; this costs you 50
points. Otherwise take your two cards from the stock, make any melds you can, and then discard one card to end the turn.

A large pile is well worth taking when you can: it may bring you the cards for several melds, or even a canasta, at
once.

# Melding
A meld is three or more cards of the same rank. Sequences (runs such as 5, 6, 7) do not count in canasta. To start a
meld you need three natural cards of a rank, or two natural cards and a wild card.

Until you have met the minimum meld, or completed a meld, you can change your mind: the Take Back button (the Return
Cards label) gives the cards you melded this turn back to your hand. Once the minimum is met, only a meld that is not
yet complete, one or two cards, goes back.

The first meld of each hand must be worth more than the minimum meld points for your game score so far:

Minimum meld points
15 points<TAB>only if game score to date is negative
50 points<TAB>0 – 1495 game score to date
90 points<TAB>1500 – 2995 game score to date
120 points<TAB>3000 plus game score to date

The points must be more than the minimum: 50 points exactly does not meet a minimum of 50. The cards are worth:

Ace - 20 Points
Two - 20 Points
Three to Seven - 5 points each.
Eight to King - 10 points each
Joker - 50 points
Red Three - 100 points.

Wild cards: a meld may hold no more than 3 wild cards, and it must never have more wild cards than natural ones; a wild
card can only be added while the natural cards still outnumber the wild cards after it is added.

Red threes are not melds and do not count towards the minimum meld. At the end of a hand each red three scores 100
points if you have made a meld, and costs you 100 points if you have not. All four red threes together are worth 800
points (or cost 800 points without a meld).

Bonuses: 300 points for each mixed canasta, 500 points for each pure canasta and 100 points for going out.

Black threes can never be melded in the usual way. The only time you may meld them is when going out, when the last
three or four cards in your hand are all black threes and you already have a canasta.

# Going Out
You go out by getting rid of all your cards, and you may only go out when you have at least one canasta.

If you have no canasta and are left with just one card, you cannot discard it: no discard is made and the turn passes to
the computer. Keep melding until you have a canasta. Cards left in your hand when the other player goes out count
against you, so it pays not to hold on to high cards for too long. By the official rules a discard pile of one card may
not be taken when you hold only one card.

You go out either by discarding your last card or by melding it (three or four black threes can be melded as the last
cards). The hand is then scored: each side adds the points of its melded cards and its bonuses and takes off the points
of the cards still in hand. You are then offered the next hand (Carry On) or to exit and save the game.

A hand also ends when the stock is exhausted; the hand is scored in the same way, but nobody gets the going out bonus.

# The Interface
You can play with the mouse or with the keyboard. When the mouse rests over a card or a label, the pointer and the tip
beside it show what a click there would do; if a click is not allowed, the line of instructions says why. Rest the
mouse on the label at the end of a meld column to see every card in that meld, as the cards lie over each other on the
table.

To draw, left-click on the stock for two cards, or click on the top card of the discard pile to take the pile.

To meld, click on the cards in your hand one at a time; each card goes to the column of its rank on the meld table.

To add a wild card to a meld, click on the wild card in your hand and then click on the label above the meld you want
it to join.

When you have finished melding, click on the large label above your cards, and then click on the one card you wish to
discard.

With the keyboard, Tab and Shift+Tab move a yellow ring over everything you can click at that moment, Left and Right
move it along your hand or the labels above the melds, and Space or Return clicks what it rings. After a click the ring
stays where you are working, on the next card of the same rank or the nearest card, until your turn is over. In a
message, Return takes the first button (or the one Tab moved to), Escape the last, and the underlined letter of a
button that button. The panel at the end of a hand answers the same way, Carry On first, but Escape does nothing there.

Not sure what to do? Hint (the H key) suggests your next click: the line of instructions says what to do and why, and
the card or label to click is outlined in cyan until you act.

The menus:

Game: New (F2) starts a new game, Load (Ctrl+L) carries on an unfinished game, Save (Ctrl+V) keeps the game totals so
far, and Exit (Ctrl+X) ends the program. A hand left unfinished when the program closed is kept: Resume Hand (Ctrl+R)
puts it back on the table just as you left it. Hint is here too, and the Score Sheet (Ctrl+H), which shows the scores of
every hand of the game and, on its Hand Log page, every move of this hand; Copy puts the page shown on the clipboard.

Change Names: Change your name, or Change Opponent Name to give the computer a name of your choice.

Statistics: View Statistics shows how many games each of you has won, and Delete Statistics sets both counts back to
nought. Statistics by Robot Level shows, for each robot, the games won and lost, the streaks, the best and worst
totals, the canastas and the times gone out.

Target Score sets the points to play to, anything from 500 to 5000: the box shows the target as it stands, so type the
new one over it and press Return, or press Escape to leave it as it is.

Options: Speed sets how long the game pauses between moves, Slow, Normal or Fast, and No pauses skips every pause, so
the cards move as fast as the screen can draw them. Sound turns the sounds off and on. Robot chooses your opponent:
Classic plays by the robot's own fixed rules, Expert is a stronger player, and Master weighs the Expert's choices by
playing the rest of the hand out many times.

Canasta Help shows this text (F1), and About tells you about the program.

Your name, the computer's name, the pace, the games won, the target and the totals of an unfinished game are kept from
one game to the next, and so are No pauses, the sound, the robot you chose and the place and size of the window.

The line of instructions on the left of the table tells you what to do next. The computer's scores are shown along the
top of the table and yours along the bottom, with the points still in your hand at the bottom right; the minimum meld
and the target score are at the top right. At the end of each hand a panel shows the scores of the hand and the game.

Enjoy Canasta)";

std::string Expand() {
  std::istringstream in(kSource);
  std::string out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with("# ")) {
      const std::string heading = line.substr(2);
      out += "\t\t\t" + heading + "\n";
      out += "\t\t\t" + std::string(heading.size() + 4, '=') + "\n";
      continue;
    }
    for (std::size_t at = line.find("<TAB>"); at != std::string::npos; at = line.find("<TAB>")) {
      line.replace(at, 5, 1, '\t');
    }
    out += line + "\n";
  }
  out.pop_back();  // the text ends with its last line, "Enjoy Canasta"
  return out;
}

}  // namespace

const std::string& HelpText() {
  static const std::string text = Expand();
  return text;
}

}  // namespace larkspur
