// Reading and saving the player file so that nothing in its place can hurt the
// player: the reader never blocks and reads regular files only; a save writes
// regular files only, never through a link to anything else, and leaves the
// old content or the new one at every instant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace larkspur {

// A file itself, whatever name or link leads to it.
struct FileId {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  bool operator==(const FileId&) const = default;
};

// The file a path leads to, links followed; none when nothing can be found there.
std::optional<FileId> IdOfFile(const std::string& path);

struct FileStart {
  enum class Outcome { Missing, Read, Unreadable };
  Outcome Result = Outcome::Missing;
  std::string Text;          // the first bytes, when read
  std::string Why;           // why it could not be read
  std::optional<FileId> Id;  // the file found, whether read or not
};

// Reads up to limit bytes from the start of the regular file at path, links
// followed. Anything else there (a folder, a pipe, a device) is reported and
// never opened, and the open cannot wait for a writer.
FileStart ReadFileStart(const std::string& path, std::size_t limit);

// The steps of a save, in the order a save takes them. A new file is written
// beside the old one and renamed over it; a file that cannot be replaced so
// (its folder takes no new file, it has more than one name, it belongs to
// someone else) is written over in place, its length cut only afterwards.
enum class SaveStep {
  CreateTemporary,
  WriteTemporary,
  SyncTemporary,
  Rename,
  SyncFolder,
  OpenInPlace,
  WriteOver,
  CutToLength,
  SyncInPlace,
};

struct SaveResult {
  std::string Failure;          // why the save failed; empty when it did not
  bool OldFileTouched = false;  // the failure came part way through writing over the old file
};

// Saves text as the whole content of the regular file at path, or of the
// regular file its links lead to. Before each step, carryOn (when given) may
// stop the save where it stands, as a crash would; tests use it to see the file
// between any two steps.
SaveResult SaveFileSafely(const std::string& path, const std::string& text,
                          const std::function<bool(SaveStep)>& carryOn = {});

}  // namespace larkspur
