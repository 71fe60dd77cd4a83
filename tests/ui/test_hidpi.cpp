// On a dense screen the table keeps its layout and the cards stay sharp.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "ui/CardArt.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

class TestHiDpi : public QObject {
  Q_OBJECT

 private slots:
  void cardsAreDrawnAtDevicePixels() {
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir dir;
    TableWindow window;
    window.host().setProgramFolder(dir.path());
    window.host().setQuitOnEnd(false);
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.devicePixelRatioF(), 2.0);
    QCOMPARE(window.centralWidget()->size(), QSize(1061, 762));

    window.game().Table.PicCards[96].Image = 96;
    window.syncFromModel();
    auto* card = window.findChild<CardWidget*>("PicCards_96");
    QCOMPARE(card->size(), QSize(71, 96));
    const QPixmap shown = card->grab();
    QCOMPARE(shown.size(), QSize(142, 192));
    // Exactly the picture rendered for two device pixels a pixel, nothing
    // scaled up (the rounded corners show the table, so they are left out).
    CardArt art;
    const QImage drawn = shown.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage wanted = art.pixmap(96, QSize(71, 96), 2.0).toImage();
    QCOMPARE(wanted.size(), drawn.size());
    int differing = 0;
    for (int y = 12; y < 180; ++y)
      for (int x = 12; x < 130; ++x)
        differing += drawn.pixel(x, y) != (wanted.pixel(x, y) | 0xFF000000u);
    QCOMPARE(differing, 0);
  }
};

int main(int argc, char* argv[]) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  TestHiDpi test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi.moc"
