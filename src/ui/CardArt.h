// Card faces and the card back, drawn from a free SVG card deck. Reading the
// whole deck takes longer than bringing up the window, and the table starts
// with nothing but backs on it: so a worker cuts the back out of the deck,
// reads that alone and draws it while the window is built, and the whole deck
// is read when the first face is drawn. Pixmaps are rendered on first use and
// kept until the card size changes. Without the deck a plain, readable card
// is drawn instead.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <array>
#include <future>
#include <memory>

#include "state/CardNames.h"

class QSvgRenderer;
class QPainter;

namespace larkspur {

// The deck's element id for an image number: 1..108 faces, 109 the back.
QString deckElementId(int image);

// The deck's text, unpacked when it is gzip-compressed (.svgz); empty when it
// cannot be read.
QByteArray readDeck(const QString& path);

// The back alone as a small SVG document: the deck's root element holding the
// element "back" and the definitions it paints with, cut out of the deck's
// text. Empty when the deck has no back to cut out.
QByteArray deckBackDocument(const QByteArray& deck);

class CardArt {
 public:
  explicit CardArt(const QString& deckPath = QStringLiteral(LARKSPUR_CARD_DECK));
  ~CardArt();
  CardArt(const CardArt&) = delete;
  CardArt& operator=(const CardArt&) = delete;

  // The picture for image 1..109 at a size in device-independent pixels.
  QPixmap pixmap(int image, QSize size, qreal devicePixelRatio);
  // True when the SVG deck could be read (reads it if that is not done yet).
  bool hasDeck();

 private:
  QSvgRenderer* back();
  QSvgRenderer* deck();
  QPixmap render(int image, QSize size, qreal dpr);

  QString deckPath_;
  // What the worker makes: the back alone, read from the deck, and drawn at
  // the size the window first shows it.
  struct Back {
    std::unique_ptr<QSvgRenderer> renderer;
    QImage picture;
  };
  std::future<Back> backLoading_;
  std::unique_ptr<QSvgRenderer> back_;
  QImage backPicture_;
  std::unique_ptr<QSvgRenderer> deck_;
  bool backLoaded_ = false;
  bool deckLoaded_ = false;
  std::array<QPixmap, 110> cache_{};
  QSize cacheSize_;
  qreal cacheDpr_ = 0;
};

// The plain card used when there is no deck: rank and suit as text.
void drawFallbackCard(QPainter& painter, const QRectF& rect, int image);

}  // namespace larkspur
