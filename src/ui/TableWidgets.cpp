#include "ui/TableWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

#include "table/TableModel.h"
#include "ui/CardArt.h"
#include "ui/Units.h"

namespace larkspur {

TableSurface::TableSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colorFromNumber(BaizeColor));
  if (onPaint) onPaint(p);
}

void TableSurface::resizeEvent(QResizeEvent*) {
  if (onResize) onResize();
}

void TableSurface::keyPressEvent(QKeyEvent* event) {
  if (onKey && onKey(event)) return event->accept();
  QWidget::keyPressEvent(event);
}

bool TableSurface::focusNextPrevChild(bool next) {
  if (onTab && onTab(next)) return true;
  return QWidget::focusNextPrevChild(next);
}

TableMarks::TableMarks(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(parent->rect());
  parent->installEventFilter(this);
}

void TableMarks::setMarks(const QRect& ring, const QRect& hint) {
  if (ring == ring_ && hint == hint_) return;
  QRegion changed;
  for (const QRect& r : {ring_, hint_, ring, hint})
    if (!r.isEmpty()) changed += r;
  ring_ = ring;
  hint_ = hint;
  update(changed);
}

// Stays the size of the table it lies on.
bool TableMarks::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize)
    setGeometry(parentWidget()->rect());
  return false;
}

namespace {

// A line two pixels wide in colour between one-pixel dark edges, just inside r.
void DrawOutline(QPainter& p, const QRect& r, const QColor& colour) {
  const QRectF line = QRectF(r).adjusted(2, 2, -2, -2);
  p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawRect(line);
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawRect(line);
}

}  // namespace

void TableMarks::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setBrush(Qt::NoBrush);
  if (!hint_.isEmpty()) DrawOutline(p, hint_, kHintColor);
  // On the hinted element itself the ring goes inside the hint's outline, so both show.
  if (!ring_.isEmpty())
    DrawOutline(p, ring_ == hint_ ? ring_.adjusted(4, 4, -4, -4) : ring_, kRingColor);
}

void showPlainToolTip(QWidget* widget, const QPoint& at) {
  const QString text = widget->toolTip();
  if (text.isEmpty()) return QToolTip::hideText();
  // Given as formatted text that shows these very characters, it cannot be
  // misread; blanks stay as they are, and the line is not wrapped.
  QToolTip::showText(at, Qt::convertFromPlainText(text, Qt::WhiteSpacePre), widget);
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

bool CardWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  showPlainToolTip(this, static_cast<QHelpEvent*>(event)->globalPos());
  return true;
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

// A double click arrives as press, release, double click, release: its
// press has already reached the game, so the second one is swallowed. The
// first press may have moved the card, and the second would then act on
// whatever card came to lie under the pointer.
void CardWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
}

void CardWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (onMove) onMove();
}

QChar FrameButton::mnemonic() const {
  const QString caption = text();
  for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size();
       i = caption.indexOf(u'&', i + 2)) {
    if (caption.at(i + 1) != u'&') return caption.at(i + 1).toLower();
  }
  return {};
}

void FrameButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.state &= ~QStyle::State_HasFocus;
  p.drawControl(QStyle::CE_PushButton, option);
  if (!hasFocus()) return;
  p.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  const int inset = std::max(3, height() / 8);
  p.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

void TargetBox::keyPressEvent(QKeyEvent* event) {
  std::function<void()> answer;
  if (event->key() == Qt::Key_Escape) answer = onEscape;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) answer = onReturn;
  if (!answer) return QLineEdit::keyPressEvent(event);
  event->accept();
  answer();
}

TableLabel::TableLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

bool TableLabel::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QLabel::event(event);
  showPlainToolTip(this, static_cast<QHelpEvent*>(event)->globalPos());
  return true;
}

void TableLabel::mousePressEvent(QMouseEvent* event) {
  if (!onClick) return QLabel::mousePressEvent(event);
  event->accept();
  if (event->button() == Qt::LeftButton) armed_ = true;
}

// A double click's second press arms nothing, so the release after it is no
// second click.
void TableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!onClick) return QLabel::mouseDoubleClickEvent(event);
  event->accept();
}

// A click is a left-button release over the label that was pressed.
void TableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (!onClick) return QLabel::mouseReleaseEvent(event);
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const bool click = armed_ && rect().contains(event->position().toPoint());
  armed_ = false;
  if (click) onClick();
}

void TableLabel::mouseMoveEvent(QMouseEvent* event) {
  if (!onMove) return QLabel::mouseMoveEvent(event);
  event->accept();
  onMove();
}

}  // namespace larkspur
