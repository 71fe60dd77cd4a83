// Card faces for the card numbers, plain cards without the deck, and sharp
// cards on a dense screen (this program runs at two device pixels a pixel).
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "ui/CardArt.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

class TestCardArt : public QObject {
  Q_OBJECT

 private slots:
  // The deck's names for the card numbers (the faces themselves are the game's).
  void faces() {
    for (const auto& [card, id] :
         {std::pair{1, "red_joker"}, {96, "king_spade"}, {97, "1_club"}, {BackImage, "back"}})
      QCOMPARE(deckElementId(card), QString(id));
    if (!QFile::exists(LARKSPUR_CARD_DECK)) QSKIP("the card deck is not installed");
    QSvgRenderer deck(QStringLiteral(LARKSPUR_CARD_DECK));
    for (int image = 1; image <= BackImage; ++image)
      QVERIFY2(deck.elementExists(deckElementId(image)), qPrintable(deckElementId(image)));
  }

  // The back read alone for start-up, drawn ahead at the table's card size or
  // later at another, is the deck's own back; one that cannot be cut out of its
  // deck is drawn from the whole deck.
  void theBackAloneIsTheDecksBack() {
    QTemporaryDir dir;
    QFile odd(dir.filePath("odd.svg"));
    QVERIFY(odd.open(QIODevice::WriteOnly));
    odd.write(
        "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='20'><g id='back'>"
        "<rect width='20' height='20' fill='#00ff00'/><rect width='5' height='5' "
        "style='fill:url(#nowhere)'/>"
        "</g></svg>");
    odd.close();
    QVERIFY(deckBackDocument(readDeck(odd.fileName())).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("#nowhere"));
    QCOMPARE(
        CardArt(odd.fileName()).pixmap(BackImage, QSize(71, 96), 1.0).toImage().pixelColor(60, 60),
        QColor(0, 255, 0));

    if (!QFile::exists(LARKSPUR_CARD_DECK)) QSKIP("the card deck is not installed");
    QVERIFY(!deckBackDocument(readDeck(QStringLiteral(LARKSPUR_CARD_DECK))).isEmpty());
    QSvgRenderer whole(QStringLiteral(LARKSPUR_CARD_DECK));
    CardArt art;
    for (const QSize size : {QSize(71, 96), QSize(35, 48)}) {
      QImage wanted(size * 2, QImage::Format_ARGB32_Premultiplied);
      wanted.setDevicePixelRatio(2);
      wanted.fill(Qt::transparent);
      QPainter p(&wanted);
      p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
      whole.render(&p, QStringLiteral("back"), QRectF(QPointF(0, 0), QSizeF(size)));
      p.end();
      QCOMPARE(art.pixmap(BackImage, size, 2.0).toImage(), wanted);
    }
  }

  void withoutTheDeckCardsAreStillDrawn() {
    CardArt art(QStringLiteral("/nonexistent/deck.svgz"));
    QVERIFY(!art.hasDeck());
    QImage last;
    for (int image : {1, 2, 13, 96, 105, BackImage}) {
      const QImage picture = art.pixmap(image, QSize(71, 96), 1.0).toImage();
      QCOMPARE(picture.size(), QSize(71, 96));
      QCOMPARE(picture.pixelColor(35, 48).alpha(), 255);
      QVERIFY(picture != last);
      last = picture;
    }
  }

  // The table keeps its layout; a card shows exactly its picture rendered at twice
  // the density, nothing scaled up (leaving out the corners, where the table shows).
  void cardsAreSharpOnADenseScreen() {
    QTemporaryDir dir;
    TableWindow window;
    window.host().setPlayerFileFolder(dir.path());
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.devicePixelRatioF(), 2.0);
    QCOMPARE(window.centralWidget()->size(), QSize(1061, 762));
    window.game().Table.PicCards[96].Image = 96;
    window.syncFromModel();
    const QImage drawn = window.findChild<CardWidget*>("PicCards_96")->grab().toImage();
    const QImage wanted = CardArt().pixmap(96, QSize(71, 96), 2.0).toImage();
    QCOMPARE(drawn.size(), QSize(142, 192));
    QCOMPARE(drawn.copy(12, 12, 118, 168).convertToFormat(QImage::Format_RGB32),
             wanted.copy(12, 12, 118, 168).convertToFormat(QImage::Format_RGB32));
  }
};

int main(int argc, char* argv[]) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  // The table window reads per-user settings: the tests' own, empty ones.
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  TestCardArt test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_card_art.moc"
