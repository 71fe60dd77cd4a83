// The statistics by robot level: read at start-up, counted as each hand and
// each game ends, saved in the player's data folder, and reset when asked.
#include <utility>

#include "commands/DataFiles.h"
#include "state/Game.h"

namespace larkspur {

void Game::ReadStatistics() {
  const std::string folder = host.DataFolder();
  if (folder.empty()) return;
  const std::string path = DataFilePath(folder, StatisticsFile);
  const DataFileRead file = ReadDataFile(path, StatisticsSizeLimit);
  if (!file.Found) return;
  std::string why = file.Why;
  if (why.empty()) {
    StatisticsRead read = ParseStatistics(file.Text);
    if (read.Stats) {
      read.Stats->Revision = Stats.Revision + 1;
      Stats = *read.Stats;
      return;
    }
    why = read.Problem;
  }
  const std::string aside = SetAside(path);
  dataFileProblems_.emplace_back(
      "Statistics not used", " your statistics in " + path + " could not be read (" + why +
                                 "), so they start again from nothing." +
                                 (aside.empty() ? "" : " The old file is kept as " + aside + "."));
}

void Game::SaveStatistics() {
  ++Stats.Revision;
  const std::string folder = host.DataFolder();
  if (folder.empty()) return;
  const std::string path = DataFilePath(folder, StatisticsFile);
  const SaveResult saved = SaveDataFile(path, FormatStatistics(Stats));
  if (saved.Failure.empty()) {
    statisticsFailureTold_ = false;
    return;
  }
  if (std::exchange(statisticsFailureTold_, true)) return;
  ShowDeluxeMessage(PlayerName + " your statistics could not be saved to " + path + " (" +
                        saved.Failure + "). They are still counted while the game runs.",
                    "O.K", "", "", 1, "Statistics not saved");
}

// Counted for the robot who played the hand's end, and likewise the game's.
void Game::NoteHandInStatistics(int handTotal) {
  AddHand(Stats.Of(robotPlayer_), handTotal, PureCanastas[Human] + MixedCanastas[Human],
          OutBonus[Human] != 0);
  SaveStatistics();
}

void Game::NoteGameInStatistics() {
  AddGame(Stats.Of(robotPlayer_), GameScore[Human] > GameScore[Robot], GameScore[Human]);
  SaveStatistics();
}

void Game::ResetStatistics() {
  DialogChoice = 1;  // a message closed without an answer resets nothing
  ShowDeluxeMessage(PlayerName +
                        " do you really wish to set the statistics of every robot level back to "
                        "nothing? This cannot be undone.",
                    "Yes Reset", "No Cancel", "", 1, "Reset statistics?");
  if (DialogChoice != 0) return;
  Stats.Levels = {};
  SaveStatistics();
}

}  // namespace larkspur
