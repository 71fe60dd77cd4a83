#include "ui/QtHost.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QMediaDevices>
#include <QMessageBox>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <chrono>

#include "ui/AboutWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MessageWindow.h"
#include "ui/Folders.h"

namespace larkspur {

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// Whether there is anything to play sounds on. Asked once; a machine without
// sound simply stays silent, so the audio system's own complaints are muted.
bool haveAudioOutput() {
  static const bool available = [] {
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    const bool found = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(previous);
    return found;
  }();
  return available;
}

}  // namespace

QtHost::QtHost()
    : folder_(QCoreApplication::applicationDirPath()),
      random_(static_cast<std::uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {
  clock_.start();
}

QtHost::~QtHost() {
  MessageWindow::destroyShared();
}

void QtHost::redraw() {
  if (redraw_) redraw_();
}

void QtHost::WaitUntil(std::int64_t deadlineMs) {
  redraw();
  const std::int64_t remaining = deadlineMs - TickCount();
  if (remaining <= 0 || ended_) return;
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
  if (!on)
    for (auto& [path, sound] : sounds_) sound->stop();
}

void QtHost::PlaySound(const std::string& fileName) {
  if (ended_ || !soundOn_ || !haveAudioOutput()) return;
  QString name = QString::fromStdString(fileName);
  while (name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/'))) name.remove(0, 1);
  const QString path = findSound(QCoreApplication::applicationDirPath(), name);
  if (path.isEmpty()) return;  // a missing sound is simply not heard
  std::unique_ptr<QSoundEffect>& effect = sounds_[path];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
  }
  // Only one sound at a time: a new one cuts off whatever still plays.
  for (auto& [other, sound] : sounds_)
    if (sound != effect && sound->isPlaying()) sound->stop();
  effect->stop();
  effect->play();
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
  return QMessageBox::question(dialogParent_, QString::fromStdString(title),
                               QString::fromStdString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
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
  // The top 53 bits as a fraction: never 1.0.
  return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

std::string QtHost::PlayerFileFolder() {
  return folder_.toStdString();
}

void QtHost::EndProgram() {
  if (ended_) return;
  ended_ = true;
  for (auto& [path, sound] : sounds_) sound->stop();
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
