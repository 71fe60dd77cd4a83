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
    window.host().setProgramFolder(dir.path());
    window.host().setQuitOnEnd(false);
    window.load();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Game& g = window.game();
    auto hand = [&g](int discard) {
      g.Log.Clear();  // as a new hand clears it
      g.LogMove(HandMove::StockDraw, Robot, FirstAce);
      g.LogMove(HandMove::StockDraw, Robot, FirstAce + 1);
      g.LogMove(HandMove::Discard, Human, discard);
      g.MeldPoints[Human] = 120;
      g.GameScore[Human] += 120;
      g.NoteHandOnSheet({0, 120, 0});
    };
    hand(FirstFour);
    hand(FirstFour + 1);
    auto* item = window.findChild<QAction*>("MnuScoreSheet");
    QVERIFY(item && window.findChild<QMenu*>("MnuPlay")->actions().contains(item));
    QCOMPARE(item->text(), QString("Score &Sheet"));
    QCOMPARE(item->shortcut(), QKeySequence("Ctrl+H"));

    g.Table.MnuPlayEnabled = false;  // as in the deal
    window.syncFromModel();
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    auto* sheet = window.findChild<ScoreSheetWindow*>();
    QVERIFY(sheet && sheet->isVisible());
    QCOMPARE(sheet->pages()->tabText(0), QString("Score Sheet"));
    QCOMPARE(sheet->pages()->tabText(1), QString("Hand Log"));
    QCOMPARE(sheet->sheet()->rowCount(), 2);
    QCOMPARE(sheet->sheet()->item(1, 5)->text(), QString("240"));  // your game total
    const QString lines =
        "Barnaby drew two cards from the stock\n"
        "You discarded the four of diamonds\nThe stock ran out";
    QCOMPARE(sheet->log()->toPlainText(), lines);

    hand(FirstFour + 2);
    g.Log.Clear();
    g.LogMove(HandMove::Discard, Robot, FirstAce + 2);
    window.syncFromModel();
    QCOMPARE(sheet->sheet()->rowCount(), 3);
    QCOMPARE(sheet->log()->toPlainText(), QString("Barnaby discarded the ace of hearts"));

    QClipboard* clipboard = QApplication::clipboard();
    sheet->pages()->setCurrentIndex(0);
    QTest::mouseClick(sheet->copyButton(), Qt::LeftButton);
    const QStringList rows = clipboard->text().split('\n');
    QCOMPARE(rows.size(), 5);  // the headings, three hands and the last line's end
    QVERIFY(rows[0].startsWith("Hand\tYour melds\tYour bonuses\t"));
    QCOMPARE(rows[3], QString("3\t120\t0\t0\t120\t360\t0\t0\t0\t0\t0\t0"));
    sheet->pages()->setCurrentIndex(1);
    QTest::keyClick(sheet->log(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString("Barnaby discarded the ace of hearts\n"));

    sheet->hide();
    g.Table.MnuPlayEnabled = true;
    window.syncFromModel();
    item->trigger();
    QVERIFY(sheet->isVisible());
  }
};

QTEST_MAIN(TestScoreSheet)
#include "test_score_sheet.moc"
