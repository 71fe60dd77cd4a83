#include "ui/MessageWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "ui/Units.h"

namespace larkspur {

namespace {

const QColor kTitleBack(0, 0, 64);
const QColor kMessageText(128, 255, 255);
const QColor kCaptionText(192, 255, 255);
const QColor kLight(240, 240, 240);
const QColor kDark(128, 128, 128);

MessageWindow* g_current = nullptr;
MessageWindow* g_shared = nullptr;

QColor ColourOf(EdgeColour c) {
  return c == EdgeColour::Light ? kLight : kDark;
}

// Draws one line of an edge as a strip one pixel wide at the window's own size
// (15 twips a pixel), scaled with the window, which stays sharp at any device
// pixel ratio. unit converts the edge's units to those pixels.
void FillLine(QPainter& p, const EdgeLine& l, double unit, double scale) {
  const double x1 = std::min(l.X1, l.X2) / unit, x2 = std::max(l.X1, l.X2) / unit;
  const double y1 = std::min(l.Y1, l.Y2) / unit, y2 = std::max(l.Y1, l.Y2) / unit;
  p.fillRect(QRectF(x1 * scale, y1 * scale, (x2 - x1 + 1) * scale, (y2 - y1 + 1) * scale),
             ColourOf(l.Colour));
}

void DrawEdge(QPainter& p, const Edge& e, double unit, double scale) {
  const EdgeLine& o = e.Outline;
  FillLine(p, {o.X1, o.Y1, o.X2, o.Y1, o.Colour}, unit, scale);
  FillLine(p, {o.X1, o.Y2, o.X2, o.Y2, o.Colour}, unit, scale);
  FillLine(p, {o.X1, o.Y1, o.X1, o.Y2, o.Colour}, unit, scale);
  FillLine(p, {o.X2, o.Y1, o.X2, o.Y2, o.Colour}, unit, scale);
  for (const EdgeLine& l : e.Lines) FillLine(p, l, unit, scale);
}

QPainterPath HeartPath(QPointF c, double s) {
  QPainterPath heart;
  heart.moveTo(c.x(), c.y() + s * 0.45);
  heart.cubicTo(c.x() - s * 0.75, c.y() - s * 0.05, c.x() - s * 0.45, c.y() - s * 0.7, c.x(),
                c.y() - s * 0.25);
  heart.cubicTo(c.x() + s * 0.45, c.y() - s * 0.7, c.x() + s * 0.75, c.y() - s * 0.05, c.x(),
                c.y() + s * 0.45);
  return heart;
}

}  // namespace

// One of the three button boxes with its caption. A press anywhere on the
// caption sinks it; only a primary-button release over the same caption
// chooses it. Tab reaches it, and the one with the focus shows a dotted ring;
// its mnemonic letter is drawn underlined.
class MessageButton : public QWidget {
 public:
  MessageButton(MessageWindow* owner, int index) : QWidget(owner), owner_(owner), index_(index) {
    setObjectName(QStringLiteral("Pic1_%1").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
  }

  void setCaption(const QString& caption) {
    caption_ = caption;
    mnemonic_ = -1;
    update();
  }
  const QString& caption() const { return caption_; }
  // The caption's letter at position i answers for the button; -1: none.
  void setMnemonic(int i) {
    mnemonic_ = i;
    update();
  }
  QChar mnemonic() const { return mnemonic_ < 0 ? QChar() : caption_.at(mnemonic_).toLower(); }
  bool pressed() const { return pressed_; }
  void setPressed(bool pressed) {
    pressed_ = pressed;
    if (!pressed) armed_ = false;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kNavy);
    const double s = owner_->scale();
    const ButtonFace f = face();
    DrawEdge(p, f.Border, 1.0, s);

    const QRectF area(f.Caption.Left * s, f.Caption.Top * s, f.Caption.Width * s,
                      f.Caption.Height * s);
    // A wide fallback font may not fit a caption Times New Roman fits: shrink it.
    QFont font = serifFont(12, s);
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(caption_) > area.width()) {
      font.setPixelSize(font.pixelSize() - 1);
    }
    p.setFont(font);
    p.setPen(kCaptionText);
    QString shown = caption_;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (mnemonic_ >= 0) shown.insert(mnemonic_ + caption_.left(mnemonic_).count('&'), '&');
    p.drawText(area, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, shown);
    if (hasFocus()) {
      // The focus: a dotted ring just inside the raised edge.
      p.setPen(QPen(kCaptionText, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(area.adjusted(1.5 * s, 1.5 * s, -2.5 * s, -2.5 * s));
    }
  }

  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }

