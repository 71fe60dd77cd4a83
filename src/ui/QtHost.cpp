#include "ui/QtHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <utility>

#include "ui/AboutWindow.h"
#include "ui/Folders.h"
#include "ui/HelpWindow.h"
#include "ui/MessageWindow.h"

namespace larkspur {

namespace {

std::uint64_t seedFromClock() {
  return static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

QtHost::QtHost()
    : folder_(QCoreApplication::applicationDirPath()),
      soundModule_(QCoreApplication::applicationDirPath()) {
  clock_.start();
  RandomFrom({seedFromClock(), 0});
}

QtHost::~QtHost() {
  MessageWindow::destroyShared();
}

void QtHost::redraw() {
  if (redraw_) redraw_();
}

void QtHost::WaitUntil(std::int64_t deadlineMs) {
  redraw();
  if (ended_) return;
  if (pausesSkipped_) return QCoreApplication::processEvents();
  const std::int64_t remaining = deadlineMs - TickCount();
  if (remaining <= 0) return;
  // The event loop sleeps until an event or the deadline; nothing polls.
  QEventLoop loop;
  QTimer::singleShot(std::chrono::milliseconds(remaining), Qt::PreciseTimer, &loop,
                     &QEventLoop::quit);
  loop.exec();
}

void QtHost::WaitForEvent() {
  redraw();
  if (ended_) return;
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::int64_t QtHost::TickCount() {
  return clock_.elapsed();
}

void QtHost::setSoundOn(bool on) {
  soundOn_ = on;
  if (!on && sounds_) sounds_->stopAll();
}

void QtHost::PlaySound(const std::string& fileName) {
  if (ended_ || !soundOn_) return;
  QString name = QString::fromStdString(fileName);
  while (name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/'))) name.remove(0, 1);
  const QString path = findSound(QCoreApplication::applicationDirPath(), name);
  if (path.isEmpty()) return;  // a missing sound is simply not heard
  if (soundsLoaded_) {
    if (sounds_ && sounds_->haveOutput()) sounds_->play(path);
    return;
  }
  // The first sound, the shuffle at start-up, waits for the sound module: a
  // worker loads it once the table is on the screen, so that neither holds up
  // the window, and the latest sound asked for meanwhile plays when it is there.
  waitingSound_ = path;
  if (loadingSounds_) return;
  loadingSounds_ = true;
  auto load = [this] { soundModule_.load([this] { soundsLoaded(); }); };
  if (dialogParent_ && !dialogParent_->isVisible())
    QMetaObject::invokeMethod(dialogParent_, load, Qt::QueuedConnection);
  else
    load();
}

void QtHost::soundsLoaded() {
  sounds_ = soundModule_.makePlayer();
  soundsLoaded_ = true;
  const QString path = std::exchange(waitingSound_, QString());
  if (!ended_ && soundOn_ && sounds_ && sounds_->haveOutput()) sounds_->play(path);
}

void QtHost::Beep() {
  if (soundOn_) QApplication::beep();
}

int QtHost::ShowMessage(const DeluxeMessage& message) {
  redraw();
  return MessageWindow::shared().showMessage(message);
}

bool QtHost::AskYesNo(const std::string& title, const std::string& text) {
  redraw();
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, dialogParent_);
  box.setTextFormat(Qt::PlainText);  // the text holds a name, shown as it was typed
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtHost::InputText(const std::string& title, const std::string& prompt) {
  redraw();
  bool ok = false;
  const QString text =
      QInputDialog::getText(dialogParent_, QString::fromStdString(title),
                            QString::fromStdString(prompt), QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

void QtHost::ShowHelp() {
  redraw();
  if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
  helpWindow_->showModal();
}

void QtHost::ShowAbout() {
  redraw();
  if (!aboutWindow_) aboutWindow_ = std::make_unique<AboutWindow>();
  aboutWindow_->showFromMenu();
}

double QtHost::Random() {
  // A fresh seed now and then, so that a kept position is put back quickly.
  if (position_.Draws >= MostRandomDraws) RandomFrom({seedFromClock(), 0});
  ++position_.Draws;
  // The top 53 bits as a fraction: never 1.0.
  return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

void QtHost::RandomFrom(const RandomPosition& at) {
  position_ = at;
  random_.seed(at.Seed);
  random_.discard(at.Draws);
}

std::string QtHost::PlayerFileFolder() {
  return folder_.toStdString();
}

std::string QtHost::DataFolder() {
  return dataFolder_.toStdString();
}

void QtHost::EndProgram() {
  if (ended_) return;
  ended_ = true;
  if (sounds_) sounds_->stopAll();
  if (MessageWindow* message = MessageWindow::current()) message->cancel();
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window != dialogParent_) window->close();
  if (closeTable_) closeTable_();
  // Leave the main loop once control is back there; the windows are already closed.
  if (quitOnEnd_)
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

}  // namespace larkspur
