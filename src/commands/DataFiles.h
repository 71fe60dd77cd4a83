// The files kept in the player's own data folder, the kept hand and the
// statistics: read whole within a limit, saved through the crash-safe writer
// into a folder made when missing, and a bad one set aside for the player.
#pragma once

#include <cstddef>
#include <string>

#include "commands/SafeFile.h"

namespace larkspur {

inline constexpr const char* KeptHandFile = "KeptHand.txt";
inline constexpr const char* StatisticsFile = "Statistics.txt";

std::string DataFilePath(const std::string& folder, const char* name);

// The whole file when it is there and no longer than limit, or why it cannot be read.
struct DataFileRead {
  bool Found = false;
  std::string Text;
  std::string Why;  // empty when the text was read
};
DataFileRead ReadDataFile(const std::string& path, std::size_t limit);

// Saves text as the whole file, making its folder first when missing.
SaveResult SaveDataFile(const std::string& path, const std::string& text,
                        const std::function<bool(SaveStep)>& carryOn = {});

// Moves a file the game could not use out of its way, as the same name with
// ".bad"; returns where it went, or nothing when it could not be moved.
std::string SetAside(const std::string& path);

// Removes a file that is no longer wanted; nothing when it is not there.
void RemoveDataFile(const std::string& path);

}  // namespace larkspur
