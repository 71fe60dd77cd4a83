// The widgets the table is drawn with: the green table, the card pictures
// and the labels. They only draw and report pointer events.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <functional>

class QKeyEvent;
class QPainter;

namespace larkspur {

class CardArt;

// The green table itself; the window paints the meld area and the pile's frame on it.
class TableSurface : public QWidget {
 public:
  explicit TableSurface(QWidget* parent);
  std::function<void()> onResize;
  std::function<void(QPainter&)> onPaint;
  // The table's keys, and Tab or Shift+Tab (next false); each says whether it used the key.
  std::function<bool(QKeyEvent*)> onKey;
  std::function<bool(bool next)> onTab;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
};

// The outlines drawn over the cards: the keyboard's focus ring and the hint's
// outline, each a bright line with a dark edge that reads on the baize and on
// card faces alike. It fills its parent and takes no clicks; an empty
// rectangle draws nothing.
class TableMarks : public QWidget {
 public:
  static constexpr QColor kRingColor{255, 255, 0};
  static constexpr QColor kHintColor{0, 255, 255};

  explicit TableMarks(QWidget* parent);
  void setMarks(const QRect& ring, const QRect& hint);
  QRect ring() const { return ring_; }
  QRect hint() const { return hint_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect ring_, hint_;
};

// Shows the widget's tooltip at a point exactly as it is written. A tooltip
// may hold a name, and Qt would read one that looks like markup as formatted
// text, even fetching the pictures it names.
void showPlainToolTip(QWidget* widget, const QPoint& at);

// One card picture: shows a face or the back and reports presses and moves.
class CardWidget : public QWidget {
 public:
  CardWidget(QWidget* parent, CardArt& art);
  std::function<void()> onPress;
  std::function<void()> onMove;

  void setImage(int image);
  int image() const { return image_; }
  // A chosen wild card carries a border.
  void setMarked(bool marked);
  bool marked() const { return marked_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  CardArt& art_;
  int image_;
  bool marked_ = false;
};

// A button of the results frame. The focus is drawn as the message window
// draws it, a dotted ring just inside the raised edge, where the style's own
// mark is a faint line. The keys it leaves go to the table (TableWindowKeys.cpp).
class FrameButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  // The letter drawn underlined, in lower case; none without one.
  QChar mnemonic() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The target frame's entry box: Return confirms it, Escape leaves it.
class TargetBox : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  std::function<void()> onReturn;
  std::function<void()> onEscape;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A label of the table, its caption and tooltip shown as plain text; the meld
// headings and command labels take clicks.
class TableLabel : public QLabel {
 public:
  explicit TableLabel(QWidget* parent);
  std::function<void()> onClick;
  std::function<void()> onMove;

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool armed_ = false;
};

}  // namespace larkspur
