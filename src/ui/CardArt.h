// Card faces and the card back, drawn from a free SVG card deck. The deck is
// read on a worker thread as soon as the art is made, so the window can be
// built meanwhile; pixmaps are rendered on first use and kept until the card
// size changes. Without the deck a plain, readable card is drawn instead.
#pragma once

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

class CardArt {
 public:
  explicit CardArt(const QString& deckPath = QStringLiteral(LARKSPUR_CARD_DECK));
  ~CardArt();
  CardArt(const CardArt&) = delete;
  CardArt& operator=(const CardArt&) = delete;

  // The picture for image 1..109 at a size in device-independent pixels.
  QPixmap pixmap(int image, QSize size, qreal devicePixelRatio);
  // True when the SVG deck could be read (waits for the worker if needed).
  bool hasDeck();

 private:
  QSvgRenderer* renderer();
  QPixmap render(int image, QSize size, qreal dpr);

  std::future<std::unique_ptr<QSvgRenderer>> loading_;
  std::unique_ptr<QSvgRenderer> renderer_;
  bool loaded_ = false;
  std::array<QPixmap, 110> cache_{};
  QSize cacheSize_;
  qreal cacheDpr_ = 0;
};

// The plain card used when there is no deck: rank and suit as text.
void drawFallbackCard(QPainter& painter, const QRectF& rect, int image);

}  // namespace larkspur
