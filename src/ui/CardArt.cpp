#include "ui/CardArt.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include "state/GameState.h"

namespace larkspur {

namespace {

constexpr const char* SuitNames[4] = {"club", "diamond", "heart", "spade"};
constexpr const char* SuitSymbols[4] = {"\u2663", "\u2666", "\u2665", "\u2660"};

QString faceRankName(int faceRank) {
  switch (faceRank) {
    case 11:
      return QStringLiteral("jack");
    case 12:
      return QStringLiteral("queen");
    case 13:
      return QStringLiteral("king");
    default:
      return QString::number(faceRank);
  }
}

QString faceRankText(int faceRank) {
  switch (faceRank) {
    case 1:
      return QStringLiteral("A");
    case 11:
      return QStringLiteral("J");
    case 12:
      return QStringLiteral("Q");
    case 13:
      return QStringLiteral("K");
    default:
      return QString::number(faceRank);
  }
}

bool isRedSuit(int suit) {
  return suit == 1 || suit == 2;
}

std::unique_ptr<QSvgRenderer> loadDeck(const QString& path) {
  if (!QFile::exists(path)) return nullptr;
  auto renderer = std::make_unique<QSvgRenderer>(path);
  if (!renderer->isValid() || !renderer->elementExists(QStringLiteral("back"))) return nullptr;
  // Read on a worker, drawn on the window's thread.
  if (auto* app = QCoreApplication::instance()) renderer->moveToThread(app->thread());
  return renderer;
}

}  // namespace

QString deckElementId(int image) {
  if (image < 1 || image > CardCount) return QStringLiteral("back");
  const CardFace face = FaceOfCard(image);
  if (face.faceRank == 0)
    return face.redJoker ? QStringLiteral("red_joker") : QStringLiteral("black_joker");
  return faceRankName(face.faceRank) + QLatin1Char('_') + QLatin1String(SuitNames[face.suit]);
}

void drawFallbackCard(QPainter& p, const QRectF& rect, int image) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF card = rect.adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = rect.width() / 12;
  if (image < 1 || image > CardCount) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(30, 50, 140));
    p.drawRoundedRect(card, radius, radius);
    p.setPen(QPen(QColor(120, 150, 230), 1));
    const QRectF inner = card.adjusted(4, 4, -4, -4);
    p.setClipRect(inner);
    for (qreal x = inner.left() - inner.height(); x < inner.right(); x += 6)
      p.drawLine(QPointF(x, inner.bottom()), QPointF(x + inner.height(), inner.top()));
    p.restore();
    return;
  }
  const CardFace face = FaceOfCard(image);
  const bool red = face.faceRank == 0 ? face.redJoker : isRedSuit(face.suit);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(card, radius, radius);
  p.setPen(red ? QColor(200, 0, 0) : Qt::black);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(qMax(6, qRound(rect.height() / 6)));
  p.setFont(font);
  const QRectF corner = card.adjusted(3, 2, -3, -2);
  if (face.faceRank == 0) {
    p.drawText(card, Qt::AlignCenter, QStringLiteral("JOKER"));
  } else {
    const QString symbol = QString::fromUtf8(SuitSymbols[face.suit]);
    p.drawText(corner, Qt::AlignLeft | Qt::AlignTop, faceRankText(face.faceRank) + '\n' + symbol);
    font.setPixelSize(qMax(8, qRound(rect.height() / 3)));
    p.setFont(font);
    p.drawText(card, Qt::AlignCenter, symbol);
  }
  p.restore();
}

CardArt::CardArt(const QString& deckPath)
    : loading_(std::async(std::launch::async, [deckPath] { return loadDeck(deckPath); })) {}

CardArt::~CardArt() {
  if (loading_.valid()) loading_.wait();
}

QSvgRenderer* CardArt::renderer() {
  if (!loaded_) {
    renderer_ = loading_.get();
    loaded_ = true;
  }
  return renderer_.get();
}

bool CardArt::hasDeck() {
  return renderer() != nullptr;
}

QPixmap CardArt::render(int image, QSize size, qreal dpr) {
  QPixmap pixmap(size * dpr);
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const QRectF rect(QPointF(0, 0), QSizeF(size));
  if (QSvgRenderer* svg = renderer()) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg->render(&p, deckElementId(image), rect);
  } else {
    drawFallbackCard(p, rect, image);
  }
  return pixmap;
}

QPixmap CardArt::pixmap(int image, QSize size, qreal dpr) {
  if (image < 1 || image > BackImage) image = BackImage;
  if (size.isEmpty()) return {};
  if (size != cacheSize_ || dpr != cacheDpr_) {
    cache_.fill(QPixmap());
    cacheSize_ = size;
    cacheDpr_ = dpr;
  }
  QPixmap& cached = cache_[static_cast<std::size_t>(image)];
  if (cached.isNull()) cached = render(image, size, dpr);
  return cached;
}

}  // namespace larkspur
