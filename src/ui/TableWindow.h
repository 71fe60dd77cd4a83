// The table window: draws the game's table model with Qt widgets and passes
// every click, pointer move, button, menu command and close request to the
// game's handlers. It decides nothing about the game itself.
#pragma once

#include <QCursor>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "state/Game.h"
#include "ui/CardArt.h"
#include "ui/QtHost.h"

class QAction;
class QFile;
class QGroupBox;
class QKeyEvent;
class QMenu;

namespace larkspur {

class CardWidget;
class FrameButton;
class ScoreSheetWindow;
class StatisticsWindow;
class TableSurface;
class TableMarks;
class TargetBox;

class TableWindow : public QMainWindow {
 public:
  explicit TableWindow(QWidget* parent = nullptr);
  ~TableWindow() override;

  Game& game() { return *game_; }
  QtHost& host() { return host_; }

  // Start-up of the table: reads the player file and lays out the stock.
  void load();
  // Brings every widget in line with the table model; cheap when little changed.
  void syncFromModel();

  // Pixels per twip at the window's current size (1/15 at the table's own size).
  double scale() const;
  // Where an element given in twips on the table lies in the window's table area.
  QRect tableRect(int left, int top, int width, int height) const;

  // The element the keyboard's focus ring is on; None while no ring is drawn (TableWindowKeys.cpp).
  TableTarget focusRing() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // A label or button of the model and the widget drawing it, with what it shows.
  struct LabelItem {
    const Label* model = nullptr;
    TableElement element;  // what the model's element list says of it
    QWidget* widget = nullptr;
    ElementStyle style = ElementStyle::Score;
    bool isButton = false;
    bool isName = false;  // shortened with "…" when too long, never run on
    bool placed = false;
    std::string caption;
    bool shortened = false;  // a name, a long word or the last lines give way to "…"
    std::string toolTip;     // as shown: the whole caption when it is shortened
    bool visible = false;
    int backColor = DefaultColor;
    int pointer = -1;
    QRect twips;
  };
  struct CardItem {
    CardWidget* widget = nullptr;
    bool placed = false;
    int left = 0;
    int top = 0;
    int image = 0;
    bool visible = false;
    int borderStyle = -1;
    std::uint64_t zOrder = 0;
    std::string toolTip;
    int pointer = -1;
  };
  struct FrameItem {
    const Frame* model = nullptr;
    QGroupBox* widget = nullptr;
    bool placed = false;
    bool visible = false;
    std::uint64_t zOrder = 0;
    QRect twips;
  };

  // Runs one game handler; the game's unwinding stops here, never in Qt.
  template <class Handler>
  void callGame(Handler&& handler);
  // The same, for the window's parts kept in files of their own.
  void callGameWith(const std::function<void()>& handler);

  void buildMenus();
  void buildOptionsMenu();
  void buildTable();
  void addFrame(const TableElement& element);
  void addLabel(const TableElement& element);  // a label or a button
  void sendClick(ElementClick click, int index);
  void escapeTarget();
  void applyStyle(LabelItem& item);
  void fitFont(LabelItem& item);
  QRect labelRect(const LabelItem& item) const;
  void syncLabel(LabelItem& item, bool rescaled);
  void syncCards(bool rescaled);
  void syncFrames(bool rescaled);
  void restack();
  void applyPointer(QWidget* widget, int mousePointer, int mouseIcon, int& shown);
  void showToolTipNow(QWidget* widget);
  void logTable();
  // ---- the keyboard on the table, F1 and the hint's outline (TableWindowKeys.cpp)
  void buildKeys();
  bool frameOpen() const;
  // The results frame's buttons in the model's order, "Carry On" first, and its keys.
  std::vector<FrameButton*> resultsButtons() const;
  bool resultsKey(QKeyEvent* event);
  bool targetKey(QKeyEvent* event);
  bool tabRing(bool next);
  bool tableKey(QKeyEvent* event);
  void clickTarget(const TableTarget& target);
  QRect targetRect(const TableTarget& target) const;
  void syncMarks();
  TableTarget nearestTo(const TableTarget& gone, const TableRect& place,
                        const std::vector<TableTarget>& list) const;

  void cardPressed(int card);
  void cardMoved(int card);

  // ---- the kept hand and the statistics by robot level (TableWindowKept.cpp)
  // Game > Resume Hand, the statistics window's item, and the hand kept as the
  // session ends.
  void buildKeptHand();
  // Resume Hand enabled only while a kept hand waits; the robot's item checked as
  // the game has it, which a resumed hand may change.
  void syncKeptHand();
  void openStatistics();

  // Checks No pauses while the waits are skipped, else the Speed item of the
  // game's pace; none for a pace no item gives.
  void showPace();
  // The window's place and size as the player left them, kept per user.
  void restoreWindowPlace();
  void saveWindowPlace();

  // The smallest table, in the table's proportions: its text is drawn at 8 pixels
  // or more, and below this a meld's label (" Mixed Canasta 12 Wild:-3", three
  // lines) no longer holds its caption.
  static constexpr QSize MinimumTableSize{800, 800 * TableHeight / TableWidth};

  QtHost host_;
  std::unique_ptr<Game> game_;
  CardArt art_;
  TableSurface* surface_ = nullptr;
  QMenu* gameMenu_ = nullptr;
  std::vector<QAction*> gameActions_;
  std::vector<QAction*> speedActions_;  // each holds its pace as its data
  std::array<CardItem, CardCount + 1> cards_{};
  std::vector<LabelItem> labels_;
  std::vector<FrameItem> frames_;
  TargetBox* txtPoints_ = nullptr;
  ScoreSheetWindow* scoreSheet_ = nullptr;
  StatisticsWindow* statistics_ = nullptr;
  QAction* resumeAction_ = nullptr;
  std::vector<std::pair<RobotPlay, QAction*>> robotItems_;  // Options > Robot
  std::string shownTxtPoints_;
  std::string shownCaption_;
  int shownShapeColor_ = -2;
  bool shownMenuEnabled_ = true;
  bool shownOnce_ = false;
  QSize shownSize_;  // the table's size when every position and font was last set
  std::array<QCursor, 3> cursors_;
  // Where the table's counts are written for end-to-end tests; none by default.
  std::unique_ptr<QFile> tableLog_;
  QByteArray loggedTable_;
  TableMarks* marks_ = nullptr;
  TableTarget ring_;     // kept while the game is busy, dropped once the human's turn is over
  TableRect ringPlace_;  // where the ring was last drawn, in twips
};

}  // namespace larkspur
