// The hand kept for another time and the statistics by robot level, as the
// table window offers them: Game > Resume Hand (Ctrl+R), enabled only while a
// kept hand waits; Statistics > Statistics by Robot Level; and the hand kept
// once more as the session ends, by a log-out too.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "ui/StatisticsWindow.h"
#include "ui/TableWindow.h"

namespace larkspur {

namespace {

// The robot's item in Options > Robot: MnuClassic, MnuExpert.
QString robotItemName(RobotPlay play) {
  QString name = QString::fromLatin1(RobotPlayName(play));
  name[0] = name[0].toUpper();
  return QStringLiteral("Mnu") + name;
}

}  // namespace

void TableWindow::buildKeptHand() {
  resumeAction_ = new QAction(QStringLiteral("&Resume Hand"), gameMenu_);
  resumeAction_->setObjectName(QStringLiteral("MnuResume"));
  resumeAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  resumeAction_->setEnabled(false);
  connect(resumeAction_, &QAction::triggered, this,
          [this] { callGameWith([this] { game_->MnuResume_Click(); }); });
  // Beside Load, the other way back into a game.
  QAction* load = findChild<QAction*>(QStringLiteral("MnuLoad"));
  const QList<QAction*> items = gameMenu_->actions();
  const qsizetype after = items.indexOf(load) + 1;
  gameMenu_->insertAction(after < items.size() ? items[after] : nullptr, resumeAction_);

  if (auto* stats = menuBar()->findChild<QMenu*>(QStringLiteral("MnuStats"))) {
    stats->addSeparator();
    QAction* window = stats->addAction(QStringLiteral("Statistics by &Robot Level"));
    window->setObjectName(QStringLiteral("MnuStatistics"));
    connect(window, &QAction::triggered, this, &TableWindow::openStatistics);
  }

  game_->KeepsHand = true;
  // The hand in play is on the disk from its last wait; should that writing
  // have failed, it is tried once more as the session ends, however it ends.
  auto keep = [this] { game_->KeepHandForLater(); };
  connect(qApp, &QGuiApplication::commitDataRequest, this, keep);
  connect(qApp, &QCoreApplication::aboutToQuit, this, keep);
}

void TableWindow::syncKeptHand() {
  resumeAction_->setEnabled(shownMenuEnabled_ && game_->HandToResume());
  // A resumed hand brings its robot with it.
  QAction* robot = findChild<QAction*>(robotItemName(game_->RobotPlayer()));
  if (robot && !robot->isChecked()) {
    robot->setChecked(true);
    QSettings().setValue(QStringLiteral("options/robot"),
                         QString::fromLatin1(RobotPlayName(game_->RobotPlayer())));
  }
  if (statistics_) statistics_->refresh();
}

void TableWindow::openStatistics() {
  if (!statistics_)
    statistics_ = new StatisticsWindow(
        *game_, [this] { callGameWith([this] { game_->ResetStatistics(); }); }, this);
  statistics_->showStatistics();
}

}  // namespace larkspur
