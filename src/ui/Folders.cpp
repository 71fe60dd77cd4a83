#include "ui/Folders.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ui/Sounds.h"

namespace larkspur {

namespace {

// The file beside the program, else in the folder an install puts it in.
QString findBesideOrInstalled(const QString& programFolder, const QString& installed,
                              const QString& name) {
  const QDir program(programFolder);
  for (const QString& path : {program.filePath(name), program.filePath(installed + '/' + name)}) {
    if (QFileInfo(path).isFile()) return QDir::cleanPath(path);
  }
  return {};
}

}  // namespace

QString findSound(const QString& programFolder, const QString& name) {
  return findBesideOrInstalled(programFolder, QStringLiteral(LARKSPUR_DATA_FROM_PROGRAM), name);
}

QString findSoundModule(const QString& programFolder) {
  // Code runs when it is loaded: only where this build put it, or its install.
  const QString built = QStringLiteral(LARKSPUR_MODULE_BUILD_FOLDER);
  const QString program = QFileInfo(programFolder).canonicalFilePath();
  const QString folder = !program.isEmpty() && program == QFileInfo(built).canonicalFilePath()
                             ? built
                             : QDir(programFolder).filePath(LARKSPUR_MODULES_FROM_PROGRAM);
  const QString path = QDir(folder).filePath(QString::fromLatin1(SoundModuleFile));
  return QFileInfo(path).isFile() ? QDir::cleanPath(path) : QString();
}

QString soundModuleDistrust(const QString& path) {
  const QFileInfo module(path);
  if (module.ownerId() != ::geteuid() && module.ownerId() != 0)
    return path + QStringLiteral(" belongs to someone other than you or the system");
  if (module.permissions() & (QFile::WriteGroup | QFile::WriteOther))
    return path + QStringLiteral(" may be changed by others than its owner");
  return {};
}

QString playerFileFolder(const QString& programFolder, const QString& userFolder) {
  const QFileInfo beside(QDir(programFolder).filePath(QStringLiteral("Name.dat")));
  if ((beside.isFile() && beside.isWritable()) || QFileInfo(programFolder).isWritable() ||
      userFolder.isEmpty())
    return programFolder;
  const QString own = QDir(userFolder).filePath(QStringLiteral("Name.dat"));
  const bool besideReadable = beside.isFile() && beside.isReadable();
  if (QDir().mkpath(userFolder) && !QFileInfo::exists(own) && besideReadable &&
      QFile::copy(beside.filePath(), own)) {
    // The copy is the player's own now, whatever the original's permissions.
    QFile::setPermissions(own, QFile::permissions(own) | QFile::ReadOwner | QFile::WriteOwner);
  }
  // With no folder of the player's own to keep it in, the names and scores
  // beside the program are still played with; saving says why it cannot.
  if (!QFileInfo::exists(own) && besideReadable) return programFolder;
  return userFolder;  // saving there will say what is wrong
}

}  // namespace larkspur
