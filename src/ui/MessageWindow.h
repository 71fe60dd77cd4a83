// The program's own message window: a frameless navy box with a title bar, a
// wrapped message, a small picture and up to three raised buttons. It sizes
// itself to the message as far as the screen allows (a longer message
// scrolls), stays up until a button is chosen, by a click or a key, and tells which.
#pragma once

#include <QDialog>
#include <array>

#include "dialog/DeluxeLayout.h"
#include "state/Host.h"

class QLabel;
class QPainter;
class QScrollArea;

namespace larkspur {

class MessageButton;

class MessageWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MessageWindow(QWidget* parent = nullptr);
  ~MessageWindow() override;

  // Lays the window out for m, shows it modally and returns the index of the
  // clicked button (0, 1 or 2), or -1 if it was taken down without a choice.
  int showMessage(const DeluxeMessage& m);

  // The one window the program uses, created on first use and kept hidden
  // between messages; destroyShared() ends it.
  static MessageWindow& shared();
  static void destroyShared();

  // The message window now waiting for a click, if any.
  static MessageWindow* current();
  // Chooses button i as a click on its caption would.
  void clickButton(int i);
  // Takes the window down without a choice (the program is ending).
  void cancel();

  // Logical pixels for each 15 twips; 1 by default.
  void setScale(double scale);
  double scale() const { return scale_; }

  QString titleText() const;
  QString messageText() const;
  QString caption(int i) const;
  bool isButtonShown(int i) const;
  bool isButtonPressed(int i) const;
  // The letter that chooses shown button i (drawn underlined), in lower case; none if hidden.
  QChar mnemonic(int i) const;
  QWidget* button(int i) const;
  const DeluxeLayout& layout() const { return layout_; }

  // The message window's picture, drawn to fill the square at rect.
  static void paintIcon(QPainter& painter, const QRectF& rect);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  friend class MessageButton;
  void choose(int i);
  void assignMnemonics();
  // The height in pixels that text needs wrapped at width pixels.
  int messageHeight(const QString& text, int width) const;
  QRect toPixels(const TwipRect& r) const;
  void applyFonts();

  double scale_ = 1.0;
  TwipSize size_{deluxe::kWindowWidth, deluxe::kFirstHeight};
  DeluxeLayout layout_;
  QLabel* title_ = nullptr;
  QScrollArea* messageArea_ = nullptr;
  QLabel* message_ = nullptr;
  QWidget* picture_ = nullptr;
  std::array<MessageButton*, 3> buttons_{};
  int choice_ = -1;
  bool cancelling_ = false;
};

}  // namespace larkspur
