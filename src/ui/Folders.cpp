#include "ui/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace larkspur {

QString findSound(const QString& programFolder, const QString& name) {
  const QDir program(programFolder);
  for (const QString& path :
       {program.filePath(name),
        program.filePath(QStringLiteral(LARKSPUR_DATA_FROM_PROGRAM "/") + name)}) {
    if (QFileInfo(path).isFile()) return QDir::cleanPath(path);
  }
  return {};
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
