// The help window: the rules and how to play, as one long scrolling text,
// with a button that puts it away.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace larkspur {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the help and returns once it has been closed.
  void showModal();

  QPlainTextEdit* textBox() const { return text_; }
  QPushButton* closeButton() const { return close_; }

 private:
  QPlainTextEdit* text_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace larkspur
