// The program's message window, and the help and about windows.
#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

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

// Whether the button shows the focus: caption-coloured dots left of its caption.
bool ringed(QWidget* button) {
  const QImage image = button->grab().toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 1; x < 5; ++x)
      if (image.pixelColor(x, y) == QColor(192, 255, 255)) return true;
  return false;
}

}  // namespace

class TestMessageWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  // A press sinks a button, until the next showing; only a primary click on a shown
  // caption chooses, no close does. Taken down without a choice, there is none.
  void noChoiceWithoutAClick() {
    auto tries = [](MessageWindow& w) {
      auto corner = [&] { return w.button(0)->grab().toImage().pixelColor(0, 0); };
      QCOMPARE(corner(), QColor(240, 240, 240));  // raised: a light edge top left
      QTest::mousePress(w.button(0), Qt::LeftButton);
      QCOMPARE(corner(), QColor(128, 128, 128));  // pressed: a dark one
      QTest::mouseRelease(w.button(0), Qt::LeftButton, {}, QPoint(-40, 10));
      QTest::mouseClick(w.button(1), Qt::RightButton);
      QVERIFY(w.isButtonPressed(0));
      QVERIFY(w.isButtonPressed(1));
      w.clickButton(2);  // hidden
      w.close();
      QVERIFY(w.isVisible());
      QTest::mouseClick(w.button(1), Qt::LeftButton);
    };
    QCOMPARE(Answer(window_, "Quit?", {"Yes-Exit", "No Cancel"}, tries), 1);
  }

  // Return and Space answer the focus, at first on the first button and ringed;
  // Tab and Shift+Tab move it round the shown buttons; Escape answers the last. A
  // button answers to its first letter no earlier one has, Alt or not; other keys
  // do nothing. Any message: 4500 twips wide, on the free screen, the layout's
  // title and buttons in place below the wrapped message; too tall, it scrolls.
  void keysChoose_data() {
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const QStringList& captions, const char* keys, int choice,
                        const char* letters, const QString& text = "Quit?") {
      QTest::newRow(name) << captions << QKeySequence(keys) << choice << QString(letters) << text;
    };
    const QStringList exitOrNot{"Yes-Exit", "No Cancel"}, newOrNot{"New Game", "No Cancel"};
    const QString sentence = "You have an unfinished Meld to complete. ";
    row("Return: the first", exitOrNot, "Return", 0, "yn ");
    row("Tab, Return", exitOrNot, "Tab, Return", 1, "yn ");
    row("Tab goes round", exitOrNot, "Tab, Tab, Space", 0, "yn ");
    row("Shift+Tab, Enter", exitOrNot, "Shift+Backtab, Enter", 1, "yn ");
    row("Escape: the last", exitOrNot, "Esc", 1, "yn ");
    row("letter", exitOrNot, "N", 1, "yn ");
    row("Escape: the only", {"O.K"}, "Esc", 0, "o  ");
    row("next letter", newOrNot, "O", 1, "no ");
    row("Alt+letter", newOrNot, "Alt+N", 0, "no ");
    row("third", {"Yes", "No", "Maybe"}, "M", 2, "ynm");
    row("hidden now", {"Yes", "No"}, "M, X, Esc", 1, "yn ");
    row("gap", {"Yes", "", "Maybe"}, "Esc", 2, "y m", sentence.repeated(12));
    row("other keys", exitOrNot, "Z, E, F4, Ctrl+Y", -1, "yn ");
    row("taller than the screen", {"O.K"}, "Return", 0, "o  ", sentence.repeated(80));
    row("long name", {"Yes", "No"}, "N", 1, "yn ", QString(300, 'W') + " do you wish to exit?");
  }
  void keysChoose() {
    QFETCH(QStringList, captions);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, letters);
    QFETCH(QString, text);
    const bool tall = text.size() > 1000;  // the one message taller than the screen
    const auto press = [&](MessageWindow& w) {
      QString shown;
      for (int i = 0; i < 3; ++i) shown += w.mnemonic(i).isNull() ? QChar(' ') : w.mnemonic(i);
      QCOMPARE(shown, letters);
      QVERIFY(!w.isButtonPressed(0));
      QVERIFY(!w.isButtonPressed(1));
      for (int i : {0, 1}) QCOMPARE(ringed(w.button(i)), w.button(i)->hasFocus());
      const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
      QVERIFY(w.isModal());
      QVERIFY(free.contains(w.geometry()));
      QCOMPARE(w.width(), 4500 / 15);
      QCOMPARE(w.titleText() + '|' + w.messageText(),
               QString::fromStdString(w.layout().TitleText) + '|' + text);
      for (int i = 0; i < 3; ++i) {
        const TwipRect& r = w.layout().Buttons[i];
        const QPointF centre(r.Left + r.Width / 2, r.Top + r.Height / 2);
        QCOMPARE(w.isButtonShown(i), w.layout().ButtonVisible[i]);
        QCOMPARE(w.caption(i), captions.value(i));
        QVERIFY(w.rect().contains(w.button(i)->geometry()));
        QVERIFY((w.button(i)->geometry().center() - centre / 15).manhattanLength() <= 2);
      }
      auto* area = w.findChild<QScrollArea*>();
      QWidget* message = w.findChild<QWidget*>("Label2");
      QScrollBar* bar = area->verticalScrollBar();
      QCOMPARE(bar->isVisible(), tall);
      QCOMPARE(bar->maximum() > 0, tall);
      QVERIFY(message->width() <= area->width());
      QVERIFY(w.button(0)->y() >= area->y() + area->height());
      QVERIFY(w.rect().contains(w.findChild<QWidget*>("Label3")->geometry()));
      if (!frame_) frame_ = w.height() - message->height();  // all but the message
      if (!tall) QCOMPARE(w.height() - message->height(), frame_);
      if (text.size() > 100)
        QVERIFY(message->height() > 3 * QFontMetrics(message->font()).height());
      QTest::keySequence(&w, keys);
    };
    QTEST(Answer(window_, text.toStdString(), captions, press), "choice");
  }

  // Help is modal each time; about is modal the first time only.
  void helpAndAbout() {
    HelpWindow help;
    for (int i = 0; i < 2; ++i)
      QVERIFY(modalWhileShown(help, help.closeButton(), [&] { help.showModal(); }));
    AboutWindow about;
    QVERIFY(modalWhileShown(about, about.okButton(), [&] { about.showFromMenu(); }));
    QTimer::singleShot(0, [&] {
      if (about.isModal()) about.done(0);  // never hang on a failure
    });
    about.showFromMenu();  // returns at once
    QVERIFY(about.isVisible());
    QVERIFY(!about.isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QTest::mouseClick(about.okButton(), Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }

 private:
  MessageWindow window_;  // one window shown again and again, as the game has
  int frame_ = 0;
};

QTEST_MAIN(TestMessageWindow)
#include "test_message_window.moc"
