// The widgets the table is drawn with: the green table, the card pictures
// and the labels. They only draw and report pointer events.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>

class QPainter;

namespace larkspur {

class CardArt;

// The green table itself; the window paints the meld area and the pile's frame on it.
class TableSurface : public QWidget {
 public:
  explicit TableSurface(QWidget* parent);
  std::function<void()> onResize;
  std::function<void(QPainter&)> onPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

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
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  CardArt& art_;
  int image_;
  bool marked_ = false;
};

// A label of the table; the meld headings and command labels take clicks.
class TableLabel : public QLabel {
 public:
  explicit TableLabel(QWidget* parent);
  std::function<void()> onClick;
  std::function<void()> onMove;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool armed_ = false;
};

}  // namespace larkspur