  void mousePressEvent(QMouseEvent* e) override {
    if (!captionRect().contains(e->position())) return;
    pressed_ = true;
    if (e->button() == Qt::LeftButton) armed_ = true;
    update();
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const bool click = armed_ && captionRect().contains(e->position());
    armed_ = false;
    if (click) owner_->choose(index_);
  }

 private:
  ButtonFace face() const {
    const double w = width() / owner_->scale(), h = height() / owner_->scale();
    return pressed_ ? PressedButton(w, h) : RaisedButton(w, h);
  }
  QRectF captionRect() const {
    const double s = owner_->scale();
    const TwipRect c = face().Caption;
    return QRectF(c.Left * s, c.Top * s, c.Width * s, c.Height * s);
  }

  MessageWindow* owner_;
  int index_;
  QString caption_;
  int mnemonic_ = -1;
  bool pressed_ = false;
  bool armed_ = false;
};

namespace {

// The message, drawn as a label draws it, except that a word too long for a
// line (a very long name) breaks anywhere instead of running out of sight.
class MessageText : public QLabel {
 public:
  using QLabel::QLabel;

  static QTextOption wrapping() {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRectF(rect()), text(), wrapping());
  }
};

class MessagePicture : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kNavy);
    const double side = 32.0 * static_cast<MessageWindow*>(parentWidget())->scale();
    const QRectF square((width() - side) / 2, (height() - side) / 2, side, side);
    MessageWindow::paintIcon(p, square);
  }
};

}  // namespace

MessageWindow::MessageWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("MFormDeluxe"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setModal(true);

  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("Label3"));
  title_->setTextFormat(Qt::PlainText);
  title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  title_->setAutoFillBackground(true);
  QPalette titlePalette = title_->palette();
  titlePalette.setColor(QPalette::Window, kTitleBack);
  titlePalette.setColor(QPalette::WindowText, Qt::white);
  title_->setPalette(titlePalette);

  // The message lies in a scroll area that shows a scroll bar only when the
  // message is taller than the screen lets the window be.
  messageArea_ = new QScrollArea(this);
  messageArea_->setFrameShape(QFrame::NoFrame);
  messageArea_->setFocusPolicy(Qt::NoFocus);
  messageArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  message_ = new MessageText;
  message_->setObjectName(QStringLiteral("Label2"));
  message_->setTextFormat(Qt::PlainText);
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette messagePalette = message_->palette();
  messagePalette.setColor(QPalette::Window, kNavy);
  messagePalette.setColor(QPalette::WindowText, kMessageText);
  message_->setPalette(messagePalette);
  messageArea_->viewport()->setPalette(messagePalette);
  messageArea_->setWidget(message_);  // which fills the label's background

  picture_ = new MessagePicture(this);
  picture_->setObjectName(QStringLiteral("Picture1"));

  for (int i = 0; i < 3; ++i) buttons_[i] = new MessageButton(this, i);

  applyFonts();
  resize(toPixels({0, 0, size_.Width, size_.Height}).size());
}

MessageWindow::~MessageWindow() {
  if (g_current == this) g_current = nullptr;
  if (g_shared == this) g_shared = nullptr;
}

MessageWindow& MessageWindow::shared() {
  if (!g_shared) {
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
      // Destroyed while the application object still exists.
      qAddPostRoutine(&MessageWindow::destroyShared);
      cleanupRegistered = true;
    }
    g_shared = new MessageWindow();
  }
  return *g_shared;
}

void MessageWindow::destroyShared() {
  MessageWindow* window = g_shared;
  g_shared = nullptr;
  delete window;
}

MessageWindow* MessageWindow::current() {
  return g_current && g_current->isVisible() ? g_current : nullptr;
}

void MessageWindow::setScale(double scale) {
  scale_ = scale > 0 ? scale : 1.0;
  applyFonts();
  update();
}

