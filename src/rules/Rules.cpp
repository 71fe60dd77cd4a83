#include "rules/Rules.h"

namespace larkspur::rules {

void AddWildCard(MeldItems& m) {
  m.HasWild = true;
  m.WildCount += 1;
}

void BookCard(MeldItems& m) {
  m.Started = true;
  m.Count += 1;
  if (m.HasWild) m.WildMark += 1;
}

bool MayAddWild(int seat, const MeldItems& m) {
  if (seat == Robot) return m.WildCount + 1 <= MostRobotWilds;
  return m.WildCount + 1 < m.Count - m.WildCount;
}

int MinimumMeldFor(int gameScore) {
  if (gameScore < 0) return 15;
  if (gameScore < 1500) return 50;
  if (gameScore < 3000) return 90;
  return 120;
}

int NaturalMeldValue(const RankCounts& held) {
  int value = 0;
  for (int r : MeldRanks)
    if (held[r] >= MeldMinimum) value += held[r] * PointsOfRank(r);
  return value;
}

PileState PileStateAfterDiscard(bool blackThreeOnTop, bool wildInPile, bool nextHasMetMinimum) {
  if (blackThreeOnTop) return PileState::Blocked;
  if (nextHasMetMinimum && !wildInPile) return PileState::Open;
  return PileState::Frozen;
}

// The top card counts with the cards it is taken with: a frozen pile needs a
// natural pair of its rank, an open one a pair or one natural and a wild card.
bool MayTakePile(PileState pile, int upRank, int held, int wildsHeld, bool meldStarted) {
  switch (pile) {
    case PileState::Frozen:
      return !IsWildRank(upRank) && held + 1 >= MeldMinimum;
    case PileState::Open:
      if (meldStarted) return true;
      return IsNaturalRank(upRank) && MayStartMeld(held + 1, wildsHeld);
    case PileState::Blocked:
      break;
  }
  return false;
}

int CanastaBonus(const MeldItems& m) {
  if (!IsCanasta(m)) return 0;
  return IsPure(m) ? PureCanastaBonus : MixedCanastaBonus;
}

int CanastaBonuses(const PlayerMelds& melds) {
  int bonus = 0;
  for (int r : MeldRanks) bonus += CanastaBonus(melds[r]);
  return bonus;
}

bool HasMelded(const PlayerMelds& melds) {
  for (int r : MeldRanks)
    if (melds[r].Started) return true;
  return false;
}

int RedThreesWorth(int redThrees, bool melded) {
  if (redThrees == RedThreesInPack) return melded ? AllRedThreesPoints : -AllRedThreesPoints;
  return redThrees * (melded ? RedThreePoints : -RedThreePoints);
}

}  // namespace larkspur::rules
