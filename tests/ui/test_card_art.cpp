// Card faces for the card numbers, the deck's pictures and the plain cards
// drawn without it, and the pointer images.
#include <QFile>
#include <QImage>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <map>

#include "state/Game.h"
#include "table/TableModel.h"
#include "ui/CardArt.h"
#include "ui/Icons.h"

using namespace larkspur;

namespace {

int opaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 0;
  return n;
}

int distinctColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  return colours.size();
}

}  // namespace

class TestCardArt : public QObject {
  Q_OBJECT

 private slots:
  // Two ordinary packs and four jokers, in the order of the card numbers.
  void facesFormTwoPacks() {
    std::map<std::pair<int, int>, int> seen;
    int red = 0, black = 0;
    for (int c = 1; c <= CardCount; ++c) {
      const CardFace f = faceOfCard(c);
      QVERIFY(f.suit >= 0 && f.suit < 4);
      if (f.faceRank == 0) {
        QVERIFY2(c <= 4, "only cards 1 to 4 are jokers");
        (f.redJoker ? red : black)++;
        continue;
      }
      ++seen[{f.faceRank, f.suit}];
    }
    QCOMPARE(red, 2);
    QCOMPARE(black, 2);
    QCOMPARE(seen.size(), std::size_t(52));
    for (const auto& [face, count] : seen) QCOMPARE(count, 2);
  }

  void facesFollowTheRanks() {
    const int faceRankOf[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 3, 0};
    for (int c = 1; c <= CardCount; ++c) {
      const int rank = RankOfCard(c);
      QCOMPARE(faceOfCard(c).faceRank, faceRankOf[rank]);
      const int suit = faceOfCard(c).suit;
      if (rank == RankRedThree) QVERIFY(suit == 1 || suit == 2);
      if (rank == RankBlackThree) QVERIFY(suit == 0 || suit == 3);
    }
    // Each rank's eight cards show each suit twice.
    for (int first = 17; first <= 97; first += 8) {
      int perSuit[4] = {};
      for (int c = first; c < first + 8; ++c) ++perSuit[faceOfCard(c).suit];
      for (int n : perSuit) QCOMPARE(n, 2);
    }
  }

  void elementIds() {
    QCOMPARE(deckElementId(BackImage), QString("back"));
    QCOMPARE(deckElementId(97), QString("1_club"));
    QCOMPARE(deckElementId(13), QString("3_club"));
    QCOMPARE(deckElementId(106), QString("3_diamond"));
    QCOMPARE(deckElementId(96), QString("king_spade"));
    QCOMPARE(deckElementId(1), QString("red_joker"));
    QCOMPARE(deckElementId(2), QString("black_joker"));
    if (!QFile::exists(LARKSPUR_CARD_DECK)) QSKIP("the card deck is not installed");
    QSvgRenderer deck(QStringLiteral(LARKSPUR_CARD_DECK));
    for (int image = 1; image <= BackImage; ++image)
      QVERIFY2(deck.elementExists(deckElementId(image)), qPrintable(deckElementId(image)));
  }

  void picturesAreCachedPerSize() {
    CardArt art;
    const QSize size(71, 96);
    const QPixmap back = art.pixmap(BackImage, size, 1.0);
    QCOMPARE(back.size(), size);
    QCOMPARE(art.pixmap(BackImage, size, 1.0).cacheKey(), back.cacheKey());
    // Sharp on dense screens: twice the pixels for a device pixel ratio of 2.
    const QPixmap dense = art.pixmap(BackImage, size, 2.0);
    QCOMPARE(dense.size(), size * 2);
    QCOMPARE(dense.devicePixelRatio(), 2.0);
    QVERIFY(dense.cacheKey() != back.cacheKey());
    // Unknown images show the back.
    QCOMPARE(art.pixmap(0, size, 2.0).cacheKey(), dense.cacheKey());
    // Faces differ from each other and from the back.
    const QImage king = art.pixmap(96, size, 1.0).toImage();
    const QImage joker = art.pixmap(1, size, 1.0).toImage();
    QVERIFY(king != joker);
    QVERIFY(king != art.pixmap(BackImage, size, 1.0).toImage());
    QVERIFY(opaquePixels(king) > 71 * 96 * 9 / 10);
  }

  void withoutTheDeckCardsAreStillDrawn() {
    CardArt art(QStringLiteral("/nonexistent/deck.svgz"));
    QVERIFY(!art.hasDeck());
    const QSize size(71, 96);
    QImage seen;
    for (int image : {1, 2, 13, 96, 105, BackImage}) {
      const QImage picture = art.pixmap(image, size, 1.0).toImage();
      QCOMPARE(picture.size(), size);
      QVERIFY(opaquePixels(picture) > 71 * 96 * 9 / 10);
      QVERIFY(distinctColours(picture) > 2);  // something is written on it
      QVERIFY(picture != seen);
      seen = picture;
    }
  }

  void pointerImages() {
    const QImage act = pointerPixmap(PointerAct).toImage();
    const QImage refuse = pointerPixmap(PointerRefuse).toImage();
    QCOMPARE(act.size(), QSize(32, 32));
    QCOMPARE(refuse.size(), QSize(32, 32));
    QVERIFY(act != refuse);
    QVERIFY(opaquePixels(act) > 100 && opaquePixels(refuse) > 100);
    QVERIFY(pointerPixmap(3).isNull());
    QCOMPARE(pointerCursor(PointerAct).shape(), Qt::BitmapCursor);
    QCOMPARE(pointerCursor(0).shape(), Qt::ArrowCursor);
    QVERIFY(!windowIcon().isNull());
  }
};

QTEST_MAIN(TestCardArt)
#include "test_card_art.moc"
