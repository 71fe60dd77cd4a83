// Card faces for the card numbers, the plain cards drawn without the deck,
// and cards drawn sharp on a dense screen (this program runs at twice the
// pixels per point).
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "state/Game.h"
#include "ui/CardArt.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

class TestCardArt : public QObject {
  Q_OBJECT

 private slots:
  // Two ordinary packs and four jokers in the order of the card numbers; the
  // deck's names for them.
  void faces() {
    for (const auto& [card, id] :
         {std::pair{1, "red_joker"}, {96, "king_spade"}, {97, "1_club"}, {BackImage, "back"}})
      QCOMPARE(deckElementId(card), QString(id));
    std::map<std::pair<int, int>, int> seen;
    for (int c = 1; c <= CardCount; ++c) {
      const CardFace f = FaceOfCard(c);
      const int rank = RankOfCard(c);
      QCOMPARE(f.faceRank, rank == RankRedThree ? 3 : rank == RankJoker ? 0 : rank);
      if (rank == RankRedThree || rank == RankBlackThree)
        QCOMPARE(f.suit == 1 || f.suit == 2, rank == RankRedThree);
      ++seen[{f.faceRank, f.faceRank ? f.suit : f.redJoker}];
    }
    QCOMPARE(seen.size(), std::size_t(54));
    for (const auto& [face, count] : seen) QCOMPARE(count, 2);
    if (!QFile::exists(LARKSPUR_CARD_DECK)) QSKIP("the card deck is not installed");
    QSvgRenderer deck(QStringLiteral(LARKSPUR_CARD_DECK));
    for (int image = 1; image <= BackImage; ++image)
      QVERIFY2(deck.elementExists(deckElementId(image)), qPrintable(deckElementId(image)));
  }

  // The back cut out of the deck for start-up is the deck's own back, pixel
  // for pixel; a back that cannot be cut out is drawn from the whole deck.
  void theBackAloneIsTheDecksBack() {
    QTemporaryDir dir;
    const QString odd = dir.filePath("odd.svg");
    QFile file(odd);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='20'>"
        "<g id='back'><rect width='20' height='20' fill='#00ff00'/>"
        "<rect width='5' height='5' style='fill:url(#nowhere)'/></g></svg>");
    file.close();
    QVERIFY(deckBackDocument(readDeck(odd)).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("#nowhere"));
    QCOMPARE(CardArt(odd).pixmap(BackImage, QSize(71, 96), 1.0).toImage().pixelColor(60, 60),
             QColor(0, 255, 0));

    if (!QFile::exists(LARKSPUR_CARD_DECK)) QSKIP("the card deck is not installed");
    const QByteArray deck = readDeck(QStringLiteral(LARKSPUR_CARD_DECK));
    const QByteArray back = deckBackDocument(deck);
    QVERIFY(!back.isEmpty() && back.size() < deck.size() / 10);
    QSvgRenderer alone(back), whole(deck);
    for (qreal dpr : {1.0, 2.0}) {
      QImage drawn[2];
      for (QSvgRenderer* svg : {&alone, &whole}) {
        QImage& image = drawn[svg == &whole];
        image = QImage(QSize(71, 96) * dpr, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg->render(&p, QStringLiteral("back"), QRectF(0, 0, image.width(), image.height()));
      }
      QCOMPARE(drawn[0], drawn[1]);
    }
  }

  // The back drawn ahead on the worker, at the table's own card size, is the
  // one the window's thread draws.
  void theBackDrawnAheadIsTheSame() {
    const QSize card(71, 96);
    CardArt ahead, late;
    QVERIFY(!late.pixmap(BackImage, QSize(35, 48), 2.0).isNull());  // not the size drawn ahead
    QCOMPARE(ahead.pixmap(BackImage, card, 2.0).toImage(),
             late.pixmap(BackImage, card, 2.0).toImage());
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

  // The table keeps its layout; a card shows exactly the picture rendered for
  // two device pixels a pixel, nothing scaled up (the rounded corners show
  // the table, so they are left out).
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
