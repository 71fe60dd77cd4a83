#include "commands/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>
#include <system_error>

namespace larkspur {

namespace fs = std::filesystem;

namespace {

// The error's words as the system gives them.
std::string ErrorText(int error) {
  return std::strerror(error);
}

FileId IdOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// An open file, closed when it goes unless closed before.
struct Descriptor {
  explicit Descriptor(int fd) : fd(fd) {}
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  // The error closing it gave, or 0.
  int Close() {
    const int result = ::close(fd);
    fd = -1;
    return result == 0 ? 0 : errno;
  }
  int fd;
};

// Writes all of text from the file's start; the error, or 0.
int WriteFromStart(int fd, std::string_view text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += std::size_t(n);
  }
  return 0;
}

// Where a save writes: the regular file at the path, or at the end of the
// links standing in its place, so that the player's links stay links; or the
// path itself when nothing is there yet.
struct SaveTarget {
  std::string Path;
  bool Exists = false;
  struct stat Stat {};
  std::string Refusal;  // why nothing may be written there
};

SaveTarget FindSaveTarget(std::string path) {
  SaveTarget target;
  bool linked = false;
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      const int error = errno;
      if (error == ENOENT && !linked) {
        target.Path = path;
        return target;
      }
      target.Refusal =
          error == ENOENT ? "it is a link to a file that does not exist" : ErrorText(error);
      return target;
    }
    if (S_ISLNK(st.st_mode)) {
      std::error_code ec;
      const fs::path next = fs::read_symlink(path, ec);
      if (ec || hops == 40) {
        target.Refusal = ec ? ec.message() : ErrorText(ELOOP);
        return target;
      }
      linked = true;
      path = next.is_absolute() ? next.string() : (fs::path(path).parent_path() / next).string();
      continue;
    }
    if (!S_ISREG(st.st_mode)) {
      target.Refusal = linked ? "it is a link to something that is not an ordinary file"
                              : "it is not an ordinary file";
      return target;
    }
    target.Path = path;
    target.Exists = true;
    target.Stat = st;
    return target;
  }
}

// A new file beside path, under a name no one can guess, created here and now:
// never a file that was there before, never through a link. Open for writing,
// or -1 with errno set.
int CreateTemporary(const std::string& path, std::string& name) {
  static constexpr char letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path + ".";
    for (int i = 0; i < 12; ++i) name += letters[random() % (sizeof letters - 1)];
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes over the old file where it stands: the new text over the old from the
// start, so the first line is the old one or the new one throughout, then the
// length cut, then flushed to the disk. Keeps every name the file has, and its
// owner. None, with errno set, when the file cannot be opened for writing.
std::optional<SaveResult> SaveInPlace(const SaveTarget& target, const std::string& text,
                                      const std::function<bool(SaveStep)>& carryOn) {
  if (!carryOn(SaveStep::OpenInPlace)) return SaveResult{"stopped"};
  Descriptor file(
      ::open(target.Path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || IdOf(st) != IdOf(target.Stat))
    return SaveResult{"it was replaced by something else while it was being saved"};
  auto failed = [](int error) { return SaveResult{ErrorText(error), true}; };
  if (!carryOn(SaveStep::WriteOver)) return SaveResult{"stopped"};
  if (const int error = WriteFromStart(file.fd, text)) return failed(error);
  if (!carryOn(SaveStep::CutToLength)) return SaveResult{"stopped"};
  if (::ftruncate(file.fd, off_t(text.size())) != 0) return failed(errno);
  if (!carryOn(SaveStep::SyncInPlace)) return SaveResult{"stopped"};
  if (::fsync(file.fd) != 0) return failed(errno);
  if (const int error = file.Close()) return failed(error);
  return SaveResult{};
}

SaveResult SaveInPlaceOrSayWhy(const SaveTarget& target, const std::string& text,
                               const std::function<bool(SaveStep)>& carryOn) {
  if (std::optional<SaveResult> result = SaveInPlace(target, text, carryOn)) return *result;
  return {ErrorText(errno)};
}

void SyncFolder(const std::string& path) {
  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = fs::path(".");
  const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // The file itself is on the disk already; a folder that cannot be flushed
  // (some file systems refuse) risks at most the rename after a crash.
  if (dir.fd >= 0) ::fsync(dir.fd);
}

}  // namespace

std::optional<FileId> IdOfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return IdOf(st);
}

