#include "sim/SimHand.h"

#include <utility>

namespace larkspur {

namespace {

constexpr int MeldPlace(int player) {
  return player == Human ? PlaceHumanMeld : PlaceRobotMeld;
}
constexpr int RedThreePlace(int player) {
  return player == Human ? PlaceHumanRedThree : PlaceRobotRedThree;
}
constexpr int LastCardOfRank(int rank) {
  return FirstCardOfRank(rank) + sim::CardsOfRank(rank) - 1;
}

}  // namespace

// ---- Cards moving, and the counts that move with them

void SimHand::Leave(int c) {
  const int at = Place[c];
  const int points = sim::CardPoints[c];
  switch (at) {
    case PlaceHumanHand:
    case PlaceRobotHand:
      HandCount[at] -= 1;
      HandPoints[at] -= points;
      HandRank[at][sim::CardRank[c]] -= 1;
      break;
    case PlacePile:
      DiscardCount -= 1;
      PileWilds -= IsWildCardNumber(c);
      break;
    case PlaceHumanMeld:
    case PlaceRobotMeld: {
      const int p = at == PlaceHumanMeld ? Human : Robot;
      MeldPoints[p] -= points;
      MeldedCards[p] -= 1;
      break;
    }
    case PlaceHumanRedThree:
      RedThrees[Human] -= 1;
      break;
    case PlaceRobotRedThree:
      RedThrees[Robot] -= 1;
      break;
    default:
      break;  // the stock keeps its order apart
  }
}

void SimHand::Arrive(int c, int to) {
  Place[c] = static_cast<std::int8_t>(to);
  const int points = sim::CardPoints[c];
  switch (to) {
    case PlaceHumanHand:
    case PlaceRobotHand:
      HandCount[to] += 1;
      HandPoints[to] += points;
      HandRank[to][sim::CardRank[c]] += 1;
      break;
    case PlacePile:
      DiscardCount += 1;
      PileWilds += IsWildCardNumber(c);
      break;
    case PlaceHumanMeld:
    case PlaceRobotMeld: {
      const int p = to == PlaceHumanMeld ? Human : Robot;
      MeldPoints[p] += points;
      MeldedCards[p] += 1;
      break;
    }
    case PlaceHumanRedThree:
      RedThrees[Human] += 1;
      break;
    case PlaceRobotRedThree:
      RedThrees[Robot] += 1;
      break;
    default:
      break;
  }
}

void SimHand::MoveCard(int c, int to) {
  Leave(c);
  Arrive(c, to);
}

void SimHand::Recount() {
  HandCount = HandPoints = MeldPoints = MeldedCards = RedThrees = PerPlayer<int>{};
  HandRank = {};
  DiscardCount = PileWilds = 0;
  for (int c = 1; c <= CardCount; ++c) Arrive(c, Place[c]);
}

void SimHand::Note(int player, int card, int rank, bool taken, int pileSize) {
  if (NoteCount == MostNotes) return;
  Notes[NoteCount++] = {static_cast<std::int8_t>(player), static_cast<std::int8_t>(card),
                        static_cast<std::int8_t>(rank), static_cast<std::int8_t>(pileSize), taken};
}

// ---- The deal

void SimHand::NewHand(const PerPlayer<int>& gameScore, int targetScore, int firstToPlay,
                      const PerPlayer<int>& minMeld) {
  const SimRandom random = Random;
  *this = SimHand();
  Random = random;
  for (int c = 1; c <= CardCount; ++c) {
    Place[c] = PlaceStock;
    Stock[c - 1] = static_cast<std::int8_t>(c);
  }
  StockCount = CardCount;
  GameScore = gameScore;
  TargetScore = targetScore;
  NextToPlay = firstToPlay;
  MinMeld = minMeld;
}

void SimHand::ShuffleStock() {
  for (int i = StockCount - 1; i > 0; --i) std::swap(Stock[i], Stock[Random.Below(i + 1)]);
}

void SimHand::TurnUpCard() {
  UpCard = Stock[--StockCount];
  Arrive(UpCard, PlacePile);
}

void SimHand::Deal() {
  const int first = NextToPlay;
  for (int i = 0; i < HandSize; ++i) {
    for (int p : {first, sim::Other(first)}) Arrive(Stock[--StockCount], p);
  }
  // The first card turned up lays out the pile, and that lays down the red threes dealt.
  TurnUpCard();
  LayDownRedThrees(Human);
  LayDownRedThrees(Robot);
  for (int again = 1; again <= rules::MostUpCardsAgain; ++again) {
    if (!rules::TurnsUpAnother(sim::CardRank[UpCard])) break;
    TurnUpCard();
  }
  StateOfPile = PileState::Frozen;
  StartTurn(first);
}

// ---- The stock and red threes

void SimHand::DrawStockCard(int player) {
  if (StockCount > 0) Arrive(Stock[--StockCount], player);
  LayDownRedThrees(player);
}

// Each red three goes down and another card comes from the stock, which may be
// a red three again.
void SimHand::LayDownRedThrees(int player) {
  if (HandRank[player][RankRedThree] == 0) return;
  for (int c = FirstRedThree; c <= LastRedThree; ++c) {
    if (Place[c] != player) continue;
    MoveCard(c, RedThreePlace(player));
    DrawStockCard(player);
  }
}

// ---- Melds and the first meld

void SimHand::CheckMinimumMeld(int player) {
  MinMeld[player] = rules::MinimumMeldFor(GameScore[player]);
  MinMeldMet[player] = rules::MeetsMinimumMeld(MeldPoints[player], MinMeld[player]);
}

// Every card that is melded is booked here; a first meld that beats the minimum
// brings the rest of a taken pile into the hand.
void SimHand::MeldCard(int c, int rank, int player) {
  MoveCard(c, MeldPlace(player));
  if (IsWildCardNumber(c)) WildColumn[c] = static_cast<std::int8_t>(rank);
  MeldItems& meld = MeldInfo[player][rank];
  rules::BookCard(meld);
  if (rules::IsCanasta(meld)) HasCanasta[player] = true;
  CheckMinimumMeld(player);
  if (player == Human && MinMeldMet[Human] && PlayerPileDue && DiscardCount >= 1) {
    HandOverPile(Human);
    PlayerPileDue = false;
  }
  if (player == Robot && RobotPileDue) {
    HandOverPile(Robot);
    RobotPileDue = false;
  }
  MinMeld[player] = MinMeldMet[player] ? 0 : MinMeld[player] - MeldPoints[player];
}

void SimHand::MeldWildCard(int c, int rank, int player) {
  rules::AddWildCard(MeldInfo[player][rank]);
  MeldCard(c, rank, player);
}

// ---- The pile

bool SimHand::MayTakePile(int player) const {
  if (UpCard == 0 || Place[UpCard] != PlacePile) return false;
  const int up = sim::CardRank[UpCard];
  const bool started = up <= RankKing && MeldInfo[player][up].Started;
  return rules::MayTakePile(StateOfPile, up, HandRank[player][up], WildsHeld(player), started);
}

void SimHand::HandOverPile(int player) {
  if (player == Robot && !RobotPileDue) return;
  if (!MinMeldMet[player] || DiscardCount < 1) return;
  for (int c = 1; c <= CardCount && DiscardCount > 0; ++c)
    if (Place[c] == PlacePile) MoveCard(c, player);
  RobotPileDue = false;
  // Red threes that came with it go down at once.
  LayDownRedThrees(Human);
  LayDownRedThrees(Robot);
}

// A card onto the pile, which leaves the pile in its state for the other player.
void SimHand::DiscardCard(int player, int c) {
  Note(player, c, sim::CardRank[c], false, 0);
  MoveCard(c, PlacePile);
  UpCard = c;
  StateOfPile = rules::PileStateAfterDiscard(sim::CardRank[c] == RankBlackThree, PileWilds > 0,
                                             MinMeldMet[sim::Other(player)]);
}

// ---- Scoring

void SimHand::ScoreHand() {
  for (int p : {Human, Robot}) {
    const rules::PlayerMelds& melds = MeldInfo[p];
    int bonus =
        rules::CanastaBonuses(melds) + rules::RedThreesWorth(RedThrees[p], rules::HasMelded(melds));
    if (p == Human) bonus -= PenaltyPoints;
    const int out = HandCount[p] == 0 ? rules::GoingOutBonus : 0;
    HandTotal[p] = bonus + out + MeldPoints[p] - HandPoints[p];
    GameScore[p] += HandTotal[p];
  }
  Phase = SimPhase::Over;
}

// ---- Turns

void SimHand::StartTurn(int player) {
  Turn = player;
  Phase = SimPhase::Draw;
  MeldStepNo = 0;
  TookPile = false;
  Rounds = 0;
  CheckMinimumMeld(player);
}

// The hand ends before a turn when a hand or the stock is empty.
void SimHand::EndTurn() {
  if (Turn == Human) {
    PlayerPileDue = false;  // due only in the turn that took the pile
    TakenForFirstMeld = {};
    NextToPlay = Robot;
  } else {
    NextToPlay = TookPile || HandCount[Robot] != 0 ? Human : Robot;
  }
  if (HandCount[Human] <= 0 || HandCount[Robot] <= 0 || StockCount <= 0) {
    ScoreHand();
    return;
  }
  StartTurn(sim::Other(Turn));
}

// A draw with no stock ends the hand before it, as the table's driver ends it
// before a turn: the hand is scored, and whoever was to draw plays first next.
void SimHand::EndHandBeforeDraw() {
  if (Turn == Human) {
    PlayerPileDue = false;
    TakenForFirstMeld = {};
  }
  NextToPlay = Turn;
  ScoreHand();
}

void SimHand::Stop() {
  Stopped = true;
  Phase = SimPhase::Over;
}

bool SimHand::AskTakePile() const {
  if (Phase != SimPhase::Draw || !MayTakePile(Turn)) return false;
  return Turn == Human || MinMeldMet[Robot];
}

void SimHand::Draw(bool takePile) {
  if (Phase != SimPhase::Draw) return;
  if (StockCount == 0) {  // a hand set up so: the table never asks for this draw
    EndHandBeforeDraw();
    return;
  }
  if (takePile && AskTakePile()) {
    if (Turn == Robot)
      RobotTakesPile();
    else
      HumanTakesPile();
  } else {
    DrawStockCard(Turn);
    DrawStockCard(Turn);
  }
  Phase = SimPhase::Meld;
  MeldStepNo = 0;
}

void SimHand::Meld(const MeldStep& step) {
  if (Phase != SimPhase::Meld) return;
  if (Turn == Robot) {
    if (step.What == MeldStep::None || step.What == MeldStep::Stop || !RobotMayMeld(step)) {
      RobotEndsMelding();
      return;
    }
    const int r = step.Rank;
    if (step.What == MeldStep::AllOfRank) {
      for (int c = FirstCardOfRank(r); c <= LastCardOfRank(r); ++c)
        if (Place[c] == PlaceRobotHand) MeldCard(c, r, Robot);
    } else if (step.What == MeldStep::Wild) {
      MeldWildCard(step.Card, r, Robot);
    } else {
      MeldCard(step.Card, r, Robot);
    }
    if (++MeldStepNo == MostMeldSteps) RobotEndsMelding();
    return;
  }
  if (step.What == MeldStep::None || step.What == MeldStep::Stop) {
    HumanEndsMelding();
    return;
  }
  const int before = MeldedCards[Human];
  HumanMeldMove(step);
  if (Phase != SimPhase::Meld) return;  // gone out
  if (MeldedCards[Human] == before || ++MeldStepNo == MostMeldSteps) HumanEndsMelding();
}

void SimHand::Discard(int card) {
  if (Phase != SimPhase::Discard) return;
  if (Turn == Robot) {
    // A card it does not hold: its first card instead.
    if (!Holds(Robot, card)) {
      card = 1;
      while (Place[card] != PlaceRobotHand) ++card;
    }
    DiscardCard(Robot, card);
    EndTurn();
    return;
  }
  HumanDiscards(card);
}

// ---- The robot's seat

// The top card goes to its meld and brings the rest of the pile with it; then
// its own cards of the rank make the meld up to three (or all of them join a
// meld it had), and a wild card a meld still short of three.
void SimHand::RobotTakesPile() {
  const int top = UpCard;
  const int rank = sim::CardRank[top];
  Note(Robot, top, rank, true, DiscardCount);
  FromDiscard.Add(top);
  TookPile = true;
  RobotPileDue = true;
  MeldCard(top, rank, Robot);
  const MeldItems& meld = MeldInfo[Robot][rank];
  for (int c = FirstCardOfRank(rank); c <= LastCardOfRank(rank); ++c) {
    if (Place[c] != PlaceRobotHand) continue;
    MeldCard(c, rank, Robot);
    if (meld.Count == rules::MeldMinimum) break;
  }
  if (meld.Count != rules::MeldMinimum - 1) return;
  for (int c = FirstWildCard; c <= LastWildCard; ++c) {
    if (Place[c] != PlaceRobotHand) continue;
    MeldWildCard(c, rank, Robot);
    break;
  }
}

// The robot's seat refuses what it may not do, whatever its policy asks.
bool SimHand::RobotMayMeld(const MeldStep& step) const {
  const int r = step.Rank;
  if (!rules::IsMeldRank(r)) return false;
  const MeldItems& meld = MeldInfo[Robot][r];
  const int held = HandRank[Robot][r];
  switch (step.What) {
    case MeldStep::AllOfRank:
      return held >= 1 && rules::MayMeldNatural(meld.Started, held, WildsHeld(Robot));
    case MeldStep::Wild:
      return Holds(Robot, step.Card) && IsWildCardNumber(step.Card) && meld.Started &&
             rules::MayAddWild(Robot, meld);
    case MeldStep::Natural:
      return Holds(Robot, step.Card) && sim::CardRank[step.Card] == r && meld.Started;
    case MeldStep::None:
    case MeldStep::Stop:
      break;
  }
  return false;
}

// The robot discards unless it has gone out or must keep its last card.
void SimHand::RobotEndsMelding() {
  if (HandCount[Robot] == 0 || rules::MustKeepLastCard(HandCount[Robot], HasCanasta[Robot])) {
    EndTurn();
    return;
  }
  Phase = SimPhase::Discard;
}

// ---- The human's seat

// The top card goes to the human's meld; the rest comes at once when the first
// meld is made, or later in the turn when melds make it.
void SimHand::HumanTakesPile() {
  const int top = UpCard;
  const int rank = sim::CardRank[top];
  if (!MinMeldMet[Human])
    for (int c = 1; c <= CardCount; ++c)
      if (Place[c] == PlacePile) TakenForFirstMeld.Add(c);
  Note(Human, top, rank, true, DiscardCount);
  FromDiscard.Add(top);
  MeldCard(top, rank, Human);
  CheckMinimumMeld(Human);
  if (MinMeldMet[Human])
    HandOverPile(Human);
  else
    PlayerPileDue = true;
}

// A click on a card of the hand while melding: a natural card is melded when it
// may be, a wild card is chosen for a heading, black threes go out.
SimHand::Click SimHand::ClickHandCard(int c) {
  if (!Holds(Human, c)) return Click::Nothing;
  const int r = sim::CardRank[c];
  if (r == RankBlackThree) {
    if (rules::HandIsBlackThreesMeld(HandCount[Human], HandRank[Human][RankBlackThree]) &&
        HasCanasta[Human])
      GoOutWithBlackThrees();
    return Click::Nothing;
  }
  if (r == RankRedThree) return Click::Nothing;  // laid down at once, never melded
  if (IsWildRank(r)) return Click::ChoseWild;
  if (!rules::MayMeldNatural(MeldInfo[Human][r].Started, HandRank[Human][r], WildsHeld(Human)))
    return Click::Nothing;
  MeldCard(c, r, Human);
  if (HandCount[Human] == 0) EndTurn();  // melded out
  return Click::Melded;
}

void SimHand::ClickHeading(int rank, int wildCard) {
  if (rank < RankAce || rank > RankKing || rank == RankTwo) return;
  const MeldItems& meld = MeldInfo[Human][rank];
  if (!meld.Started || !rules::MayAddWild(Human, meld)) return;
  MeldWildCard(wildCard, rank, Human);
  if (HandCount[Human] == 0) EndTurn();
}

// The clicks the human's seat makes for a melding move.
void SimHand::HumanMeldMove(const MeldStep& step) {
  switch (step.What) {
    case MeldStep::AllOfRank:
      // Every card of the rank, as the hand holds it at each click: a pile that
      // comes to the hand on the way brings more.
      if (step.Rank < RankAce || step.Rank > RankJoker) break;
      for (int c = FirstCardOfRank(step.Rank);
           c <= LastCardOfRank(step.Rank) && Phase == SimPhase::Meld; ++c)
        ClickHandCard(c);
      break;
    case MeldStep::Wild:
      if (ClickHandCard(step.Card) == Click::ChoseWild) ClickHeading(step.Rank, step.Card);
      break;
    case MeldStep::Natural:
      ClickHandCard(step.Card);
      break;
    case MeldStep::None:
    case MeldStep::Stop:
      break;
  }
}

void SimHand::GoOutWithBlackThrees() {
  GameScore[Human] += rules::BlackThreeOutPoints * HandCount[Human];
  for (int c = FirstBlackThree; c <= LastBlackThree; ++c)
    if (Place[c] == PlaceHumanHand) MeldCard(c, RankBlackThree, Human);
  PlayerPileDue = false;
  NextToPlay = Robot;
  ScoreHand();
}

// Melds that do not make the first meld go back before the discard.
void SimHand::HumanEndsMelding() {
  if (!MinMeldMet[Human] && MeldPoints[Human] > 0 && ReturnCards()) {
    BackToDrawOrMeld(true);
    return;
  }
  Phase = SimPhase::Discard;
}

bool SimHand::MeldsComplete() const {
  for (int r = RankAce; r <= RankKing; ++r)
    if (r != RankTwo && !rules::MeldStands(MeldInfo[Human][r])) return false;
  return true;
}

// A refused discard gives back what cannot stand and melds again; a card not in
// the hand is no discard at all, and the seat is asked again.
void SimHand::HumanDiscards(int card) {
  if (!Holds(Human, card)) {
    if (++Rounds > MostRounds) Stop();
    return;
  }
  if (!MeldsComplete() || (MeldPoints[Human] >= 1 && !MinMeldMet[Human])) {
    BackToDrawOrMeld(ReturnCards());
    return;
  }
  if (!rules::MustKeepLastCard(HandCount[Human], HasCanasta[Human])) DiscardCard(Human, card);
  EndTurn();
}

void SimHand::BackToDrawOrMeld(bool topReturned) {
  if (topReturned && StockCount == 0) {
    EndHandBeforeDraw();
    return;
  }
  if (++Rounds > MostRounds) {
    Stop();
    return;
  }
  Phase = topReturned ? SimPhase::Draw : SimPhase::Meld;
  MeldStepNo = 0;
}

// Return Cards: before the first meld every card melded goes back, a taken top
// card to the pile with the penalty; then melds of one or two cards go back,
// and if what stands no longer makes the first meld a pile was taken for, the
// pile goes back as before it. True when the top card went back, so the human
// draws again.
bool SimHand::ReturnCards() {
  bool topReturned = !MinMeldMet[Human] && TakeBack();
  ReturnUnfinishedMelds();
  RecountHumanMelds();
  RecheckMinimumMeld();
  if (!MinMeldMet[Human] && TakenForFirstMeld.Count() > 0) topReturned = TakeBack();
  return topReturned;
}

bool SimHand::TakeBack() {
  bool penaltyCharged = false;
  bool topReturned = false;
  for (int c = 1; c <= CardCount; ++c) {
    if (Place[c] != PlaceHumanMeld) continue;
    MeldItems& meld = MeldInfo[Human][ColumnOf(c)];
    if (FromDiscard.Has(c)) {
      MoveCard(c, PlacePile);
      FromDiscard.Remove(c);
      topReturned = true;
      PlayerPileDue = false;
      if (!MinMeldMet[Human] && !penaltyCharged) {
        PenaltyPoints = rules::PileGivenBackPenalty;
        penaltyCharged = true;
      }
    } else {
      MoveCard(c, PlaceHumanHand);
    }
    meld.Count -= 1;
    if (meld.Count == 0) meld.Started = false;
    if (IsWildCardNumber(c)) {
      meld.WildMark -= 1;
      meld.WildCount -= 1;
      if (meld.WildMark == 0) meld.HasWild = false;
      WildColumn[c] = 0;
    }
    CheckMinimumMeld(Human);
  }
  if (GiveBackTakenPile()) {
    if (!MinMeldMet[Human]) PenaltyPoints = rules::PileGivenBackPenalty;
    topReturned = true;
  }
  return topReturned;
}

// The rest of a pile taken for the first meld, and its top card if that lies
// in the hand, go back to the pile; red threes stay laid down.
bool SimHand::GiveBackTakenPile() {
  bool given = false;
  for (int c = 1; c <= CardCount; ++c) {
    if (!TakenForFirstMeld.Has(c) || Place[c] != PlaceHumanHand) continue;
    MoveCard(c, PlacePile);
    given = true;
  }
  TakenForFirstMeld = {};
  if (given) PlayerPileDue = false;
  return given;
}

// Melds of one or two cards go back to the hand, wild cards first; a taken
// top card among them is the hand's from now on.
void SimHand::ReturnUnfinishedMelds() {
  for (int r = RankAce; r <= RankKing; ++r) {
    MeldItems& meld = MeldInfo[Human][r];
    if (r == RankTwo || rules::MeldStands(meld)) continue;
    auto giveBack = [&](int c) {
      if (Place[c] != PlaceHumanMeld || ColumnOf(c) != r) return false;
      MoveCard(c, PlaceHumanHand);
      FromDiscard.Remove(c);
      if (IsWildCardNumber(c)) WildColumn[c] = 0;
      meld.Count -= 1;
      if (meld.Count != 0) return false;
      meld.Started = false;
      return true;
    };
    bool emptied = false;
    for (int c = FirstWildCard; c <= LastWildCard && !emptied; ++c) emptied = giveBack(c);
    for (int c = FirstCardOfRank(r); c <= LastCardOfRank(r) && !emptied; ++c) emptied = giveBack(c);
  }
}

// Each meld described again by the cards still in it.
void SimHand::RecountHumanMelds() {
  for (int r = RankAce; r <= RankKing; ++r) {
    if (r == RankTwo) continue;
    int count = 0, wild = 0;
    for (int c = FirstWildCard; c <= LastWildCard; ++c)
      wild += Place[c] == PlaceHumanMeld && WildColumn[c] == r;
    for (int c = FirstCardOfRank(r); c <= LastCardOfRank(r); ++c)
      count += Place[c] == PlaceHumanMeld;
    count += wild;
    MeldItems& meld = MeldInfo[Human][r];
    meld.Count = count;
    meld.WildCount = wild;
    meld.Started = count > 0;
    if (wild == 0) {
      meld.WildMark = 0;
      meld.HasWild = false;
    }
  }
}

void SimHand::RecheckMinimumMeld() {
  const int requirement = rules::MinimumMeldFor(GameScore[Human]);
  if (!MinMeldMet[Human] || rules::MeetsMinimumMeld(MeldPoints[Human], requirement)) return;
  MinMeldMet[Human] = false;
  MinMeld[Human] = requirement - MeldPoints[Human];
}

}  // namespace larkspur
