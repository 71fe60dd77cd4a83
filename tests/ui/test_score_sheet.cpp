// The score sheet's window on the real table window: opened with Ctrl+H even
// while the deal rests the Game menu, a row a hand and the hand's moves, kept
// current while open, and copied as plain text.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/ScoreSheetWindow.h"
#include "ui/TableWindow.h"

using namespace larkspur;

class TestScoreSheet : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void opensFromTheMenuStaysCurrentAndCopies() {
    QTemporaryDir dir;
    TableWindow window;
    window.host().setPlayerFileFolder(dir.path());
    window.host().setQuitOnEnd(false);
    window.load();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Game& g = window.game();
    auto hand = [&g](int discard) {  // a hand of one discard and 120 points melded
      g.Log.Clear();
      g.LogMove(HandMove::Discard, Human, discard);
      g.MeldPoints[Human] = 120;
      g.GameScore[Human] += 120;
      g.NoteHandOnSheet({0, 120, 0});
    };
    hand(FirstFour);
    hand(FirstFour + 1);

    g.Table.MnuPlayEnabled = false;  // as in the deal
    window.syncFromModel();
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    auto* sheet = window.findChild<ScoreSheetWindow*>();
    QVERIFY(sheet && sheet->isVisible());
    QCOMPARE(sheet->sheet()->rowCount(), 2);
    QCOMPARE(sheet->sheet()->item(1, 5)->text(), QString("240"));  // your game total
    QCOMPARE(sheet->log()->toPlainText(),
             QString("You discarded the four of diamonds\nThe stock ran out"));
    hand(FirstFour + 2);  // while it is open
    g.LogMove(HandMove::Discard, Robot, FirstAce + 2);
    window.syncFromModel();
    QCOMPARE(sheet->sheet()->rowCount(), 3);
    QVERIFY(sheet->log()->toPlainText().endsWith("\nBarnaby discarded the ace of hearts"));

    QClipboard* clipboard = QApplication::clipboard();
    QTest::mouseClick(sheet->copyButton(), Qt::LeftButton);
    const QStringList rows = clipboard->text().split('\n');
    QCOMPARE(rows.size(), 5);  // the headings, three hands and the last line's end
    QVERIFY(rows[0].startsWith("Hand\tYour melds\tYour bonuses\t"));
    QCOMPARE(rows[3], QString("3\t120\t0\t0\t120\t360\t0\t0\t0\t0\t0\t0"));
    sheet->pages()->setCurrentWidget(sheet->log());
    QTest::keyClick(sheet->log(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(clipboard->text().startsWith("You discarded the four of hearts\nThe stock ran out\n"));

    sheet->hide();  // the menu's item opens it too
    auto* item = window.findChild<QAction*>("MnuScoreSheet");
    QVERIFY(window.findChild<QMenu*>("MnuPlay")->actions().contains(item));
    g.Table.MnuPlayEnabled = true;
    window.syncFromModel();
    item->trigger();
    QVERIFY(sheet->isVisible());
  }
};

QTEST_MAIN(TestScoreSheet)
#include "test_score_sheet.moc"
