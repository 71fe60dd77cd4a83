// libFuzzer target for the readers of the player's data files, the kept hand and
// the statistics: any bytes are read without a crash, refused with a reason or
// accepted as a hand the game can play on, and what is written from an accepted
// one reads back as the same and is written again byte for byte. The kept hand
// is read as it comes and sealed anew, so that changed hands meet every check.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands/KeptHand.h"
#include "commands/PlayStatistics.h"

using namespace larkspur;

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "kept file invariant broken: %s\n", what);
  std::abort();
}

// What the game relies on in a hand it puts back.
void CheckHand(const KeptHand& h) {
  const GameState& s = h.State;
  int stock = 0, pile = 0, held[3] = {};
  for (int c = 1; c <= CardCount; ++c) {
    const int place = s.Cards[c].Place;
    Require(place == PlaceHumanHand || place == PlaceRobotHand ||
                (place >= PlaceStock && place <= PlaceRobotRedThree),
            "every card lies in a place");
    stock += place == PlaceStock, pile += place == PlacePile;
    if (place <= PlaceRobotHand) held[place] += 1;
  }
  Require(s.StockCount == stock && s.DiscardCount == pile, "the counts agree with the cards");
  Require(s.HandCount[Human] == held[Human] && s.HandCount[Robot] == held[Robot],
          "the hands' counts agree with the cards");
  Require(
      s.UpCard >= 0 && s.UpCard <= CardCount && s.WildChosen >= 0 && s.WildChosen <= LastWildCard,
      "the up card and the chosen wild card are cards or none");
  Require(s.PlayerToPlay && s.PlayerTurnOpen + s.PlayerHasDrawn + s.PlayerDiscarding == 1,
          "the human's turn is in one phase");
  Require(h.Hints.Next <= h.Hints.Steps.size(), "the hint's step is one of its steps");
}

void Hand(std::string_view text) {
  const KeptHandRead read = ParseKeptHand(text);
  Require(read.Hand.has_value() == read.Problem.empty(), "a hand, or a reason");
  if (!read.Hand) return;
  CheckHand(*read.Hand);
  const std::string written = FormatKeptHand(*read.Hand);
  const KeptHandRead again = ParseKeptHand(written);
  Require(again.Hand.has_value(), "a written hand reads back");
  Require(FormatKeptHand(*again.Hand) == written, "writing again gives the same bytes");
}

void Statistics(std::string_view text) {
  const StatisticsRead read = ParseStatistics(text);
  Require(read.Stats.has_value() == read.Problem.empty(), "statistics, or a reason");
  if (!read.Stats) return;
  for (const LevelStatistics& s : read.Stats->Levels)
    Require(s.GamesWon >= 0 && s.GamesLost >= 0 && s.Streak <= s.LongestStreak &&
                s.LongestStreak <= s.GamesWon && s.WentOut <= s.Hands,
            "the statistics are consistent");
  const std::string written = FormatStatistics(*read.Stats);
  const StatisticsRead again = ParseStatistics(written);
  Require(again.Stats && again.Stats->Levels == read.Stats->Levels,
          "written statistics read back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Hand(text);
  Hand(SealKeptHand(text));
  Statistics(text);
  return 0;
}
