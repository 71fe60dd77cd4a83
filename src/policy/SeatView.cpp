#include "policy/SeatView.h"

#include "state/Game.h"

namespace larkspur {

int NaturalPoints(int rank) {
  if (rank == RankAce) return 20;
  return rank <= RankSeven ? 5 : 10;
}

bool IsMeldRank(int rank) {
  return rank == RankAce || (rank >= RankFour && rank <= RankKing);
}

SeatView MakeSeatView(const Game& g, int seat) {
  SeatView v;
  v.Seat = seat;
  v.Opponent = seat == Human ? Robot : Human;
  const int meldPlace[3] = {0, PlaceHumanMeld, PlaceRobotMeld};
  const int redPlace[3] = {0, PlaceHumanRedThree, PlaceRobotRedThree};
  for (int c = 1; c <= CardCount; ++c) {
    const int place = g.Cards[c].Place;
    const bool seen = place == seat || place == PlacePile || place == meldPlace[Human] ||
                      place == meldPlace[Robot] || place == redPlace[Human] ||
                      place == redPlace[Robot];
    if (!seen) {
      v.Unseen[RankOfCard(c)] += 1;
      v.UnseenCount += 1;
      continue;
    }
    if (place == seat) {
      v.Hand.push_back(c);
      v.HandRank[g.Cards[c].Rank] += 1;
    } else if (place == PlacePile) {
      v.Pile.push_back(c);
    }
  }
  v.UpCard = g.UpCard != 0 && g.Cards[g.UpCard].Place == PlacePile ? g.UpCard : 0;
  v.PileState = g.Table.Shape1.BorderColor;
  v.Melds = g.MeldInfo;
  for (int p : {Human, Robot}) {
    v.HandCount[p] = 0;
    v.RedThrees[p] = 0;
    v.MinMeld[p] = g.MinMeld[p];
    v.Requirement[p] = MinimumMeldFor(g.GameScore[p]);
    v.MinMeldMet[p] = g.MinMeldMet[p];
    v.HasCanasta[p] = g.HasCanasta[p];
    v.GameScore[p] = g.GameScore[p];
    v.MeldPoints[p] = 0;
  }
  // Counted from the table rather than taken from labels that may lag a move.
  for (int c = 1; c <= CardCount; ++c) {
    const int place = g.Cards[c].Place;
    if (place == Human || place == Robot) v.HandCount[place] += 1;
    for (int p : {Human, Robot}) {
      v.RedThrees[p] += place == redPlace[p];
      if (place == meldPlace[p]) v.MeldPoints[p] += g.Cards[c].Points;
    }
  }
  v.StockCount = v.UnseenCount - v.HandCount[v.Opponent];
  v.TargetScore = g.TargetScore;
  v.Record = g.Record;
  return v;
}

std::vector<int> SeatView::Wilds() const {
  std::vector<int> wilds;
  for (int c : Hand)
    if (IsWildCardNumber(c)) wilds.push_back(c);
  return wilds;
}

bool SeatView::MayTakePile() const {
  if (UpCard == 0) return false;
  const int up = RankOfCard(UpCard);
  if (PileState == PileBlocked || up == RankBlackThree) return false;
  if (up == RankTwo || up == RankJoker || up == RankRedThree) return false;
  if (PileState == PileFrozen) return HandRank[up] >= 2;
  if (PileState != PileOpen) return false;
  if (Started(Seat, up)) return true;
  const int wilds = HandRank[RankTwo] + HandRank[RankJoker];
  return HandRank[up] >= 2 || (HandRank[up] == 1 && wilds >= 1);
}

// The robot's seat takes at most three wild cards in a meld and never more wild
// cards than naturals; the human's seat only while the naturals still
// outnumber the wild cards after the new one.
bool SeatView::MayAddWild(const MeldItems& m) const {
  const int naturals = m.Count - m.WildCount;
  if (Seat == Robot) return m.WildCount + 1 <= 3 && m.WildCount + 1 <= naturals;
  return m.WildCount + 1 < naturals;
}

}  // namespace larkspur
