// The about window: the product's name, the platform it runs on and its
// version on a navy panel, with a button that puts it away.
#pragma once

#include <QDialog>
#include <QRectF>

class QLabel;
class QPainter;
class QPushButton;

namespace larkspur {

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  // The first call waits until the window is put away; later calls show it
  // and return at once, leaving the table usable behind it.
  void showFromMenu();

  QLabel* productName() const { return product_; }
  QLabel* platform() const { return platform_; }
  QLabel* version() const { return version_; }
  QPushButton* okButton() const { return ok_; }

  // The about window's logo, a larkspur flower spike, drawn to fill rect.
  static void paintLogo(QPainter& painter, const QRectF& rect);

  // The name of the system the program runs on, such as "Linux".
  static QString platformName();

 private:
  void centreOnScreen();

  QLabel* product_ = nullptr;
  QLabel* platform_ = nullptr;
  QLabel* version_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool shownBefore_ = false;
};

}  // namespace larkspur
