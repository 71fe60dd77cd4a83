#include "commands/DataFiles.h"

#include <filesystem>
#include <system_error>

namespace larkspur {

namespace fs = std::filesystem;

std::string DataFilePath(const std::string& folder, const char* name) {
  return (fs::path(folder) / name).string();
}

DataFileRead ReadDataFile(const std::string& path, std::size_t limit) {
  // One byte more than the limit tells a file that is too long.
  const FileStart start = ReadFileStart(path, limit + 1);
  DataFileRead read;
  read.Found = start.Result != FileStart::Outcome::Missing;
  if (start.Result == FileStart::Outcome::Unreadable) read.Why = start.Why;
  if (start.Result != FileStart::Outcome::Read) return read;
  if (start.Text.size() > limit) {
    read.Why = "it is far longer than the game ever writes it";
    return read;
  }
  read.Text = start.Text;
  return read;
}

SaveResult SaveDataFile(const std::string& path, const std::string& text,
                        const std::function<bool(SaveStep)>& carryOn) {
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  if (ec) return {"its folder could not be made: " + ec.message()};
  return SaveFileSafely(path, text, carryOn);
}

std::string SetAside(const std::string& path) {
  const std::string aside = path + ".bad";
  std::error_code ec;
  fs::rename(path, aside, ec);
  return ec ? std::string() : aside;
}

void RemoveDataFile(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

}  // namespace larkspur
