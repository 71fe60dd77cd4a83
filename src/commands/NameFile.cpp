// The player file: read at start-up, saved safely, a bad one reported.
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
  return (fs::path(host.PlayerFileFolder()) / "Name.dat").string();
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
  bool noneUsed = true;
  if (!readable) {
    problems.push_back("it could not be read");
  } else {
    PlayerFileParse parsed = ParsePlayerFile(text);
    data = parsed.Data;
    problems = std::move(parsed.Problems);
    excerpt = std::move(parsed.Excerpt);
    noneUsed = parsed.NoneUsed;
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
                     " Defaults are used " + (noneUsed ? "for all of it" : "where it was bad") +
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

namespace {

// Where a save goes: the player file, or the file at the end of the links
// standing in its place, so that the player's links stay links.
fs::path SaveTarget(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

// Writes the whole text and closes the file; why that failed, or nothing.
std::string WriteAndClose(std::FILE* f, const std::string& text) {
  int error = 0;
  if (std::fwrite(text.data(), 1, text.size(), f) != text.size()) error = errno != 0 ? errno : EIO;
  if (std::fflush(f) != 0 && error == 0) error = errno;
  if (std::fclose(f) != 0 && error == 0) error = errno;
  return error == 0 ? std::string() : std::strerror(error);
}

}  // namespace

// Writes a temporary file beside the player file and renames it over the old
// one, so that a failed write never leaves a half-written or empty file. Only
// when the folder takes no new file is the file written in place.
bool Game::SaveNameFile() {
  const PlayerFileData data{PlayerName,    RobotName,        PaceSetting,      GamesWonPlayer,
                            GamesWonRobot, GameScore[Human], GameScore[Robot], TargetScore};
  const std::string path = NameFilePath();
  const fs::path target = SaveTarget(path);
  const fs::path temp = target.string() + ".tmp";
  const std::string text = FormatPlayerFile(data);
  std::error_code ec;
  const fs::file_status old = fs::status(target, ec);
  std::string failure;
  bool oldFileTouched = false;
  if (std::FILE* f = std::fopen(temp.c_str(), "wb")) {
    // The new file is never more open to others than the old one was.
    if (fs::is_regular_file(old)) fs::permissions(temp, old.permissions(), ec);
    failure = WriteAndClose(f, text);
    if (failure.empty()) {
      std::error_code renamed;
      fs::rename(temp, target, renamed);
      if (renamed) failure = renamed.message();
    }
    if (!failure.empty()) fs::remove(temp, ec);
  } else if (const int error = errno; error == EACCES || error == EPERM || error == EROFS) {
    // The folder takes no new file, but the file itself may still be written.
    if (std::FILE* g = std::fopen(target.c_str(), "wb")) {
      oldFileTouched = true;
      failure = WriteAndClose(g, text);
    } else {
      failure = std::strerror(errno);
    }
  } else {
    failure = std::strerror(error);
  }
  if (failure.empty()) return true;
  ShowDeluxeMessage(PlayerName + " your names, statistics and scores could not be saved to " +
                        path + " (" + failure + ")." +
                        (oldFileTouched ? " The file may now be incomplete."
                                        : " The file you had before is unchanged."),
                    "O.K", "", "", 1, "Not saved");
  return false;
}

}  // namespace larkspur
