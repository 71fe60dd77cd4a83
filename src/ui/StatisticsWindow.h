// The statistics window: for each robot level the games won and lost, the win
// rate and streaks, the best and worst game totals, the hands, the average hand
// score, the canastas and the times gone out, as the game has counted them. It
// looks as the score sheet does, and its Reset asks the game first.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;
class QTableWidget;

namespace larkspur {

class Game;

class StatisticsWindow : public QDialog {
  Q_OBJECT

 public:
  // reset runs the game's Reset, which asks before it sets anything back.
  StatisticsWindow(const Game& game, std::function<void()> reset, QWidget* parent);

  // Shows the window, or brings it to the front.
  void showStatistics();
  // Brings the table in line with the game's statistics; nothing to do unless they changed.
  void refresh();

  QTableWidget* table() const { return table_; }
  QPushButton* resetButton() const { return reset_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fill();

  const Game& game_;
  QTableWidget* table_ = nullptr;
  QPushButton* reset_ = nullptr;
  int shown_ = -1;  // the revision shown, -1 for none
};

}  // namespace larkspur
