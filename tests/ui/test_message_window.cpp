#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialog/MessageWindow.h"

using larkspur::DeluxeMessage;
using larkspur::MessageWindow;

namespace {

// Shows m and runs whileShown on the waiting window; whatever whileShown
// leaves undecided is taken down so that a failed check cannot hang the test.
int Answer(MessageWindow& window, const DeluxeMessage& m,
           const std::function<void(MessageWindow&)>& whileShown) {
  QTimer::singleShot(0, [&] {
    MessageWindow* shown = MessageWindow::current();
    if (shown) whileShown(*shown);
    if (MessageWindow::current()) MessageWindow::current()->cancel();
  });
  return window.showMessage(m);
}

QPoint Centre(QWidget* w) {
  return w->rect().center();
}

DeluxeMessage Message(const std::string& text, const std::string& b0, const std::string& b1 = "",
                      const std::string& b2 = "") {
  return DeluxeMessage{text, b0, b1, b2, 1, "Really Exit?"};
}

}  // namespace

class TestMessageWindow : public QObject {
  Q_OBJECT

 private slots:
  void buttonsFollowCaptions_data() {
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<bool>>("shown");
    QTest::newRow("one") << QStringList{"O.K", "", ""} << QList<bool>{true, false, false};
    QTest::newRow("two") << QStringList{"Yes Exit", "Carry On", ""}
                         << QList<bool>{true, true, false};
    QTest::newRow("three") << QStringList{"Yes", "No", "Maybe"} << QList<bool>{true, true, true};
    QTest::newRow("no middle") << QStringList{"Yes", "", "Maybe"} << QList<bool>{true, false, true};
  }

  void buttonsFollowCaptions() {
    QFETCH(QStringList, captions);
    QFETCH(QList<bool>, shown);
    MessageWindow window;
    const DeluxeMessage m = Message("Player do you really wish to exit?", captions[0].toStdString(),
                                    captions[1].toStdString(), captions[2].toStdString());
    Answer(window, m, [&](MessageWindow& w) {
      QCOMPARE(&w, &window);
      QVERIFY(w.isModal());
      QCOMPARE(w.titleText(), QString("   Really Exit?"));
      QCOMPARE(w.messageText(), QString("Player do you really wish to exit?"));
      for (int i = 0; i < 3; ++i) {
        QCOMPARE(w.isButtonShown(i), shown[i]);
        QCOMPARE(w.caption(i), captions[i]);
      }
      // Shown buttons share one row; spread around the middle one they do not
      // overlap (without it the third keeps its design place, touching the first).
      QWidget* b0 = w.button(0);
      for (int i = 1; i < 3; ++i) {
        if (!shown[i]) continue;
        QCOMPARE(w.button(i)->y(), b0->y());
        if (shown[1]) QVERIFY(!w.button(i)->geometry().intersects(w.button(i - 1)->geometry()));
      }
      w.clickButton(0);
    });
    QVERIFY(!window.isVisible());
    QVERIFY(!MessageWindow::current());
  }

  void clickChoosesTheButton() {
    MessageWindow window;
    for (int choice = 0; choice < 3; ++choice) {
      const int result =
          Answer(window, Message("Pick one", "Yes", "No", "Maybe"), [&](MessageWindow& w) {
            QTest::mousePress(w.button(choice), Qt::LeftButton, {}, Centre(w.button(choice)));
            QVERIFY(w.isButtonPressed(choice));
            QTest::mouseRelease(w.button(choice), Qt::LeftButton, {}, Centre(w.button(choice)));
          });
      QCOMPARE(result, choice);
      QVERIFY(!window.isVisible());
    }
    // A hidden button cannot be chosen.
    const int result = Answer(window, Message("Only one", "O.K"), [](MessageWindow& w) {
      w.clickButton(1);
      QVERIFY(w.isVisible());
      w.clickButton(0);
    });
    QCOMPARE(result, 0);
  }

  void noChoiceWithoutAPrimaryClickOnTheCaption() {
    MessageWindow window;
    const int result =
        Answer(window, Message("Quit?", "Yes-Exit", "No Cancel"), [](MessageWindow& w) {
          QWidget* yes = w.button(0);
          QWidget* no = w.button(1);
          // Pressed on a caption, released away from it: drawn pressed, still open.
          QTest::mousePress(yes, Qt::LeftButton, {}, Centre(yes));
          QTest::mouseRelease(yes, Qt::LeftButton, {}, QPoint(-40, Centre(yes).y()));
          QVERIFY(w.isVisible());
          QVERIFY(w.isButtonPressed(0));

          // A secondary button sinks the caption but never chooses it.
          QTest::mousePress(no, Qt::RightButton, {}, Centre(no));
          QVERIFY(w.isButtonPressed(1));
          QTest::mouseRelease(no, Qt::RightButton, {}, Centre(no));
          QVERIFY(w.isVisible());

          // Keys do not answer the question.
          QTest::keyClick(&w, Qt::Key_Escape);
          QTest::keyClick(&w, Qt::Key_Return);
          QTest::keyClick(&w, Qt::Key_Space);
          w.close();
          QVERIFY(w.isVisible());

          QTest::mouseClick(no, Qt::LeftButton, {}, Centre(no));
        });
    QCOMPARE(result, 1);

    // The next showing is drawn raised again.
    Answer(window, Message("Quit?", "Yes-Exit", "No Cancel"), [](MessageWindow& w) {
      QVERIFY(!w.isButtonPressed(0));
      QVERIFY(!w.isButtonPressed(1));
      w.clickButton(0);
    });

    // Taken down without a click, the window reports no choice.
    QCOMPARE(Answer(window, Message("Bye", "O.K"), [](MessageWindow& w) { w.cancel(); }), -1);
  }

  void windowGrowsWithTheMessage() {
    MessageWindow window;
    QString longText;
    for (int i = 0; i < 12; ++i) longText += "Player you have an unfinished Meld to complete. ";

    struct Seen {
      int height, messageHeight, buttonGap, pictureCentre;
    };
    auto measure = [&](const QString& text) {
      Seen seen{};
      Answer(window, Message(text.toStdString(), "Right"), [&](MessageWindow& w) {
        QWidget* message = w.findChild<QWidget*>("Label2");
        QWidget* picture = w.findChild<QWidget*>("Picture1");
        QVERIFY(message && picture);
        seen = {w.height(), message->height(), w.height() - w.button(0)->geometry().bottom() - 1,
                picture->geometry().center().y()};
        QVERIFY(w.button(0)->y() >= message->geometry().bottom());
        w.clickButton(0);
      });
      return seen;
    };

    const Seen small = measure("Short.");
    const Seen large = measure(longText);
    QVERIFY(large.messageHeight > 3 * small.messageHeight);
    QCOMPARE(large.height - small.height, large.messageHeight - small.messageHeight);
    QCOMPARE(small.buttonGap, 6);  // 90 twips
    QCOMPARE(large.buttonGap, 6);
    QVERIFY(qAbs(large.pictureCentre - large.height / 2) <= 1);
    QVERIFY(qAbs(small.pictureCentre - small.height / 2) <= 1);
  }

  void sharedWindowIsKept() {
    MessageWindow& first = MessageWindow::shared();
    Answer(first, Message("Hello", "O.K"), [](MessageWindow& w) { w.clickButton(0); });
    QCOMPARE(&MessageWindow::shared(), &first);
    QVERIFY(!first.isVisible());
    MessageWindow::destroyShared();
  }
};

QTEST_MAIN(TestMessageWindow)
#include "test_message_window.moc"
