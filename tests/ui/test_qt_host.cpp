// The Qt host: its waits handle events without cutting a pause short, the
// dialogs answer as the game expects, and the end closes the windows.
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
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

  // Both waits redraw first and handle events; a pause is not cut short, and
  // a deadline already past returns at once, handling nothing.
  void waits() {
    QtHost host;
    int redraws = 0;
    host.setRedraw([&] { ++redraws; });
    bool clicked = false;
    QTimer::singleShot(5, [&] { clicked = true; });
    const std::int64_t start = host.TickCount();
    host.WaitUntil(start + 60);
    QVERIFY(clicked);
    QVERIFY(host.TickCount() >= start + 60);
    QCOMPARE(redraws, 1);

    bool late = false;
    QTimer::singleShot(0, [&] { late = true; });
    host.WaitUntil(host.TickCount() - 1);
    QVERIFY(!late);
    while (!late) host.WaitForEvent();
    QVERIFY(redraws >= 3);
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

  // The title and text reach the boxes; Yes is true, No false; a cancelled
  // input box gives an empty text, whatever was typed.
  void dialogs() {
    QtHost host;
    QString seen;
    answerNextModal([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      seen = box->windowTitle() + '|' + box->text();
      box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(host.AskYesNo("Please enter your name", " Welcome Ada"));
    QCOMPARE(seen, QString("Please enter your name| Welcome Ada"));
    answerNextModal(
        [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click(); });
    QVERIFY(!host.AskYesNo("t", "q"));

    answerNextModal([&](QWidget* w) {
      auto* input = qobject_cast<QInputDialog*>(w);
      seen = input->windowTitle() + '|' + input->labelText() + '|' + input->textValue();
      input->setTextValue(QString::fromUtf8("Zoë"));
      input->accept();
    });
    QCOMPARE(host.InputText("Enter your name", "Please enter new player's name."),
             std::string("Zoë"));
    QCOMPARE(seen, QString("Enter your name|Please enter new player's name.|"));
    answerNextModal([](QWidget* w) {
      auto* input = qobject_cast<QInputDialog*>(w);
      input->setTextValue("typed");
      input->reject();
    });
    QCOMPARE(host.InputText("t", "p"), std::string());
  }

  // The end closes every window, and nothing waits any more.
  void endProgram() {
    QtHost host;
    host.setQuitOnEnd(false);
    QWidget table;
    QDialog about;
    host.setDialogParent(&table);
    host.setCloseTable([&] { table.close(); });
    table.show();
    about.show();
    host.EndProgram();
    QVERIFY(host.ended());
    QVERIFY(!about.isVisible() && !table.isVisible());
    host.WaitUntil(host.TickCount() + 100000);
    host.WaitForEvent();
  }
};

QTEST_MAIN(TestQtHost)
#include "test_qt_host.moc"
