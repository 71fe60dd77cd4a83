// Larkspur: canasta for one player against the robot.
#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QStandardPaths>
#include <future>

#include "ui/Folders.h"
#include "ui/TableWindow.h"

int main(int argc, char* argv[]) {
  // Reading the font configuration is the longest step of start-up and needs
  // nothing from the display: another core reads it while the application
  // connects, and Qt finds it ready when it first lays out text.
  const std::future<void> fonts = std::async(std::launch::async, [] { FcInit(); });
  // The per-user settings and data are kept under these names.
  QCoreApplication::setOrganizationName(QStringLiteral("Larkspur"));
  QCoreApplication::setApplicationName(QStringLiteral("Larkspur"));
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(LARKSPUR_APP_ID));
  // The game ends only through its own exit routine, which quits the application.
  QApplication::setQuitOnLastWindowClosed(false);
  larkspur::TableWindow window;
  const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  window.host().setPlayerFileFolder(
      larkspur::playerFileFolder(QCoreApplication::applicationDirPath(), dataFolder));
  // The kept hand and the statistics are the player's own wherever Name.dat is.
  window.host().setDataFolder(dataFolder);
  window.load();
  if (window.host().ended()) return 0;
  window.show();
  return QApplication::exec();
}
