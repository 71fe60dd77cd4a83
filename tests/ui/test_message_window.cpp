// The program's message window, and the help and about windows.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/AboutWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MessageWindow.h"

using namespace larkspur;

namespace {

// Shows the message and runs whileShown on the waiting window; whatever
// whileShown leaves undecided is taken down so that a failure cannot hang.
int Answer(MessageWindow& window, const std::string& text, const QStringList& captions,
           const std::function<void(MessageWindow&)>& whileShown) {
  QTimer::singleShot(0, [&] {
    if (MessageWindow* shown = MessageWindow::current()) whileShown(*shown);
    if (MessageWindow::current()) MessageWindow::current()->cancel();
  });
  const auto b = [&](int i) { return captions.value(i).toStdString(); };
  return window.showMessage(DeluxeMessage{text, b(0), b(1), b(2), 1, "Really Exit?"});
}

// Whether w is modal while shown by show(), which must return once w is closed.
bool modalWhileShown(QDialog& w, QAbstractButton* close, const std::function<void()>& show) {
  bool modal = false;
  QTimer::singleShot(0, [&] {
    modal = QApplication::activeModalWidget() == &w;
    QTest::mouseClick(close, Qt::LeftButton);
    if (w.isVisible()) w.done(0);  // never hang on a failure
  });
  show();
  return modal && !w.isVisible();
}

}  // namespace

class TestMessageWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  // Each button is shown when its caption is given (the first always), at its
  // place in the layout; a click on a caption chooses that button.
  void buttons_data() {
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("choice");
    QTest::newRow("one") << QStringList{"O.K", "", ""} << 0;
    QTest::newRow("two") << QStringList{"Yes Exit", "Carry On", ""} << 1;
    QTest::newRow("three") << QStringList{"Yes", "No", "Maybe"} << 2;
    QTest::newRow("no middle") << QStringList{"Yes", "", "Maybe"} << 2;
    QTest::newRow("empty first") << QStringList{"", "", ""} << 0;
  }
  void buttons() {
    QFETCH(QStringList, captions);
    QFETCH(int, choice);
    MessageWindow window;
    auto check = [&](MessageWindow& w) {
      QVERIFY(w.isModal());
      QCOMPARE(w.titleText(), QString("   Really Exit?"));
      for (int i = 0; i < 3; ++i) {
        QCOMPARE(w.isButtonShown(i), i == 0 || !captions[i].isEmpty());
        QCOMPARE(w.caption(i), captions[i]);
        const TwipRect& r = w.layout().Buttons[i];
        const QPointF centre(r.Left + r.Width / 2, r.Top + r.Height / 2);
        QVERIFY((w.button(i)->geometry().center() - centre / 15).manhattanLength() <= 2);
      }
      QTest::mouseClick(w.button(choice), Qt::LeftButton);
    };
    QCOMPARE(Answer(window, "Player do you really wish to exit?", captions, check), choice);
  }

  // A press draws the button pressed; only a primary click on a shown caption
  // chooses; the pressed look stays until the next showing; taken down without a click, there is no
  // choice.
  void noChoiceWithoutAClick() {
    MessageWindow window;
    auto tries = [](MessageWindow& w) {
      auto corner = [&] { return w.button(0)->grab().toImage().pixelColor(0, 0); };
      QCOMPARE(corner(), QColor(240, 240, 240));  // raised: a light edge top left
      QTest::mousePress(w.button(0), Qt::LeftButton);
      QCOMPARE(corner(), QColor(128, 128, 128));  // pressed: a dark one
      QTest::mouseRelease(w.button(0), Qt::LeftButton, {}, QPoint(-40, 10));
      QTest::mouseClick(w.button(1), Qt::RightButton);
      QVERIFY(w.isButtonPressed(0) && w.isButtonPressed(1));
      w.clickButton(2);  // hidden
      for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) QTest::keyClick(&w, key);
      w.close();
      QVERIFY(w.isVisible());
      QTest::mouseClick(w.button(1), Qt::LeftButton);
    };
    QCOMPARE(Answer(window, "Quit?", {"Yes-Exit", "No Cancel"}, tries), 1);
    Answer(window, "Quit?", {"Yes-Exit", "No Cancel"}, [](MessageWindow& w) {
      QVERIFY(!w.isButtonPressed(0) && !w.isButtonPressed(1));
      w.clickButton(0);
    });
    QCOMPARE(Answer(window, "Bye", {"O.K"}, [](MessageWindow& w) { w.cancel(); }), -1);
  }

  // The window grows with the wrapped message by exactly the message's
  // growth, and the button stays below it.
  void windowGrowsWithTheMessage() {
    MessageWindow window;
    struct Heights {
      int window, message;
    };
    auto measure = [&](const QString& text) {
      Heights seen{};
      Answer(window, text.toStdString(), {"Right"}, [&](MessageWindow& w) {
        QWidget* message = w.findChild<QWidget*>("Label2");
        seen = {w.height(), message->height()};
        QVERIFY(w.button(0)->y() >= message->mapTo(&w, QPoint(0, message->height())).y());
        w.clickButton(0);
      });
      return seen;
    };
    const Heights small = measure("Short.");
    const Heights large =
        measure(QString("You have an unfinished Meld to complete. ").repeated(12));
    QVERIFY(large.message > 3 * small.message);
    QCOMPARE(large.window - small.window, large.message - small.message);
  }

  // However long the message, the window stays on the screen's free area,
  // 4500 twips wide: a 300-letter name breaks across lines, a message taller
  // than the screen scrolls between the title and the buttons, which still
  // choose. The next short message shows no scroll bar.
  void windowStaysOnTheScreen() {
    MessageWindow window;
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const std::string name(300, 'W');
    const std::string tall =
        QString("You have an unfinished Meld to complete. ").repeated(80).toStdString();
    for (const std::string& text : {name + " do you really wish to exit?", tall, name}) {
      const int choice = Answer(window, text, {"Yes Exit", "Carry On"}, [&](MessageWindow& w) {
        QVERIFY(free.contains(w.geometry()));
        QCOMPARE(w.width(), 4500 / 15);
        QCOMPARE(w.messageText(), QString::fromStdString(text));
        auto* area = w.findChild<QScrollArea*>();
        QVERIFY(area);
        QCOMPARE(area->verticalScrollBar()->isVisible(), text == tall);
        QCOMPARE(area->verticalScrollBar()->maximum() > 0, text == tall);
        QWidget* message = w.findChild<QWidget*>("Label2");
        QVERIFY(message->width() <= area->width());
        // The whole name takes lines of its own.
        QVERIFY(message->height() > 3 * QFontMetrics(message->font()).height());
        for (QWidget* part : {w.findChild<QWidget*>("Label3"), w.button(1)})
          QVERIFY(w.rect().contains(part->geometry()));
        QTest::mouseClick(w.button(1), Qt::LeftButton);
      });
      QCOMPARE(choice, 1);
    }
  }

  // Help: modal each time, the text shown with its dashes intact.
  void help() {
    HelpWindow help;
    QCOMPARE(help.windowTitle(), QString("Larkspur Help"));
    QCOMPARE(help.closeButton()->text(), QString("C&lose Me"));
    const QString shown = help.textBox()->toPlainText();
    QVERIFY(shown.contains(QString::fromUtf8("\n50 points\t0 \u2013 1495 game score to date\n")));
    for (int i = 0; i < 2; ++i)
      QVERIFY(modalWhileShown(help, help.closeButton(), [&] { help.showModal(); }));
  }

  // About: product, platform and version; modal the first time, then modeless.
  void about() {
    AboutWindow about;
    QCOMPARE(about.productName()->text(), QString("Larkspur"));
    QCOMPARE(about.platform()->text(), QString("Linux"));
    QCOMPARE(about.version()->text(), QString("Version " LARKSPUR_VERSION));
    QVERIFY(modalWhileShown(about, about.okButton(), [&] { about.showFromMenu(); }));
    about.showFromMenu();  // returns at once
    QVERIFY(about.isVisible() && !about.isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::mouseClick(about.okButton(), Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }
};

QTEST_MAIN(TestMessageWindow)
#include "test_message_window.moc"
