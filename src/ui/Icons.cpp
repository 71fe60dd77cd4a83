#include "ui/Icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include "table/TableModel.h"

namespace larkspur {

namespace {

constexpr int IconSize = 32;

QPixmap blankPixmap(qreal dpr) {
  QPixmap pixmap(qRound(IconSize * dpr), qRound(IconSize * dpr));
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// An ordinary arrow with its tip at the top left corner.
void drawArrow(QPainter& p) {
  QPainterPath arrow;
  arrow.moveTo(1, 1);
  arrow.lineTo(1, 19);
  arrow.lineTo(5.5, 15);
  arrow.lineTo(9, 22);
  arrow.lineTo(12, 20.5);
  arrow.lineTo(8.5, 14);
  arrow.lineTo(14, 14);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::black, 1.2));
  p.setBrush(Qt::white);
  p.drawPath(arrow);
}

// Act: the arrow with a green disc and a white tick, "this click will do something".
void drawAct(QPainter& p) {
  drawArrow(p);
  p.setPen(QPen(QColor(0, 70, 0), 1.5));
  p.setBrush(QColor(40, 190, 40));
  p.drawEllipse(QRectF(15.5, 15.5, 15, 15));
  QPen tick(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(tick);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(19, 23.5), QPointF(22, 26.5), QPointF(27, 19.5)}));
}

// Refuse: a red no-entry sign filling the square.
void drawRefuse(QPainter& p) {
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(QColor(210, 20, 20));
  p.drawEllipse(QRectF(2, 2, 28, 28));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(7, 13.5, 18, 5), 1.5, 1.5);
}

}  // namespace

QPixmap pointerPixmap(int image, qreal devicePixelRatio) {
  if (image != PointerAct && image != PointerRefuse) return {};
  QPixmap pixmap = blankPixmap(devicePixelRatio);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (image == PointerAct)
    drawAct(p);
  else
    drawRefuse(p);
  return pixmap;
}

QCursor pointerCursor(int image) {
  const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  const QPixmap pixmap = pointerPixmap(image, dpr);
  if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
  // The act arrow points with its tip; the refuse sign is aimed by its centre.
  return image == PointerAct ? QCursor(pixmap, 1, 1) : QCursor(pixmap, 16, 16);
}

QIcon windowIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Two fanned cards on a green baize disc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 100, 0));
    p.drawEllipse(QRectF(0.5, 0.5, 31, 31));
    const struct {
      qreal angle;
      QColor pip;
      const char* suit;
    } cards[] = {{-14, Qt::black, "\u2660"}, {12, QColor(200, 0, 0), "\u2665"}};
    for (const auto& card : cards) {
      p.save();
      p.translate(16, 18);
      p.rotate(card.angle);
      p.setPen(QPen(QColor(40, 40, 40), 0.8));
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(-7, -11, 14, 20), 2, 2);
      p.setPen(card.pip);
      QFont font = p.font();
      font.setPixelSize(12);
      p.setFont(font);
      p.drawText(QRectF(-7, -11, 14, 20), Qt::AlignCenter, QString::fromUtf8(card.suit));
      p.restore();
    }
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace larkspur
