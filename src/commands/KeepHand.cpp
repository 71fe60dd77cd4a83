// The hand in play kept for another time: written at every wait for the human's
// move, read at start-up, put back by Game > Resume Hand, and forgotten when the
// hand is over or given up for a new game.
#include <utility>

#include "commands/DataFiles.h"
#include "state/Game.h"

namespace larkspur {

void Game::ReadKeptHand() {
  const std::string folder = host.DataFolder();
  if (folder.empty()) return;
  const std::string path = DataFilePath(folder, KeptHandFile);
  const DataFileRead file = ReadDataFile(path, KeptHandSizeLimit);
  if (!file.Found) return;
  std::string why = file.Why;
  if (why.empty()) {
    KeptHandRead read = ParseKeptHand(file.Text);
    if (read.Hand) {
      resumable_ = std::move(read.Hand);
      return;
    }
    why = read.Problem;
  }
  // Set aside, so that it is told once and a new hand can be kept in its place.
  const std::string aside = SetAside(path);
  dataFileProblems_.emplace_back(
      "Kept hand not used", " the hand kept from your last game in " + path +
                                " could not be used (" + why + ")." +
                                (aside.empty() ? "" : " It has been set aside as " + aside + ".") +
                                " Start a new game as usual.");
}

void Game::ReportDataFileProblems() {
  for (const auto& [title, text] : std::exchange(dataFileProblems_, {}))
    ShowDeluxeMessage(PlayerName + text, "O.K", "", "", 1, title);
}

void Game::KeepHand() {
  if (!KeepsHand) return;
  std::string text =
      FormatKeptHand(robotPlayer_, host.RandomAt(), *this, Table, Log, Sheet, PlannedHints);
  if (text == keptText_) return;
  keptText_ = std::move(text);
  keptOnDisk_ = false;
  WriteKeptHand(true);
}

void Game::WriteKeptHand(bool tellFailure) {
  const std::string folder = host.DataFolder();
  if (folder.empty() || keptText_.empty()) return;
  const std::string path = DataFilePath(folder, KeptHandFile);
  const SaveResult saved = SaveDataFile(path, keptText_);
  keptOnDisk_ = saved.Failure.empty();
  if (keptOnDisk_) keepFailureTold_ = false;
  if (keptOnDisk_ || !tellFailure || std::exchange(keepFailureTold_, true)) return;
  ShowDeluxeMessage(PlayerName + " your hand could not be kept in " + path + " (" + saved.Failure +
                        "). Play on as usual, but should the game close, this hand cannot be "
                        "resumed.",
                    "O.K", "", "", 1, "Hand not kept");
}

void Game::KeepHandForLater() {
  if (!keptOnDisk_) WriteKeptHand(false);
}

void Game::ForgetKeptHand() {
  keptText_.clear();
  keptOnDisk_ = false;
  const std::string folder = host.DataFolder();
  if (!folder.empty()) RemoveDataFile(DataFilePath(folder, KeptHandFile));
}

void Game::DiscardKeptHand() {
  resumable_.reset();
  ForgetKeptHand();
}

// The hand goes on from the wait where it was kept; the game that runs it is
// started as New and Load start theirs.
void Game::MnuResume_Click() {
  if (!HandToResume()) return;
  resuming_ = std::exchange(resumable_, std::nullopt);
  StartGames(GameRequest::ResumeHand);
}

bool Game::PutBackKeptHand() {
  if (!resuming_) return false;
  KeptHand hand = std::move(*std::exchange(resuming_, std::nullopt));
  // The names, the target and the other settings are the player file's.
  GameState& state = *this;
  GameState settings = std::move(state);
  state = std::move(hand.State);
  PlayerName = std::move(settings.PlayerName);
  RobotName = std::move(settings.RobotName);
  TargetScore = settings.TargetScore;
  PaceSetting = settings.PaceSetting;
  GamesWonPlayer = settings.GamesWonPlayer;
  GamesWonRobot = settings.GamesWonRobot;
  PauseStart = settings.PauseStart;
  // And so are the labels that show them.
  TableModel session = std::move(Table);
  Table = std::move(hand.Table);
  Table.LblTargetScore = std::move(session.LblTargetScore);
  Table.LblNames = std::move(session.LblNames);
  Table.LblP = std::move(session.LblP);
  Table.LblB = std::move(session.LblB);

  Log.Moves = std::move(hand.Log.Moves);
  ++Log.Revision;
  Sheet.Start = hand.Sheet.Start;
  Sheet.Rows = std::move(hand.Sheet.Rows);
  ++Sheet.Revision;
  PlannedHints = std::move(hand.Hints);
  robotPlayer_ = hand.Robot;
  if (hand.Random) host.RandomFrom(*hand.Random);
  turnPutBack_ = true;
  return true;
}

}  // namespace larkspur
