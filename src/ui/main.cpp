// Larkspur: canasta for one player against the robot.
#include <QApplication>
#include <QStandardPaths>

#include "ui/Folders.h"
#include "ui/TableWindow.h"

int main(int argc, char* argv[]) {
  // The per-user settings and data are kept under these names.
  QCoreApplication::setOrganizationName(QStringLiteral("Larkspur"));
  QCoreApplication::setApplicationName(QStringLiteral("Larkspur"));
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(LARKSPUR_APP_ID));
  // The game ends only through its own exit routine, which quits the application.
  QApplication::setQuitOnLastWindowClosed(false);
  larkspur::TableWindow window;
  window.host().setPlayerFileFolder(larkspur::playerFileFolder(
      QCoreApplication::applicationDirPath(),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
  window.load();
  if (window.host().ended()) return 0;
  window.show();
  return QApplication::exec();
}
