// The score sheet's window: every hand of the game with the running totals on
// one page, every move of the hand in play on the other. It only shows what
// the game has recorded, so it may be opened at any moment, the deal included.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace larkspur {

class Game;

class ScoreSheetWindow : public QDialog {
  Q_OBJECT

 public:
  ScoreSheetWindow(const Game& game, QWidget* parent);

  // Adds "Score Sheet" to the menu below a line, with its key Ctrl+H on the
  // window: the key opens the sheet whether the menu is enabled or not. Both
  // call `open`, so the sheet itself need not exist before it is first asked
  // for. Returns what it added to the menu.
  static std::vector<QAction*> addOpener(QMenu* menu, QWidget* window,
                                         const std::function<void()>& open);
  // Shows the window, or brings it to the front.
  void showSheet();
  // Brings both pages in line with the game; nothing to do unless they changed.
  void refresh();
  // Puts the page in view on the clipboard as plain text.
  void copyPage();

  QTabWidget* pages() const { return pages_; }
  QTableWidget* sheet() const { return sheet_; }
  QPlainTextEdit* log() const { return log_; }
  QPushButton* copyButton() const { return copy_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillSheet();
  void fillLog();
  void fitColumns();

  const Game& game_;
  QTabWidget* pages_ = nullptr;
  QTableWidget* sheet_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QPushButton* copy_ = nullptr;
  int shownSheet_ = -1;  // the revisions shown, -1 for none
  int shownLog_ = -1;
  std::string shownRobotName_;
};

}  // namespace larkspur
