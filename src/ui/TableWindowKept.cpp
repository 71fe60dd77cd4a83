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

void TableWindow::buildKeptHand() {
  // The robots' items of Options > Robot, each named after its robot: MnuClassic, MnuExpert.
  if (auto* robots = menuBar()->findChild<QMenu*>(QStringLiteral("MnuRobot"))) {
    for (QAction* item : robots->actions()) {
      const QString name = item->objectName().mid(3).toLower();
      if (const std::optional<RobotPlay> play = RobotPlayNamed(name.toStdString()))
        robotItems_.emplace_back(*play, item);
    }
  }

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
  for (const auto& [play, item] : robotItems_) {
    if (play != game_->RobotPlayer() || item->isChecked()) continue;
    item->setChecked(true);
    QSettings().setValue(QStringLiteral("options/robot"), QString::fromLatin1(RobotPlayName(play)));
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
