// Card faces for the card numbers, the deck's pictures and the plain cards
// drawn without it.
#include <QFile>
#include <QImage>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <map>

#include "state/Game.h"
#include "table/TableModel.h"
#include "ui/CardArt.h"

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
      if (c >= 105) QVERIFY2(f.faceRank == 3 && (f.suit == 1 || f.suit == 2), "red threes");
      if (c >= 13 && c <= 16)
        QVERIFY2(f.faceRank == 3 && (f.suit == 0 || f.suit == 3), "black threes");
      const int rank = RankOfCard(c);
      QCOMPARE(f.faceRank, rank == RankRedThree ? 3 : rank);
    }
    QCOMPARE(red, 2);
    QCOMPARE(black, 2);
    QCOMPARE(seen.size(), std::size_t(52));
    for (const auto& [face, count] : seen) QCOMPARE(count, 2);
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
    QCOMPARE(deckElementId(96), QString("king_spade"));
    QCOMPARE(deckElementId(1), QString("red_joker"));
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
};

QTEST_MAIN(TestCardArt)
#include "test_card_art.moc"
