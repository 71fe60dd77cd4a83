// The rules of canasta as this table plays them, each in one place: melds and
// canastas, the wild-card limits of each seat, when a card may start or join a
// meld, the minimum first meld, when the discard pile may be taken, going out
// and the bonuses. Plain values in and out, no table and no pauses: the game,
// its robots, the hint and any simulator of a hand ask here.
#pragma once

#include <array>

#include "rules/Cards.h"

namespace larkspur {

// The two players, who are also the two seats. Per-player arrays are indexed
// by them; index 0 is never used.
constexpr int Human = 1;
constexpr int Robot = 2;

// One player's meld of one rank, as the cards are booked into it.
struct MeldItems {
  int Count = 0;      // cards in the meld, wild cards included
  int WildCount = 0;  // wild cards in it
  int WildMark = 0;   // cards melded since its first wild card, that one included; 0 while pure
  bool HasWild = false;
  bool Started = false;
};

// The discard pile as the player who moves next finds it.
enum class PileState {
  Open,     // taken with a natural pair, one natural and a wild card, or onto a meld
  Frozen,   // taken with a natural pair only
  Blocked,  // not taken at all: a black three lies on top
};

namespace rules {

// ---- The deal
// While the pile's up card is a wild card or a red three another is turned up
// onto it, at most this many times.
constexpr int MostUpCardsAgain = 7;
constexpr bool TurnsUpAnother(int upRank) {
  return IsWildRank(upRank) || upRank == RankRedThree;
}

// ---- Melds
constexpr int MeldMinimum = 3;  // cards a meld needs to stand
constexpr int CanastaSize = 7;  // cards that make a meld a canasta
// The natural ranks melds are made of, aces first and then fours to kings (the
// order the robot weighs them in). Black threes are melded only to go out.
constexpr std::array<int, 11> MeldRanks{RankAce,   RankFour,  RankFive, RankSix,
                                        RankSeven, RankEight, RankNine, RankTen,
                                        RankJack,  RankQueen, RankKing};
constexpr bool IsMeldRank(int rank) {
  return rank == RankAce || (rank >= RankFour && rank <= RankKing);
}

// A meld of one or two cards cannot stand: it must be made up or given back.
constexpr bool MeldStands(const MeldItems& m) {
  return !m.Started || m.Count >= MeldMinimum;
}
constexpr bool IsCanasta(const MeldItems& m) {
  return m.Count >= CanastaSize;
}
// Pure until a wild card joins; mixed from then on.
constexpr bool IsPure(const MeldItems& m) {
  return m.WildMark == 0;
}
// A wild card joins a meld: one more wild card, and mixed from it on. Book it next.
void AddWildCard(MeldItems& m);
// One card booked into a meld, a wild card after AddWildCard.
void BookCard(MeldItems& m);

// A natural card starts a meld from the hand with two more of its rank held,
// or with one more and a wild card.
constexpr bool MayStartMeld(int held, int wildsHeld) {
  return held >= MeldMinimum || (held == MeldMinimum - 1 && wildsHeld > 0);
}
// A natural card from the hand joins its player's meld of its rank, or starts one.
constexpr bool MayMeldNatural(bool meldStarted, int held, int wildsHeld) {
  return meldStarted || MayStartMeld(held, wildsHeld);
}
// The wild-card limit of each seat: the human's meld must keep more naturals
// than wild cards; the robot puts no more than three wild cards in a meld.
constexpr int MostRobotWilds = 3;
bool MayAddWild(int seat, const MeldItems& m);
// With one more wild card the meld still holds no more wild cards than naturals.
constexpr bool WildWithinNaturals(const MeldItems& m) {
  return m.WildCount + 1 <= m.Count - m.WildCount;
}

// ---- The first meld
// The points a player's first melds of a hand must beat, by the player's game score.
int MinimumMeldFor(int gameScore);
// Beating it means scoring more: equal is not enough.
constexpr bool MeetsMinimumMeld(int meldPoints, int requirement) {
  return meldPoints > requirement;
}
// What a hand's natural ranks held three times or more would meld for.
int NaturalMeldValue(const RankCounts& held);

// ---- The discard pile
// The pile's state for the next player after a discard: blocked under a black
// three; open once that player has met the minimum meld, unless a wild card in
// it freezes it; frozen otherwise.
PileState PileStateAfterDiscard(bool blackThreeOnTop, bool wildInPile, bool nextHasMetMinimum);
// Whether a player may take the pile, holding `held` cards of the top card's
// rank and `wildsHeld` wild cards, with or without a meld of that rank.
bool MayTakePile(PileState pile, int upRank, int held, int wildsHeld, bool meldStarted);
// Charged for a taken pile given back without meeting the minimum meld.
constexpr int PileGivenBackPenalty = 50;

// ---- Going out
// The last card stays in the hand until its player has a canasta.
constexpr bool MustKeepLastCard(int handCount, bool hasCanasta) {
  return handCount == 1 && !hasCanasta;
}
// Black threes are melded only to go out: a hand of three or four of them and nothing else.
constexpr bool HandIsBlackThreesMeld(int handCount, int blackThrees) {
  return handCount >= MeldMinimum && handCount <= BlackThreesInPack && blackThrees == handCount;
}
// Added to the game score for each black three the human goes out with.
constexpr int BlackThreeOutPoints = 3;

// ---- Bonuses
constexpr int PureCanastaBonus = 500;
constexpr int MixedCanastaBonus = 300;
constexpr int GoingOutBonus = 100;
constexpr int RedThreePoints = 100;  // each, for a player who has melded, against one who has not
constexpr int AllRedThreesPoints = 800;  // all four, instead
// A canasta's bonus; nothing for a meld that is not one.
int CanastaBonus(const MeldItems& m);
// One player's melds, by meld column.
using PlayerMelds = std::array<MeldItems, RankKing + 1>;
// The bonuses of all a player's canastas (black threes go out, they make none).
int CanastaBonuses(const PlayerMelds& melds);
// Whether a player has a meld of a natural rank, which red threes need to count for it.
bool HasMelded(const PlayerMelds& melds);
// What a player's red threes laid down are worth, or cost a player without a meld.
int RedThreesWorth(int redThrees, bool melded);

}  // namespace rules

}  // namespace larkspur
