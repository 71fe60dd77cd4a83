#include "ui/StatisticsWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "state/Game.h"
#include "ui/SheetLook.h"
#include "ui/Units.h"

namespace larkspur {

StatisticsWindow::StatisticsWindow(const Game& game, std::function<void()> reset, QWidget* parent)
    : QDialog(parent), game_(game) {
  LookLikeASheet(this, QStringLiteral("FrmStatistics"), QStringLiteral("Statistics"), 7800, 7200);
  table_ = SheetTable(QStringLiteral("GridStatistics"), this);

  reset_ = GreenButton(QStringLiteral("&Reset"), "CmdResetStatistics", this);
  reset_->setToolTip(QStringLiteral("Set the statistics of every robot level back to nothing"));
  connect(reset_, &QPushButton::clicked, this, [reset = std::move(reset)] { reset(); });
  QPushButton* close = GreenButton(QStringLiteral("C&lose"), "CmdCloseStatistics", this);
  connect(close, &QPushButton::clicked, this, &QDialog::hide);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(reset_);
  buttons->addSpacing(twipsToPixels(600));
  buttons->addWidget(close);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(buttons);
}

void StatisticsWindow::showStatistics() {
  show();
  raise();
  activateWindow();
}

void StatisticsWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  refresh();
}

void StatisticsWindow::refresh() {
  if (isVisible() && game_.Stats.Revision != shown_) fill();
}

void StatisticsWindow::fill() {
  shown_ = game_.Stats.Revision;
  const auto cells = StatisticsCells(game_.Stats);
  const int columns = static_cast<int>(cells.front().size());
  table_->setColumnCount(columns);
  QStringList headings;
  for (const std::string& heading : cells.front()) headings << QString::fromStdString(heading);
  table_->setHorizontalHeaderLabels(headings);
  table_->setRowCount(static_cast<int>(cells.size()) - 1);
  for (int row = 1; row < static_cast<int>(cells.size()); ++row) {
    for (int column = 0; column < columns; ++column) {
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[row][column]));
      // The statistic's name at the left, its numbers to the right.
      item->setTextAlignment((column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
      table_->setItem(row - 1, column, item);
    }
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  for (int column = 1; column < columns; ++column)
    table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
}

}  // namespace larkspur
