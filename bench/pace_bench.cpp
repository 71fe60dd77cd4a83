// How long a deal and a robot's turn take at each speed of Options -> Speed:
// the real table window on the real game, timed by the clock of its host. The
// human's seat draws from the stock and discards its first card through the
// table's own widgets; the robot plays Classic. A deal is timed from its first
// card to its turned-up card, a robot's turn from the human's discard to the
// human's next turn (turns that end the hand are left out). Every speed plays the
// same seeded games. The described paces keep their fixed waits, so their deal
// stays near 4 s; "No pauses" skips every wait and costs only the drawing. The
// sound is off.
//
// Built with the game (build/dev or build/release); offscreen by default, or in
// an X server: QT_QPA_PLATFORM=xcb xvfb-run -a build/dev/larkspur-pace
// Usage: larkspur-pace [DEALS [TURNS]]  (each speed: DEALS deals, TURNS robot turns
// after each; default 3 and 4)
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/MessageWindow.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

namespace {

struct Speed {
  const char* name;
  const char* action;                // the Speed item chosen
  int pace;                          // then set in the player file, if not negative
  std::vector<double> deals, turns;  // seconds
};

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return v.empty() ? 0 : sum / double(v.size());
}

class PaceBench {
 public:
  PaceBench(TableWindow& window, std::vector<Speed>& speeds, int deals, int turns)
      : w_(window), g_(window.game()), speeds_(speeds), deals_(deals), turns_(turns) {
    clock_.start();
    // Every wait of the game draws the table first: the bench looks then.
    w_.host().setRedraw([this] {
      w_.syncFromModel();
      look();
    });
    // Answers the game's questions ("Really start new game?", "Quit without saving?") with
    // their first button.
    QObject::connect(&answer_, &QTimer::timeout, [] {
      if (MessageWindow* m = MessageWindow::current(); m && m->isVisible()) m->clickButton(0);
    });
    answer_.start(20);
  }

  void run() {
    chooseSpeed();
    newGame();  // returns when the last game has been left
  }

 private:
  double seconds() const { return double(clock_.nsecsElapsed()) / 1e9; }
  Speed& speed() { return speeds_[speed_]; }

  void trigger(const char* action) {
    w_.findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }

  void chooseSpeed() {
    trigger(speed().action);
    if (speed().pace >= 0) g_.SetPace(speed().pace);
  }

  void look() {
    const double now = seconds();
    if (!g_.Table.MnuPlayEnabled && dealStart_ < 0) dealStart_ = now;
    if (g_.Table.MnuPlayEnabled && dealStart_ >= 0) {
      speed().deals.push_back(now - dealStart_);
      dealStart_ = -1;
    }
    if (g_.Table.FramResults.Visible) robotStart_ = -1;  // the hand ended in the robot's turn
    const bool humanWaited = g_.GameRunning() && g_.MayMove() && g_.HandInPlay && g_.PlayerToPlay;
    if (humanWaited && g_.PlayerTurnOpen && robotStart_ >= 0) {
      speed().turns.push_back(now - robotStart_);
      robotStart_ = -1;
      ++turnsThisDeal_;
    }
    if ((humanWaited || g_.Table.FramResults.Visible) && !queued_) {
      queued_ = true;
      QTimer::singleShot(0, [this] {
        queued_ = false;
        act();
      });
    }
  }

  // One move of the human's, through the widgets the mouse would use.
  void act() {
    // Not while a question is up: the game it answers waits for no move.
    if (MessageWindow* m = MessageWindow::current(); m && m->isVisible()) return;
    if (g_.Table.FramResults.Visible) return widget<QPushButton>("cmdNew")->click();
    if (!g_.GameRunning() || !g_.MayMove() || !g_.PlayerToPlay) return;
    if (g_.PlayerTurnOpen && turnsThisDeal_ >= turns_) return nextDeal();
    if (g_.PlayerTurnOpen) return press(firstCardAt(PlaceStock));
    if (g_.PlayerHasDrawn) return widget<TableLabel>("LblDiscarding")->onClick();
    if (g_.PlayerDiscarding) {
      press(firstCardAt(PlaceHumanHand));
      if (!g_.PlayerToPlay && g_.HandInPlay) robotStart_ = seconds();
    }
  }

  void nextDeal() {
    turnsThisDeal_ = 0;
    if (int(speed().deals.size()) >= deals_) {
      std::printf(
          "%-22s  deal %6.3f s  robot turn %6.3f s median, %6.3f s mean  (%zu deals, %zu turns)\n",
          speed().name, Median(speed().deals), Median(speed().turns), Mean(speed().turns),
          speed().deals.size(), speed().turns.size());
      std::fflush(stdout);
      if (++speed_ == speeds_.size()) return trigger("MnuExit");
      chooseSpeed();
    }
    newGame();
  }

  // Each speed plays the same games: the same deals, the same moves.
  void newGame() {
    w_.host().seedRandom(speed().deals.size() + 1);
    trigger("MnuNew");
  }

  template <class Widget>
  Widget* widget(const QString& name) const {
    return static_cast<Widget*>(w_.findChild<QWidget*>(name));
  }
  int firstCardAt(int place) const {
    for (int c = 1; c <= CardCount; ++c)
      if (g_.Cards[c].Place == place) return c;
    return 0;
  }
  void press(int card) { widget<CardWidget>(QStringLiteral("PicCards_%1").arg(card))->onPress(); }

  TableWindow& w_;
  Game& g_;
  std::vector<Speed>& speeds_;
  const int deals_, turns_;
  std::size_t speed_ = 0;
  int turnsThisDeal_ = 0;
  QElapsedTimer clock_;
  QTimer answer_;
  double dealStart_ = -1, robotStart_ = -1;
  bool queued_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication::setOrganizationName(QStringLiteral("Larkspur"));
  QCoreApplication::setApplicationName(QStringLiteral("Larkspur pace bench"));
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const int deals = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int turns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 4;
  // The player file and the settings of a first start, in a folder of the bench's own.
  QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  std::vector<Speed> speeds{{"Slow (pace 600)", "MnuSlow", -1, {}, {}},
                            {"Normal (pace 300)", "MnuNormal", -1, {}, {}},
                            {"Fast (pace 100)", "MnuFast", -1, {}, {}},
                            {"pace 0 (player file)", "MnuFast", 0, {}, {}},
                            {"No pauses", "MnuNoPauses", -1, {}, {}}};
  TableWindow window;
  window.host().setPlayerFileFolder(dir.path());
  window.host().setQuitOnEnd(false);
  window.host().setSoundOn(false);
  window.load();
  window.show();
  PaceBench bench(window, speeds, deals, turns);
  // The games run inside this first event; the loop ends once they have been left.
  QTimer::singleShot(0, [&bench] {
    bench.run();
    QApplication::quit();
  });
  return QApplication::exec();
}