void MessageWindow::applyFonts() {
  QFont titleFont = serifFont(9.75, scale_);
  titleFont.setItalic(true);
  titleFont.setUnderline(true);
  title_->setFont(titleFont);
  message_->setFont(serifFont(12, scale_));
}

QRect MessageWindow::toPixels(const TwipRect& r) const {
  return roundedRect(r.Left, r.Top, r.Width, r.Height, [this](double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel * scale_));
  });
}

int MessageWindow::messageHeight(const QString& text, int width) const {
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  painter.setFont(message_->font());
  const QRectF bounds =
      painter.boundingRect(QRectF(0, 0, width, 1 << 20), text, MessageText::wrapping());
  return std::max(bounds.toAlignedRect().height(), QFontMetrics(message_->font()).height());
}

int MessageWindow::showMessage(const DeluxeMessage& m) {
  if (isVisible()) return -1;  // one message at a time

  for (MessageButton* b : buttons_) b->setPressed(false);
  const QString text = QString::fromStdString(m.Message);
  message_->setText(text);

  QScreen* screen = nullptr;
  if (QWidget* active = QApplication::activeWindow()) screen = active->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  const QRect free = screen ? screen->availableGeometry() : area;
  const auto twips = [this](int pixels) { return pixels * double(TwipsPerPixel) / scale_; };
  const TwipSize screenTwips{twips(area.width()), twips(area.height())};
  const TwipRect freeTwips{twips(free.left() - area.left()), twips(free.top() - area.top()),
                           twips(free.width()), twips(free.height())};

  const int fullWidth = toPixels(deluxe::kMessage).width();
  layout_ =
      LayOutDeluxeMessage(m, twips(messageHeight(text, fullWidth)), size_, screenTwips, freeTwips);
  size_ = {layout_.Window.Width, layout_.Window.Height};

  const QRect placed = toPixels(layout_.Window);
  setFixedSize(toPixels({0, 0, layout_.Window.Width, layout_.Window.Height}).size());
  move(area.topLeft() + placed.topLeft());
  title_->setGeometry(toPixels(layout_.Title));
  title_->setText(QString::fromStdString(layout_.TitleText));
  const QRect messagePlace = toPixels(layout_.Message);
  messageArea_->setGeometry(messagePlace);
  if (layout_.MessageScrolls) {
    // Wrapped again beside the scroll bar, as tall as it then needs.
    messageArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int width =
        messagePlace.width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                    messageArea_->verticalScrollBar());
    message_->resize(width, messageHeight(text, width));
  } else {
    messageArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message_->resize(messagePlace.size());
  }
  messageArea_->verticalScrollBar()->setValue(0);
  picture_->setGeometry(toPixels(layout_.Picture));
  for (int i = 0; i < 3; ++i) {
    buttons_[i]->setGeometry(toPixels(layout_.Buttons[i]));
    buttons_[i]->setCaption(QString::fromStdString(layout_.Captions[i]));
    buttons_[i]->setVisible(layout_.ButtonVisible[i]);
  }
  assignMnemonics();
  for (MessageButton* b : buttons_) {
    if (!b->isVisibleTo(this)) continue;
    b->setFocus(Qt::OtherFocusReason);  // the first shown button answers Return
    break;
  }
  setWindowTitle(QString::fromStdString(m.Title));

  choice_ = -1;
  cancelling_ = false;
  MessageWindow* outer = g_current;
  g_current = this;
  QPointer<MessageWindow> alive(this);
  exec();
  g_current = outer;
  if (!alive) return -1;
  if (isVisible()) hide();
  return choice_;
}

void MessageWindow::choose(int i) {
  if (!isVisible()) return;
  choice_ = i;
  QDialog::done(0);
}

void MessageWindow::clickButton(int i) {
  if (i < 0 || i > 2 || !isVisible() || !buttons_[i]->isVisible()) return;
  buttons_[i]->setPressed(true);
  choose(i);
}

void MessageWindow::cancel() {
  if (!isVisible()) return;
  cancelling_ = true;
  choice_ = -1;
  QDialog::done(0);
}

