#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "about/AboutWindow.h"
#include "about/HelpWindow.h"

using larkspur::AboutWindow;
using larkspur::HelpWindow;

class TestHelpAbout : public QObject {
  Q_OBJECT

 private slots:
  void helpShowsTheRulesUntilClosed() {
    HelpWindow help;
    QCOMPARE(help.windowTitle(), QString("Larkspur Help"));
    QString shown;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
      wasModal = QApplication::activeModalWidget() == &help;
      shown = help.textBox()->toPlainText();
      QVERIFY(help.textBox()->isReadOnly());
      QCOMPARE(help.closeButton()->text(), QString("C&lose Me"));
      QTest::mouseClick(help.closeButton(), Qt::LeftButton);
      if (help.isVisible()) help.done(0);  // never hang on a failure
    });
    help.showModal();
    QVERIFY(wasModal);
    QVERIFY(!help.isVisible());
    QVERIFY(shown.startsWith("\t\t\tGeneral Information\n"));
    QVERIFY(shown.endsWith("\nEnjoy Canasta"));
    // The tables keep their own lines, with the dash intact.
    QVERIFY(shown.contains(QString::fromUtf8("\n50 points\t0 \u2013 1495 game score to date\n")));
    QVERIFY(shown.contains("\nJoker - 50 points\nRed Three - 100 points.\n"));

    // Modal again the second time.
    wasModal = false;
    QTimer::singleShot(0, [&] {
      wasModal = QApplication::activeModalWidget() == &help;
      help.closeButton()->click();
    });
    help.showModal();
    QVERIFY(wasModal);
    QVERIFY(!help.isVisible());
  }

  void aboutNamesTheProduct() {
    AboutWindow about;
    QCOMPARE(about.windowTitle(), QString());
    QCOMPARE(about.productName()->text(), QString("Larkspur"));
    QCOMPARE(about.version()->text(), QString("Version " LARKSPUR_VERSION));
    QVERIFY(!about.platform()->text().isEmpty());
#ifdef Q_OS_LINUX
    QCOMPARE(about.platform()->text(), QString("Linux"));
#endif
    QCOMPARE(about.okButton()->text(), QString("&O.K"));
  }

  void aboutIsModalOnlyTheFirstTime() {
    AboutWindow about;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
      wasModal = QApplication::activeModalWidget() == &about;
      QTest::mouseClick(about.okButton(), Qt::LeftButton);
      if (about.isVisible()) about.done(0);
    });
    about.showFromMenu();  // returns only once O.K is pressed
    QVERIFY(wasModal);
    QVERIFY(!about.isVisible());

    about.showFromMenu();  // returns at once
    QVERIFY(about.isVisible());
    QVERIFY(!about.isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    about.showFromMenu();  // already up: stays up
    QVERIFY(about.isVisible());
    QTest::mouseClick(about.okButton(), Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }
};

QTEST_MAIN(TestHelpAbout)
#include "test_help_about.moc"
