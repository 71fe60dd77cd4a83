// libFuzzer target for the player file reader: any bytes must parse without
// a crash into values the game can use, and what is written from them must
// read back as the same values and be written again byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands/PlayerFile.h"

using larkspur::FormatPlayerFile;
using larkspur::ParsePlayerFile;
using larkspur::PlayerFileData;

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "player file invariant broken: %s\n", what);
  std::abort();
}

bool Fits16(int v) {
  return v >= -32768 && v <= 32767;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const larkspur::PlayerFileParse first = ParsePlayerFile(text);
  const PlayerFileData& d = first.Data;
  Require(Fits16(d.PaceSetting), "pace is 16-bit");
  Require(Fits16(d.GamesWonPlayer) && Fits16(d.GamesWonRobot), "games won are 16-bit");
  Require(Fits16(d.GameScore1) && Fits16(d.GameScore2), "game totals are 16-bit");
  Require(d.TargetScore >= 500 && d.TargetScore <= 5000, "target is 500 to 5000");
  Require(larkspur::UsableName(d.PlayerName) == d.PlayerName &&
              larkspur::UsableName(d.RobotName) == d.RobotName,
          "names are short and hold no control characters");
  Require(first.Excerpt.size() <= 60 + std::string_view("…").size(), "the excerpt is short");

  const std::string written = FormatPlayerFile(d);
  Require(written.size() >= 2 && written.compare(written.size() - 2, 2, "\r\n") == 0,
          "the line ends with CR LF");
  const larkspur::PlayerFileParse second = ParsePlayerFile(written);
  Require(second.Problems.empty(), "a written file reads back without problems");
  Require(second.Data == d, "a written file reads back as the same values");
  Require(FormatPlayerFile(second.Data) == written, "writing again gives the same bytes");
  return 0;
}
