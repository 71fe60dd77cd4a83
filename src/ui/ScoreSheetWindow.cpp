#include "ui/ScoreSheetWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "state/Game.h"
#include "ui/SheetLook.h"
#include "ui/Units.h"

namespace larkspur {

namespace {

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

ScoreSheetWindow::ScoreSheetWindow(const Game& game, QWidget* parent)
    : QDialog(parent), game_(game) {
  LookLikeASheet(this, QStringLiteral("FrmScoreSheet"), QStringLiteral("Score Sheet"), 13200, 7200);
  sheet_ = SheetTable(QStringLiteral("GridSheet"), this);
  sheet_->installEventFilter(this);

  log_ = new QPlainTextEdit(this);
  log_->setObjectName(QStringLiteral("TextLog"));
  log_->setReadOnly(true);
  log_->setFont(serifFont(12));
  log_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  log_->installEventFilter(this);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("TabPages"));
  pages_->addTab(sheet_, QStringLiteral("Score Sheet"));
  pages_->addTab(log_, QStringLiteral("Hand Log"));

  copy_ = GreenButton(QStringLiteral("&Copy"), "CmdCopy", this);
  copy_->setToolTip(QStringLiteral("Put this page on the clipboard as text"));
  connect(copy_, &QPushButton::clicked, this, &ScoreSheetWindow::copyPage);
  QPushButton* close = GreenButton(QStringLiteral("C&lose"), "CmdCloseSheet", this);
  connect(close, &QPushButton::clicked, this, &QDialog::hide);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(copy_);
  buttons->addSpacing(twipsToPixels(600));
  buttons->addWidget(close);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons);
}

std::vector<QAction*> ScoreSheetWindow::addOpener(QMenu* menu, QWidget* window,
                                                  const std::function<void()>& open) {
  const QKeySequence key(Qt::CTRL | Qt::Key_H);
  QAction* line = menu->addSeparator();
  QAction* item = menu->addAction(QStringLiteral("Score &Sheet"));
  item->setObjectName(QStringLiteral("MnuScoreSheet"));
  // The menu shows the key; the window's own shortcut below answers it, so
  // that it still works while the deal has the menu disabled.
  item->setShortcut(key);
  item->setShortcutContext(Qt::WidgetShortcut);
  connect(item, &QAction::triggered, window, open);
  auto* shortcut = new QShortcut(key, window);
  shortcut->setObjectName(QStringLiteral("KeyScoreSheet"));
  connect(shortcut, &QShortcut::activated, window, open);
  return {line, item};
}

void ScoreSheetWindow::showSheet() {
  show();
  raise();
  activateWindow();
}

void ScoreSheetWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  refresh();
}

void ScoreSheetWindow::refresh() {
  if (!isVisible()) return;  // showing it brings it up to date
  // The robot's name is in the headings and the log's lines.
  const bool renamed = game_.RobotName != shownRobotName_;
  shownRobotName_ = game_.RobotName;
  if (renamed || game_.Sheet.Revision != shownSheet_) fillSheet();
  if (renamed || game_.Log.Revision != shownLog_) fillLog();
}

void ScoreSheetWindow::fillSheet() {
  shownSheet_ = game_.Sheet.Revision;
  const auto cells = ScoreSheetCells(game_);
  const int columns = static_cast<int>(cells.front().size());
  sheet_->setColumnCount(columns);
  QStringList headings;
  for (const std::string& heading : cells.front()) headings << qs(heading);
  sheet_->setHorizontalHeaderLabels(headings);
  sheet_->setRowCount(static_cast<int>(cells.size()) - 1);
  // A loaded game's first row holds only the totals it brought.
  const int firstHand = static_cast<int>(cells.size() - game_.Sheet.Rows.size());
  for (int row = 1; row < static_cast<int>(cells.size()); ++row) {
    for (int column = 0; column < columns; ++column) {
      auto* item = new QTableWidgetItem(qs(cells[row][column]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      const bool bonuses = column == 2 || column == 7;
      if (bonuses && row >= firstHand) {
        const SheetSide& side =
            game_.Sheet.Rows[row - firstHand].Sides[column == 2 ? Human : Robot];
        item->setToolTip(qs(BonusesInWords(side)));
      }
      sheet_->setItem(row - 1, column, item);
    }
  }
  fitColumns();
  sheet_->scrollToBottom();
}

// The columns share the table's width when their contents fit in it, and keep
// their contents' widths, with a scroll bar, when they do not.
void ScoreSheetWindow::fitColumns() {
  QHeaderView* header = sheet_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  sheet_->resizeColumnsToContents();
  int needed = 0;
  for (int column = 0; column < sheet_->columnCount(); ++column)
    needed += sheet_->columnWidth(column);
  if (needed <= sheet_->viewport()->width()) header->setSectionResizeMode(QHeaderView::Stretch);
}

void ScoreSheetWindow::fillLog() {
  shownLog_ = game_.Log.Revision;
  // Kept at the newest move, unless the player has scrolled back to read.
  QScrollBar* bar = log_->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  const int at = bar->value();
  QString text = qs(HandLogText(game_));
  text.chop(1);  // the last line's end
  log_->setPlainText(text);
  bar->setValue(atEnd ? bar->maximum() : at);
}

void ScoreSheetWindow::copyPage() {
  const std::string text =
      pages_->currentWidget() == sheet_ ? ScoreSheetText(game_) : HandLogText(game_);
  QGuiApplication::clipboard()->setText(qs(text));
}

void ScoreSheetWindow::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) return copyPage();
  QDialog::keyPressEvent(event);
}

// Ctrl+C copies the whole page, also from the table and the log, which would
// copy one cell or nothing; a part of the log chosen with the mouse copies as usual.
bool ScoreSheetWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
      !(watched == log_ && log_->textCursor().hasSelection())) {
    copyPage();
    return true;
  }
  if (watched == sheet_ && event->type() == QEvent::Resize) fitColumns();
  return QDialog::eventFilter(watched, event);
}

}  // namespace larkspur
