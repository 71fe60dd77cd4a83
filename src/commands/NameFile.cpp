// The player file: read at start-up, saved safely, a bad one reported.
#include <filesystem>
#include <system_error>

#include "commands/PlayerFile.h"
#include "commands/SafeFile.h"
#include "state/Game.h"

namespace larkspur {

namespace fs = std::filesystem;

std::string Game::NameFilePath() {
  return (fs::path(host.PlayerFileFolder()) / "Name.dat").string();
}

void Game::ReadNameFile() {
  const std::string path = NameFilePath();
  // Enough to see whether the first line is longer than a player file's line.
  const FileStart file = ReadFileStart(path, PlayerFileLineLimit + 1);
  if (file.Result == FileStart::Outcome::Missing) return;  // a first run: the defaults stand
  PlayerFileParse parsed;
  if (file.Result == FileStart::Outcome::Read) {
    parsed = ParsePlayerFile(file.Text);
  } else {
    parsed.Problems.push_back(file.Why);
    // What the game could not read it must not write over: the player's
    // names, statistics and scores may be in there.
    nameFileUnread_ = true;
    unreadNameFile_ = file.Id;
  }
  const PlayerFileData& data = parsed.Data;
  PlayerName = data.PlayerName;
  RobotName = data.RobotName;
  PaceSetting = data.PaceSetting;
  GamesWonPlayer = data.GamesWonPlayer;
  GamesWonRobot = data.GamesWonRobot;
  GameScore[Human] = data.GameScore1;
  GameScore[Robot] = data.GameScore2;
  TargetScore = data.TargetScore;
  if (parsed.Problems.empty()) return;

  std::string why;
  for (const auto& p : parsed.Problems) why += (why.empty() ? "" : "; ") + p;
  nameFileProblem_ = " your player file " + path + " could not be used as it stands (" + why + ").";
  if (file.Result != FileStart::Outcome::Read) {
    nameFileProblem_ +=
        " Defaults are used for all of it, and nothing will be saved over that file until you "
        "put it right and start the game again, or move it out of the way.";
    return;
  }
  // Keep the bad file before anything can overwrite it.
  const std::string copy = path + ".bad";
  std::error_code ec;
  fs::copy_file(path, copy, fs::copy_options::overwrite_existing, ec);
  // Only a short excerpt of the line, so that the message fits on the screen
  // and its last sentence, where the old file went, can be read.
  nameFileProblem_ +=
      (parsed.Excerpt.empty() ? "" : " The line in it reads “" + parsed.Excerpt + "”.") +
      " Defaults are used " + (parsed.NoneUsed ? "for all of it" : "where it was bad") +
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

// A new file written beside the player file and renamed over it, or the file
// written over where it stands when it cannot be replaced; never a file the
// game could not read, nor anything but a regular file.
bool Game::SaveNameFile() {
  const PlayerFileData data{PlayerName,    RobotName,        PaceSetting,      GamesWonPlayer,
                            GamesWonRobot, GameScore[Human], GameScore[Robot], TargetScore};
  const std::string path = NameFilePath();
  SaveResult saved;
  if (nameFileUnread_ && IdOfFile(path) == unreadNameFile_) {
    saved.Failure =
        "it could not be read when the game started, and the game never saves over what it "
        "could not read: put it right and start the game again, or move it out of the way";
  } else {
    nameFileUnread_ = false;  // moved away or replaced: saving may go ahead
    saved = SaveFileSafely(path, FormatPlayerFile(data));
  }
  if (saved.Failure.empty()) return true;
  ShowDeluxeMessage(PlayerName + " your names, statistics and scores could not be saved to " +
                        path + " (" + saved.Failure + ")." +
                        (saved.OldFileTouched ? " The file may now be incomplete."
                                              : " The file you had before is unchanged."),
                    "O.K", "", "", 1, "Not saved");
  return false;
}

}  // namespace larkspur
