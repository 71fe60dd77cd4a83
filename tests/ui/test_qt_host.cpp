// The Qt host: its waits handle events without cutting a pause short, the
// dialogs answer as the game expects, and the end closes the windows.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/QtHost.h"

using larkspur::QtHost;

namespace {

// Runs answer on the next modal window to come up.
void answerNextModal(std::function<void(QWidget*)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      answer(modal);
    }
  });
  poll->start(5);
}

}  // namespace

class TestQtHost : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void pauseHandlesEventsAndLastsItsTime() {
    QtHost host;
    int redraws = 0;
    host.setRedraw([&] { ++redraws; });
    bool clicked = false;
    QTimer::singleShot(5, [&] { clicked = true; });
    const std::int64_t start = host.TickCount();
    host.WaitUntil(start + 60);
    QVERIFY(clicked);  // a click during the pause is handled before it returns
    QVERIFY(host.TickCount() >= start + 60);
    QCOMPARE(redraws, 1);

    // A deadline already past returns at once, handling nothing.
    bool late = false;
    QTimer::singleShot(0, [&] { late = true; });
    host.WaitUntil(host.TickCount() - 1);
    QVERIFY(!late);
    QCOMPARE(redraws, 2);
  }

  void nestedPauses() {
    // A handler that pauses inside a pause: both return, the outer one last.
    QtHost host;
    std::int64_t innerEnd = 0;
    QTimer::singleShot(5, [&] {
      host.WaitUntil(host.TickCount() + 40);
      innerEnd = host.TickCount();
    });
    const std::int64_t start = host.TickCount();
    host.WaitUntil(start + 20);
    QVERIFY(innerEnd != 0);
    QVERIFY(host.TickCount() >= start + 20);
  }

  void waitForEventReturnsAfterAnEvent() {
    QtHost host;
    int redraws = 0;
    host.setRedraw([&] { ++redraws; });
    bool handled = false;
    QTimer::singleShot(20, [&] { handled = true; });
    while (!handled) host.WaitForEvent();
    QVERIFY(redraws >= 1);
  }

  void randomValuesAreUniformInUnitInterval() {
    QtHost a;
    QtHost b;
    double sum = 0;
    bool differ = false;
    constexpr int n = 20000;
    for (int i = 0; i < n; ++i) {
      const double x = a.Random();
      QVERIFY(x >= 0.0 && x < 1.0);
      sum += x;
      differ = differ || x != b.Random();
    }
    QVERIFY(std::abs(sum / n - 0.5) < 0.02);
    QVERIFY2(differ, "two hosts share one random sequence");
  }

  void programFolderAndSounds() {
    QtHost host;
    QCOMPARE(QString::fromStdString(host.ProgramFolder()), QApplication::applicationDirPath());
    QTemporaryDir dir;
    host.setProgramFolder(dir.path());
    QCOMPARE(QString::fromStdString(host.ProgramFolder()), dir.path());
    // Missing files and a machine without sound are silent, not errors.
    host.PlaySound("win.wav");
    host.PlaySound("\\Uhho.wav");
    host.setProgramFolder(QApplication::applicationDirPath());
    host.PlaySound("carddeal1.wav");
    host.PlaySound("riffle.wav");
    host.Beep();
  }

  void yesNoQuestion() {
    QtHost host;
    QString title, text;
    answerNextModal([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(host.AskYesNo("Please enter your name", " Welcome Ada"));
    QCOMPARE(title, QString("Please enter your name"));
    QCOMPARE(text, QString(" Welcome Ada"));
    answerNextModal(
        [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click(); });
    QVERIFY(!host.AskYesNo("t", "q"));
  }

  void inputBox() {
    QtHost host;
    QString title, prompt, initial = "unset";
    answerNextModal([&](QWidget* w) {
      auto* input = qobject_cast<QInputDialog*>(w);
      QVERIFY(input);
      title = input->windowTitle();
      prompt = input->labelText();
      initial = input->textValue();
      input->setTextValue(QString::fromUtf8("Zoë"));
      input->accept();
    });
    QCOMPARE(host.InputText("Enter your name", "Please enter new player's name."),
             std::string("Zoë"));
    QCOMPARE(title, QString("Enter your name"));
    QCOMPARE(prompt, QString("Please enter new player's name."));
    QCOMPARE(initial, QString());
    answerNextModal([](QWidget* w) {
      auto* input = qobject_cast<QInputDialog*>(w);
      input->setTextValue("typed");
      input->reject();
    });
    QCOMPARE(host.InputText("t", "p"), std::string());
  }

  void endProgramClosesTheWindows() {
    QtHost host;
    host.setQuitOnEnd(false);
    QWidget table;
    QDialog about;
    host.setDialogParent(&table);
    bool tableClosed = false;
    host.setCloseTable([&] {
      tableClosed = true;
      table.close();
    });
    table.show();
    about.show();
    host.EndProgram();
    QVERIFY(host.ended());
    QVERIFY(tableClosed);
    QVERIFY(!about.isVisible());
    QVERIFY(!table.isVisible());
    // After the end nothing waits any more.
    const std::int64_t start = host.TickCount();
    host.WaitUntil(start + 100000);
    host.WaitForEvent();
  }
};

QTEST_MAIN(TestQtHost)
#include "test_qt_host.moc"
