#include "policy/SeatView.h"

#include "state/Game.h"

namespace larkspur {

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
    v.Seen.set(static_cast<std::size_t>(c));
    if (place == seat) {
      v.Hand.push_back(c);
      v.HandRank[g.Cards[c].Rank] += 1;
    } else if (place == PlacePile) {
      v.Pile.push_back(c);
    }
  }
  v.UpCard = g.UpCard != 0 && g.Cards[g.UpCard].Place == PlacePile ? g.UpCard : 0;
  v.StateOfPile = PileStateOfColour(g.Table.Shape1.BorderColor);
  v.Melds = g.MeldInfo;
  for (int p : {Human, Robot}) {
    v.HandCount[p] = 0;
    v.RedThrees[p] = 0;
    v.MinMeld[p] = g.MinMeld[p];
    v.Requirement[p] = rules::MinimumMeldFor(g.GameScore[p]);
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
  v.PenaltyPoints = g.PenaltyPoints;
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
  return rules::MayTakePile(StateOfPile, up, HandRank[up], HandRank[RankTwo] + HandRank[RankJoker],
                            Started(Seat, up));
}

}  // namespace larkspur
