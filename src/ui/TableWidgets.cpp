#include "ui/TableWidgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "state/GameState.h"
#include "ui/CardArt.h"

namespace larkspur {

TableSurface::TableSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0, 64, 0));
  if (onPaint) onPaint(p);
}

void TableSurface::resizeEvent(QResizeEvent*) {
  if (onResize) onResize();
}

CardWidget::CardWidget(QWidget* parent, CardArt& art)
    : QWidget(parent), art_(art), image_(BackImage) {
  setMouseTracking(true);
}

void CardWidget::setImage(int image) {
  if (image == image_) return;
  image_ = image;
  update();
}

void CardWidget::setMarked(bool marked) {
  if (marked == marked_) return;
  marked_ = marked;
  update();
}

void CardWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, art_.pixmap(image_, size(), devicePixelRatioF()));
  if (marked_) {
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
}

// Any button, as the game does not ask which one.
void CardWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (onPress) onPress();
}

// A quick second click is a second click on the card.
void CardWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void CardWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (onMove) onMove();
}

TableLabel::TableLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

void TableLabel::mousePressEvent(QMouseEvent* event) {
  if (!onClick) return QLabel::mousePressEvent(event);
  event->accept();
}

// A click is a left-button release over the label that was pressed.
void TableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (!onClick) return QLabel::mouseReleaseEvent(event);
  event->accept();
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) onClick();
}

void TableLabel::mouseMoveEvent(QMouseEvent* event) {
  if (!onMove) return QLabel::mouseMoveEvent(event);
  event->accept();
  onMove();
}

}  // namespace larkspur
