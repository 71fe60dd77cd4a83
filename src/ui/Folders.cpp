#include "ui/Folders.h"

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
  return findBesideOrInstalled(programFolder, QStringLiteral(LARKSPUR_MODULES_FROM_PROGRAM),
                               QString::fromLatin1(SoundModuleFile));
}

QString playerFileFolder(const QString& programFolder, const QString& userFolder) {
  const QFileInfo beside(QDir(programFolder).filePath(QStringLiteral("Name.dat")));
  if ((beside.isFile() && beside.isWritable()) || QFileInfo(programFolder).isWritable() ||
      userFolder.isEmpty())
    return programFolder;
  if (!QDir().mkpath(userFolder)) return userFolder;  // saving there will say what is wrong
  const QString own = QDir(userFolder).filePath(QStringLiteral("Name.dat"));
  if (!QFileInfo::exists(own) && beside.isFile() && beside.isReadable() &&
      QFile::copy(beside.filePath(), own)) {
    // The copy is the player's own now, whatever the original's permissions.
    QFile::setPermissions(own, QFile::permissions(own) | QFile::ReadOwner | QFile::WriteOwner);
  }
  return userFolder;
}

}  // namespace larkspur
