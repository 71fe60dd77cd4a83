#include "ui/SheetLook.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "ui/Units.h"

namespace larkspur {

void LookLikeASheet(QDialog* window, const QString& name, const QString& title, int widthTwips,
                    int heightTwips) {
  window->setObjectName(name);
  window->setWindowTitle(title);
  window->setAutoFillBackground(true);
  QPalette back = window->palette();
  back.setColor(QPalette::Window, kTeal);
  window->setPalette(back);
  window->resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

QTableWidget* SheetTable(const QString& name, QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setObjectName(name);
  table->setFont(serifFont(11));
  table->horizontalHeader()->setFont(serifFont(10));
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);  // a copy takes the whole page
  table->setAlternatingRowColors(true);
  return table;
}

QPushButton* GreenButton(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  makeGreenButton(button, QStringLiteral("2px 16px"));
  return button;
}

}  // namespace larkspur