void MessageWindow::reject() {
  // Escape and the window manager's close must not answer the question.
  if (cancelling_) QDialog::reject();
}

// Each shown button answers to a letter of its caption: its first letter, or
// when an earlier button has that one, its next letter no other button has.
void MessageWindow::assignMnemonics() {
  QString used;
  for (MessageButton* b : buttons_) {
    if (!b->isVisibleTo(this)) continue;
    const QString& caption = b->caption();
    for (int i = 0; i < caption.size(); ++i) {
      const QChar letter = caption.at(i).toLower();
      if (!letter.isLetter() || used.contains(letter)) continue;
      b->setMnemonic(i);
      used += letter;
      break;
    }
  }
}

// Return and Space answer the button with the focus (the first one, unless Tab
// has moved it), Escape the last button shown, and a button's underlined letter,
// with or without Alt, that button. Any other key does nothing.
void MessageWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  std::array<int, 3> shown{};
  int count = 0;
  for (int i = 0; i < 3; ++i)
    if (buttons_[i]->isVisible()) shown[count++] = i;
  if (count == 0 || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      for (int i = 0; i < count; ++i)
        if (buttons_[shown[i]]->hasFocus()) return clickButton(shown[i]);
      return clickButton(shown[0]);
    case Qt::Key_Escape:
      return clickButton(shown[count - 1]);
    default:
      break;
  }
  // With Alt held the text may be empty: the key itself names the letter.
  QChar letter = event->text().size() == 1 ? event->text().at(0).toLower() : QChar();
  if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
    letter = QChar(u'a' + (event->key() - Qt::Key_A));
  if (!letter.isLetter()) return;
  for (int i = 0; i < count; ++i)
    if (buttons_[shown[i]]->mnemonic() == letter) return clickButton(shown[i]);
}

QChar MessageWindow::mnemonic(int i) const {
  return buttons_.at(i)->isVisible() ? buttons_.at(i)->mnemonic() : QChar();
}

QString MessageWindow::titleText() const {
  return title_->text();
}
QString MessageWindow::messageText() const {
  return message_->text();
}
QString MessageWindow::caption(int i) const {
  return buttons_.at(i)->caption();
}
bool MessageWindow::isButtonShown(int i) const {
  return buttons_.at(i)->isVisible();
}
bool MessageWindow::isButtonPressed(int i) const {
  return buttons_.at(i)->pressed();
}
QWidget* MessageWindow::button(int i) const {
  return buttons_.at(i);
}

void MessageWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kNavy);
  DrawEdge(p, layout_.Frame, TwipsPerPixel, scale_);
}

void MessageWindow::paintIcon(QPainter& painter, const QRectF& rect) {
  // Two cards fanned in a hand: a blue-backed card behind, the ace of hearts
  // in front.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(rect.topLeft());
  painter.scale(rect.width() / 32.0, rect.height() / 32.0);

  painter.save();
  painter.translate(11, 17);
  painter.rotate(-16);
  painter.setPen(QPen(QColor(240, 240, 240), 1.0));
  painter.setBrush(QColor(30, 70, 190));
  painter.drawRoundedRect(QRectF(-7.5, -11, 15, 22), 2, 2);
  painter.setPen(QPen(QColor(140, 180, 255), 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(-5, -8.5, 10, 17), 1, 1);
  painter.drawLine(QPointF(-5, -8.5), QPointF(5, 8.5));
  painter.drawLine(QPointF(5, -8.5), QPointF(-5, 8.5));
  painter.restore();

  painter.save();
  painter.translate(19.5, 16);
  painter.rotate(12);
  painter.setPen(QPen(QColor(90, 90, 90), 1.0));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(-8, -12, 16, 24), 2, 2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(210, 20, 40));
  painter.drawPath(HeartPath(QPointF(0, 1), 9));
  painter.drawPath(HeartPath(QPointF(-5, -4), 3));
  QFont corner;
  corner.setPixelSize(6);
  corner.setBold(true);
  painter.setFont(corner);
  painter.setPen(QColor(210, 20, 40));
  painter.drawText(QRectF(-7.5, -12, 5, 6), Qt::AlignCenter, QStringLiteral("A"));
  painter.restore();

  painter.restore();
}

}  // namespace larkspur