FileStart ReadFileStart(const std::string& path, std::size_t limit) {
  FileStart start;
  auto unreadable = [&start](std::string why) {
    start.Result = FileStart::Outcome::Unreadable;
    start.Why = std::move(why);
    return start;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return start;
    return unreadable("it could not be read: " + ErrorText(errno));
  }
  start.Id = IdOf(st);
  if (!S_ISREG(st.st_mode)) return unreadable("it is not an ordinary file");
  // Not blocking: should a pipe have taken the file's place since, the open
  // does not wait for a writer, and the check below turns it away.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.fd < 0) return unreadable("it could not be read: " + ErrorText(errno));
  if (::fstat(file.fd, &st) != 0) return unreadable("it could not be read: " + ErrorText(errno));
  start.Id = IdOf(st);
  if (!S_ISREG(st.st_mode)) return unreadable("it is not an ordinary file");
  start.Text.resize(limit);
  std::size_t done = 0;
  while (done < limit) {
    const ssize_t n = ::read(file.fd, start.Text.data() + done, limit - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return unreadable("it could not be read: " + ErrorText(errno));
    if (n == 0) break;
    done += std::size_t(n);
  }
  start.Text.resize(done);
  start.Result = FileStart::Outcome::Read;
  return start;
}

SaveResult SaveFileSafely(const std::string& path, const std::string& text,
                          const std::function<bool(SaveStep)>& stopOrGo) {
  const auto carryOn = [&stopOrGo](SaveStep step) { return !stopOrGo || stopOrGo(step); };
  const SaveTarget target = FindSaveTarget(path);
  if (!target.Refusal.empty()) return {target.Refusal};
  // A file with more names than this one is written where it stands, so that
  // every name still shows the new line.
  if (target.Exists && target.Stat.st_nlink > 1) return SaveInPlaceOrSayWhy(target, text, carryOn);

  if (!carryOn(SaveStep::CreateTemporary)) return {"stopped"};
  std::string temporary;
  Descriptor file(CreateTemporary(target.Path, temporary));
  if (file.fd < 0) {
    const int error = errno;
    // The folder takes no new file, but the file itself may still be written.
    if (target.Exists && (error == EACCES || error == EPERM || error == EROFS))
      return SaveInPlaceOrSayWhy(target, text, carryOn);
    return {ErrorText(error)};
  }
  auto failed = [&temporary](int error) {
    ::unlink(temporary.c_str());
    return SaveResult{ErrorText(error)};
  };
  if (target.Exists) {
    // The new file is never more open to others than the old one was, and
    // stays whose it was: written in place when it cannot be given to its
    // owner, and only when that is refused too does it become the player's own.
    if (::fchmod(file.fd, target.Stat.st_mode & 0777) != 0) return failed(errno);
    struct stat st {};
    if (::fstat(file.fd, &st) != 0) return failed(errno);
    if ((st.st_uid != target.Stat.st_uid || st.st_gid != target.Stat.st_gid) &&
        ::fchown(file.fd, target.Stat.st_uid, target.Stat.st_gid) != 0) {
      if (std::optional<SaveResult> result = SaveInPlace(target, text, carryOn)) {
        ::unlink(temporary.c_str());
        return *result;
      }
    }
  }
  if (!carryOn(SaveStep::WriteTemporary)) return {"stopped"};
  if (const int error = WriteFromStart(file.fd, text)) return failed(error);
  if (!carryOn(SaveStep::SyncTemporary)) return {"stopped"};
  if (::fsync(file.fd) != 0) return failed(errno);
  if (const int error = file.Close()) return failed(error);
  if (!carryOn(SaveStep::Rename)) return {"stopped"};
  if (::rename(temporary.c_str(), target.Path.c_str()) != 0) return failed(errno);
  if (!carryOn(SaveStep::SyncFolder)) return {"stopped"};
  SyncFolder(target.Path);
  return {};
}

}  // namespace larkspur
