#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "commands/PlayerFile.h"
#include "state/Game.h"

namespace larkspur {

namespace fs = std::filesystem;

std::string Game::NameFilePath() {
  return (fs::path(host.ProgramFolder()) / "Name.dat").string();
}

void Game::ReadNameFile() {
  const std::string path = NameFilePath();
  std::error_code ec;
  if (!fs::exists(path, ec)) return;  // a first run: the defaults stand

  // Enough to see whether the first line is longer than a player file's line.
  std::string text(PlayerFileLineLimit + 1, '\0');
  bool readable = false;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    text.resize(std::fread(text.data(), 1, text.size(), f));
    readable = std::ferror(f) == 0;
    std::fclose(f);
  }
  std::vector<std::string> problems;
  PlayerFileData data;
  std::string excerpt;
  if (!readable) {
    problems.push_back("it could not be read");
  } else {
    PlayerFileParse parsed = ParsePlayerFile(text);
    data = parsed.Data;
    problems = std::move(parsed.Problems);
    excerpt = std::move(parsed.Excerpt);
  }
  PlayerName = data.PlayerName;
  RobotName = data.RobotName;
  PaceSetting = data.PaceSetting;
  GamesWonPlayer = data.GamesWonPlayer;
  GamesWonRobot = data.GamesWonRobot;
  GameScore[Human] = data.GameScore1;
  GameScore[Robot] = data.GameScore2;
  TargetScore = data.TargetScore;
  if (problems.empty()) return;

  // Keep the bad file before anything can overwrite it.
  const std::string copy = path + ".bad";
  fs::copy_file(path, copy, fs::copy_options::overwrite_existing, ec);
  std::string why;
  for (const auto& p : problems) why += (why.empty() ? "" : "; ") + p;
  // Only a short excerpt of the line, so that the message fits on the screen
  // and its last sentence, where the old file went, can be read.
  nameFileProblem_ = " your player file " + path + " could not be used as it stands (" + why +
                     ")." + (excerpt.empty() ? "" : " The line in it reads “" + excerpt + "”.") +
                     " Defaults are used where it was bad" +
                     (ec ? std::string(".") : ", and the old file is kept as " + copy + ".");
}

void Game::ReportNameFileProblem() {
  if (nameFileProblem_.empty()) return;
  const std::string text = PlayerName + nameFileProblem_;
  nameFileProblem_.clear();
  ShowDeluxeMessage(text, "O.K", "", "", 1, "Player file repaired");
}

int Game::OneMoreWin(int gamesWon) {
  return gamesWon < 32767 ? gamesWon + 1 : gamesWon;
}

// Writes a temporary file beside the player file and renames it over the old
// one, so that a failed write never leaves a half-written or empty file.
bool Game::SaveNameFile() {
  const PlayerFileData data{PlayerName,    RobotName,        PaceSetting,      GamesWonPlayer,
                            GamesWonRobot, GameScore[Human], GameScore[Robot], TargetScore};
  const std::string path = NameFilePath();
  const std::string temp = path + ".tmp";
  const std::string text = FormatPlayerFile(data);
  std::string failure;
  if (std::FILE* f = std::fopen(temp.c_str(), "wb")) {
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int writeErrno = errno;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) failure = std::strerror(written ? errno : writeErrno);
  } else {
    failure = std::strerror(errno);
  }
  std::error_code ec;
  if (failure.empty()) {
    fs::rename(temp, path, ec);
    if (ec) failure = ec.message();
  }
  if (failure.empty()) return true;
  fs::remove(temp, ec);
  ShowDeluxeMessage(PlayerName + " your names, statistics and scores could not be saved to " +
                        path + " (" + failure + "). The file you had before is unchanged.",
                    "O.K", "", "", 1, "Not saved");
  return false;
}

}  // namespace larkspur
