// The lean simulator: one hand of canasta as small, plain, copyable data, with
// the rules of the table for both seats and nothing else: no table model,
// labels, pauses or status texts, and no allocation. Robots that look ahead
// copy it and play the rest of a hand on it many times per decision; a
// differential test keeps it in step with the real game, move by move.
//
// Each rule comes from rules/. Where a seat of the real game behaves in a way
// of its own it behaves the same here: the robot's seat takes the pile only
// once its first meld is made, melds the top card with its own cards and a wild
// card, and lets its policy stop melding at any move; the human's seat melds by
// clicks, so a refused click ends the melding, and melds that cannot stand go
// back by Return Cards, a taken pile with its 50 points. A position therefore
// plays out here as it would at the table.
//
// A hand moves from decision to decision of the seat to play (Turn, Phase):
// Draw(take the pile or not), Meld(one melding move), Discard(a card). The
// stock lies in drawing order, so a copy plays on exactly as the original
// would; ShuffleStock deals the future afresh.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <type_traits>

#include "policy/Policy.h"
#include "rules/Rules.h"
#include "state/GameState.h"

namespace larkspur {

// The simulator's own random source (SplitMix64): a few instructions a number,
// eight bytes of state, so every copy of a hand carries its own.
struct SimRandom {
  std::uint64_t State = 0;
  std::uint64_t Next() {
    std::uint64_t z = (State += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  // A whole number from 0 to n - 1.
  int Below(int n) {
    return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }
};

// The decision the seat to play makes next.
enum class SimPhase : std::int8_t {
  Draw,     // take the pile (when the seat is asked) or two stock cards
  Meld,     // the next melding move
  Discard,  // the card to discard
  Over,     // the hand is over, and scored unless it was stopped
};

// A set of card numbers.
struct CardSet {
  std::array<std::uint64_t, 2> Bits{};
  bool Has(int c) const { return (Bits[c >> 6] >> (c & 63)) & 1; }
  void Add(int c) { Bits[c >> 6] |= std::uint64_t{1} << (c & 63); }
  void Remove(int c) { Bits[c >> 6] &= ~(std::uint64_t{1} << (c & 63)); }
  void Add(const CardSet& s) { Bits[0] |= s.Bits[0], Bits[1] |= s.Bits[1]; }
  int Count() const { return std::popcount(Bits[0]) + std::popcount(Bits[1]); }
};

// A note of the pile's record (state/PileRecord.h) in five bytes.
struct SimNote {
  std::int8_t Player = 0;
  std::int8_t Card = 0;
  std::int8_t Rank = 0;
  std::int8_t PileSize = 0;
  bool Taken = false;
};

namespace sim {

// The printed rank and the points of each card, looked up rather than worked out.
inline constexpr auto CardRank = [] {
  std::array<std::int8_t, CardCount + 1> rank{};
  for (int c = 1; c <= CardCount; ++c) rank[c] = static_cast<std::int8_t>(RankOfCard(c));
  return rank;
}();
inline constexpr auto CardPoints = [] {
  std::array<std::int16_t, CardCount + 1> points{};
  for (int c = 1; c <= CardCount; ++c) points[c] = static_cast<std::int16_t>(PointsOfCard(c));
  return points;
}();
// How many cards of a printed rank the pack holds; they follow FirstCardOfRank.
constexpr int CardsOfRank(int rank) {
  return rank == RankJoker || rank == RankBlackThree || rank == RankRedThree ? 4
                                                                             : CardsPerNaturalRank;
}
constexpr int Other(int player) {
  return player == Human ? Robot : Human;
}

}  // namespace sim

struct SimHand {
  // A human's turn that goes back to drawing or melding more often than this is
  // stopped: its policy is going round in circles (the table would wait for ever).
  static constexpr int MostRounds = 50;
  // Far more notes than a hand makes: a turn adds at most a take and a discard.
  static constexpr int MostNotes = 200;

  // ---- the cards
  std::array<std::int8_t, CardCount + 1> Place{};          // place code by card; index 0 unused
  std::array<std::int8_t, LastWildCard + 1> WildColumn{};  // a melded wild card's meld column
  std::array<std::int8_t, CardCount>
      Stock{};  // the stock, drawn from the end: Stock[StockCount - 1]
  int StockCount = 0;
  int UpCard = 0;  // the card last turned up or discarded, as the table keeps it
  PileState StateOfPile = PileState::Frozen;
  CardSet
      FromDiscard;  // top cards taken from the pile; the human's go back there with Return Cards
  // The pile the human took in this turn before the first meld, top card and
  // all: it goes back whole should that first meld not stand.
  CardSet TakenForFirstMeld;

  // ---- counts, kept with every move
  PerPlayer<int> HandCount{};
  PerPlayer<int> HandPoints{};
  PerPlayer<int> MeldPoints{};
  PerPlayer<int> MeldedCards{};
  PerPlayer<int> RedThrees{};
  std::array<std::array<std::int8_t, RankJoker + 1>, 3> HandRank{};  // by player and printed rank
  int DiscardCount = 0;
  int PileWilds = 0;  // wild cards in the pile, which freeze it

  // ---- melds and the first meld
  std::array<rules::PlayerMelds, 3> MeldInfo{};
  PerPlayer<int> MinMeld{};  // as the table's label holds it: the requirement, or what is missing
  PerPlayer<bool> MinMeldMet{};
  PerPlayer<bool> HasCanasta{};
  bool PlayerPileDue = false;  // the human took the top card before the first meld; the rest waits
  bool RobotPileDue = false;
  int PenaltyPoints = 0;

  // ---- scores
  PerPlayer<int> GameScore{};
  int TargetScore = 5000;
  PerPlayer<int> HandTotal{};  // each player's score of this hand, once it is over

  // ---- the turn
  int Turn = Human;
  SimPhase Phase = SimPhase::Over;
  int MeldStepNo = 0;      // the melding moves asked for since the melding began
  bool TookPile = false;   // the robot took the pile this turn
  int Rounds = 0;          // see MostRounds
  int NextToPlay = Human;  // who plays first: this hand before the deal, the next one after it
  bool Stopped = false;    // a turn went round in circles and the hand was left unscored

  // ---- the record of discards and takes, which either seat may read
  std::array<SimNote, MostNotes> Notes{};
  int NoteCount = 0;

  SimRandom Random;

  // ---- a new hand
  // All cards in the stock in card order; the game so far and who plays first.
  // Each player's minimum-meld label keeps what the last hand left in it until
  // that player's turn: minMeld gives it (0 for a first hand, whose labels are new).
  void NewHand(const PerPlayer<int>& gameScore, int targetScore, int firstToPlay,
               const PerPlayer<int>& minMeld = {});
  void ShuffleStock();
  // Fifteen cards each from the end of the stock, the first player first; the up
  // card, red threes laid down and replaced; then the first player's turn.
  void Deal();

  // ---- the decisions of the seat to play
  bool Over() const { return Phase == SimPhase::Over; }
  // Whether the seat to play is asked to take the pile now: when it may, and
  // on the robot's seat only once its first meld is made.
  bool AskTakePile() const;
  // The pile (when asked and chosen) or two stock cards.
  void Draw(bool takePile);
  // One melding move, applied as the seat applies it; None or Stop ends the melding.
  void Meld(const MeldStep& step);
  // The card to discard, as the seat discards it.
  void Discard(int card);

  // ---- the table's rules, for the seats and for searches
  bool MayTakePile(int player) const;
  // Whether the player's hand holds card c.
  bool Holds(int player, int c) const { return c >= 1 && c <= CardCount && Place[c] == player; }
  // The meld column of a melded card.
  int ColumnOf(int c) const { return IsWildCardNumber(c) ? WildColumn[c] : sim::CardRank[c]; }
  int WildsHeld(int player) const {
    return HandRank[player][RankTwo] + HandRank[player][RankJoker];
  }

  // The counts worked out again from the places, after the places were set
  // by other means than the moves (a sampled hand).
  void Recount();

  // ---- the moves underneath, as the table makes them
  void MoveCard(int c, int to);
  void DrawStockCard(int player);
  void LayDownRedThrees(int player);
  void CheckMinimumMeld(int player);
  void MeldCard(int c, int rank, int player);
  void MeldWildCard(int c, int rank, int player);
  void HandOverPile(int player);
  void DiscardCard(int player, int c);
  void ScoreHand();

 private:
  void Leave(int c);
  void Arrive(int c, int to);
  void Note(int player, int card, int rank, bool taken, int pileSize);
  void TurnUpCard();
  void StartTurn(int player);
  void EndTurn();
  void EndHandBeforeDraw();
  void Stop();
  // The robot's seat.
  void RobotTakesPile();
  bool RobotMayMeld(const MeldStep& step) const;
  void RobotEndsMelding();
  // The human's seat: its clicks, Return Cards and what they leave.
  enum class Click { Nothing, Melded, ChoseWild };
  void HumanTakesPile();
  Click ClickHandCard(int c);
  void ClickHeading(int rank, int wildCard);
  void HumanMeldMove(const MeldStep& step);
  void HumanEndsMelding();
  void HumanDiscards(int card);
  void GoOutWithBlackThrees();
  bool MeldsComplete() const;
  bool ReturnCards();
  bool TakeBack();
  bool GiveBackTakenPile();
  void ReturnUnfinishedMelds();
  void RecountHumanMelds();
  void RecheckMinimumMeld();
  void BackToDrawOrMeld(bool topReturned);
};

// Copied with a plain copy of its bytes, as searches copy it by the thousand.
static_assert(std::is_trivially_copyable_v<SimHand>);

}  // namespace larkspur
