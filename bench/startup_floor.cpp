// The floor for the game's start-up: the least a Qt window of the table's kind
// costs to come up on the screen. A main window with the table's size, a menu
// bar of a few menus and 108 labels showing one card-sized picture, stacked
// where the stock lies; nothing else. bench/measure_gui.sh starts it beside the
// game, so the game's start-up is judged against what Qt itself takes on the
// same machine at the same moment.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "table/TableModel.h"

using namespace larkspur;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;

  // Menus of the game's size, with items that do nothing.
  QMenuBar* bar = window.menuBar();
  const struct {
    const char* title;
    std::initializer_list<const char*> items;
  } menus[] = {{"&Game", {"New", "Load", "Save", "Exit"}},
               {"Cha&nge Names", {"Change your name", "Change Opponent Name"}},
               {"Stat&istics", {"View Statistics", "Delete Statistics"}},
               {"&Options", {"Speed", "Sound", "Robot"}}};
  for (const auto& menu : menus) {
    QMenu* m = bar->addMenu(QString::fromLatin1(menu.title));
    for (const char* item : menu.items) m->addAction(QString::fromLatin1(item));
  }
  for (const char* command : {"&Target Score", "Canasta &Help ", "About"})
    bar->addAction(QString::fromLatin1(command));

  // One card-sized picture, drawn once and shown by every label.
  const QSize card(CardWidth / TwipsPerPixel, CardHeight / TwipsPerPixel);
  QPixmap picture(card);
  picture.fill(Qt::transparent);
  {
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(30, 50, 140));
    p.drawRoundedRect(QRectF(0.5, 0.5, card.width() - 1, card.height() - 1), 6, 6);
  }

  auto* table = new QWidget(&window);
  window.setCentralWidget(table);
  for (int c = 0; c < 108; ++c) {
    auto* label = new QLabel(table);
    label->setPixmap(picture);
    const int step = c * StockFanStep / TwipsPerPixel;
    label->setGeometry(StockLeft / TwipsPerPixel + step, StockTop / TwipsPerPixel - step,
                       card.width(), card.height());
  }

  window.resize(TableWidth / TwipsPerPixel,
                TableHeight / TwipsPerPixel + window.menuBar()->sizeHint().height());
  window.show();
  return QApplication::exec();
}
