// The program's message window, and the help and about windows.
#include <QApplication>
#include <QGuiApplication>
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

  // A press sinks a button; only a primary click on a shown caption chooses, no
  // close does; the pressed look stays until the next showing; taken down, no choice.
  void noChoiceWithoutAClick() {
    auto tries = [](MessageWindow& w) {
      auto corner = [&] { return w.button(0)->grab().toImage().pixelColor(0, 0); };
      QCOMPARE(corner(), QColor(240, 240, 240));  // raised: a light edge top left
      QTest::mousePress(w.button(0), Qt::LeftButton);
      QCOMPARE(corner(), QColor(128, 128, 128));  // pressed: a dark one
      QTest::mouseRelease(w.button(0), Qt::LeftButton, {}, QPoint(-40, 10));
      QTest::mouseClick(w.button(1), Qt::RightButton);
      QVERIFY(w.isButtonPressed(0) && w.isButtonPressed(1));
      w.clickButton(2);  // hidden
      w.close();
      QVERIFY(w.isVisible());
      QTest::mouseClick(w.button(1), Qt::LeftButton);
    };
    QCOMPARE(Answer(window_, "Quit?", {"Yes-Exit", "No Cancel"}, tries), 1);
    Answer(window_, "Quit?", {"Yes-Exit", "No Cancel"}, [](MessageWindow& w) {
      QVERIFY(!w.isButtonPressed(0) && !w.isButtonPressed(1));
      w.clickButton(0);
    });
    QCOMPARE(Answer(window_, "Bye", {"O.K"}, [](MessageWindow& w) { w.cancel(); }), -1);
  }

  // Return and Space answer the focus, at first on the first button, which shows
  // the dotted ring; Tab and Shift+Tab move it round the shown buttons; Escape
  // answers the last one. A shown button answers to its underlined letter, Alt or
  // not: its first letter no earlier button has. Other keys do nothing, nor does
  // the letter of a button the last window showed and this one hides.
  void keysChoose_data() {
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("letters");
    const auto row = [](const char* name, const QStringList& captions, const char* keys, int choice,
                        const char* letters) {
      QTest::newRow(name) << captions << QKeySequence(keys) << choice << QString(letters);
    };
    const QStringList exitOrNot{"Yes-Exit", "No Cancel"}, newOrNot{"New Game", "No Cancel"};
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
    row("gap", {"Yes", "", "Maybe"}, "Esc", 2, "y m");
    row("other keys", exitOrNot, "Z, E, F4, Ctrl+Y", -1, "yn ");
  }
  void keysChoose() {
    QFETCH(QStringList, captions);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, letters);
    const auto press = [&](MessageWindow& w) {
      QString shown;
      for (int i = 0; i < 3; ++i) shown += w.mnemonic(i).isNull() ? QChar(' ') : w.mnemonic(i);
      QCOMPARE(shown, letters);
      for (int i : {0, 1}) QCOMPARE(ringed(w.button(i)), w.button(i)->hasFocus());
      QTest::keySequence(&w, keys);
    };
    QTEST(Answer(window_, "Quit?", captions, press), "choice");
  }

  // The layout's title and buttons in their places, a click choosing; 4500 twips
  // wide, on the screen's free area, growing with the wrapped message, the buttons
  // below it; a long name breaks; a message taller than the screen scrolls.
  void windowFitsTheMessage() {
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const QString sentence = "You have an unfinished Meld to complete. ";
    const std::string tall = sentence.repeated(80).toStdString();
    const struct {
      std::string text;
      QStringList captions;
      int choice;
    } messages[] = {{"Short.", {"Yes", "No", "Maybe"}, 1},
                    {sentence.repeated(12).toStdString(), {"Yes", "", "Maybe"}, 2},
                    {tall, {"O.K"}, 0},
                    {std::string(300, 'W') + " do you really wish to exit?", {"Yes", "No"}, 1}};
    int shortWindow = 0, shortMessage = 0;
    for (const auto& [text, captions, choice] : messages) {
      auto check = [&](MessageWindow& w) {
        QVERIFY(w.isModal() && free.contains(w.geometry()) && w.width() == 4500 / 15);
        QCOMPARE(w.titleText() + '|' + w.messageText(),
                 QString::fromStdString(w.layout().TitleText + '|' + text));
        for (int i = 0; i < 3; ++i) {
          const TwipRect& r = w.layout().Buttons[i];
          const QPointF centre(r.Left + r.Width / 2, r.Top + r.Height / 2);
          QVERIFY(w.isButtonShown(i) == w.layout().ButtonVisible[i] &&
                  w.caption(i) == captions.value(i) && w.rect().contains(w.button(i)->geometry()) &&
                  (w.button(i)->geometry().center() - centre / 15).manhattanLength() <= 2);
        }
        auto* area = w.findChild<QScrollArea*>();
        QWidget* message = w.findChild<QWidget*>("Label2");
        QScrollBar* bar = area->verticalScrollBar();
        QVERIFY(bar->isVisible() == (text == tall) && (bar->maximum() > 0) == (text == tall));
        QVERIFY(message->width() <= area->width() &&
                w.button(0)->y() >= area->y() + area->height() &&
                w.rect().contains(w.findChild<QWidget*>("Label3")->geometry()));
        if (!shortWindow) {
          shortWindow = w.height(), shortMessage = message->height();
        } else {
          QVERIFY(message->height() > 3 * QFontMetrics(message->font()).height());
          if (text != tall) QCOMPARE(w.height() - shortWindow, message->height() - shortMessage);
        }
        QTest::mouseClick(w.button(choice), Qt::LeftButton);
      };
      QCOMPARE(Answer(window_, text, captions, check), choice);
    }
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
    QVERIFY(about.isVisible() && !about.isModal() && !QApplication::activeModalWidget());
    QTest::mouseClick(about.okButton(), Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }

 private:
  MessageWindow window_;  // one window shown again and again, as the game has
};

QTEST_MAIN(TestMessageWindow)
#include "test_message_window.moc"
