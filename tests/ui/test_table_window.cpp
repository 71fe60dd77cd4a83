// The real table window on the real game: its elements at their design
// places, the menus, the model drawn, and clicks, menu commands and the close
// box reaching the game.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "dialog/MessageWindow.h"
#include "ui/Icons.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

namespace {

// A table window whose program folder is a fresh temporary folder, holding
// the given player file if any.
struct Table {
  explicit Table(const QByteArray& nameFile = {}, bool load = true) {
    QFile file(dir.filePath("Name.dat"));
    if (!nameFile.isEmpty() && file.open(QIODevice::WriteOnly)) file.write(nameFile);
    file.close();
    window.host().setProgramFolder(dir.path());
    window.host().setQuitOnEnd(false);
    if (load) window.load();
    window.show();
    window.activateWindow();
  }
  bool ready() { return QTest::qWaitForWindowActive(&window); }
  template <class W = QWidget>
  W* find(const QString& name) {
    return window.findChild<W*>(name);
  }
  QString text(const QString& name) { return find<QLabel>(name)->text(); }
  CardWidget* card(int c) { return find<CardWidget>(QStringLiteral("PicCards_%1").arg(c)); }
  QWidget* surface() { return window.centralWidget(); }
  QWidget* at(QWidget* w) { return surface()->childAt(w->mapTo(surface(), w->rect().center())); }
  QString nameFile() {
    QFile file(dir.filePath("Name.dat"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  QTemporaryDir dir;
  TableWindow window;
};

// Answers the modal windows that come up while it lives, by polling the
// event loop each of them runs.
class Answerer : public QObject {
 public:
  explicit Answerer(std::function<bool(QWidget*)> answer) : answer_(std::move(answer)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = MessageWindow::current();
      if (!modal) modal = QApplication::activeModalWidget();
      if (modal && modal->isVisible() && answer_(modal)) ++answered;
    });
    timer_.start(10);
  }
  int answered = 0;

 private:
  std::function<bool(QWidget*)> answer_;
  QTimer timer_;
};

// Clicks button i of the program's message window and keeps its texts.
struct MessageAnswer {
  int button = 0;
  QString title, message;
  bool operator()(QWidget* w) {
    auto* m = qobject_cast<MessageWindow*>(w);
    if (!m) return false;
    title = m->titleText().trimmed();
    message = m->messageText();
    m->clickButton(button);
    return true;
  }
};

}  // namespace

class TestTableWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  // Elements at their design places (15 twips a pixel) with their design texts.
  void designElements_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    auto row = [](const char* name, QRect twips, const char* caption, const char* tip = "") {
      QTest::newRow(name) << QString(name) << twips << QString(caption) << QString(tip);
    };
    row("LblGenInfo", {120, 960, 1215, 4695}, "Gereral Information");
    row("LblNames_1", {0, 0, 1590, 330}, "Robot Name");
    row("LblNames_2", {0, 11040, 1710, 330}, "Player  Name");
    row("LblHandScore_1", {4080, 11040, 1260, 330},
        "Hand Pts:", "Your total score so far this hand");
    row("LblDiscard", {0, 6000, 990, 270}, "Discards:", "Number of cards in stock");
    row("LblReturnPack", {13200, 11040, 1680, 330}, "Return Cards",
        "Click to return melded card to hand");
    row("LblHeadings_7", {6000, 5280, 1095, 375}, "Sevens", "Sevens melded here");
    row("LblHeadings_15", {1680, 5280, 1095, 375}, "Red 3's");
    row("lblMelds_14", {1680, 8160, 1095, 615}, "");
    row("FramResults", {5880, 1920, 5895, 5880}, "Scores and Winner", "Result of Hand played");
    // Inside the frames, from the frame's corner.
    row("cmdNew", {3480, 4680, 1575, 405}, "&Carry On", "Deal Next Hand");
    row("CmdTarget", {600, 3300, 1575, 405}, "&O.K", "Click to Exit");
  }

  void designElements() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    Table t({}, false);
    QCOMPARE(t.surface()->size(), QSize(1061, 762));
    QCOMPARE(t.card(1)->size(), QSize(71, 96));
    QWidget* w = t.find(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->geometry(), QRect(twips.topLeft() / 15, twips.size() / 15));
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(w)) shown = label->text();
    if (auto* button = qobject_cast<QPushButton*>(w)) shown = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w)) shown = frame->title();
    QCOMPARE(shown, caption);
    QCOMPARE(w->toolTip(), tip);
  }

  void menus() {
    Table t({}, false);
    QStringList titles;
    for (QAction* a : t.window.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, (QStringList{"&Game", "Cha&nge Names", "Stat&istics", "&Target Score",
                                  "Canasta &Help ", "About"}));
    const struct {
      const char* name;
      const char* text;
      QKeySequence key;
    } items[] = {{"MnuNew", "New", QKeySequence(Qt::Key_F2)},
                 {"MnuLoad", "Load", QKeySequence(Qt::CTRL | Qt::Key_L)},
                 {"MnuSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_V)},
                 {"MnuExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_X)},
                 {"MnuNameP", "Change your name", {}},
                 {"MnuNameR", "Change Opponent Name", {}},
                 {"MnuView", "View Statistics", {}},
                 {"MnuDelete", "Delete Statistics", {}}};
    for (const auto& item : items) {
      auto* action = t.window.findChild<QAction*>(item.name);
      QVERIFY2(action, item.name);
      QCOMPARE(action->text(), QString(item.text));
      QCOMPARE(action->shortcut(), item.key);
    }
    // While the deal runs the whole Game menu, shortcuts included, rests.
    t.window.game().Table.MnuPlayEnabled = false;
    t.window.syncFromModel();
    auto* game = t.find<QMenu>("MnuPlay");
    QVERIFY(!game->menuAction()->isEnabled());
    for (QAction* a : game->actions()) QVERIFY(!a->isEnabled());
  }

  void startUpShowsStockAndNames() {
    Table t("\"Ada\",\"Robo\",300,0,0,0,0,3000\r\n");
    // The human bottom left and under "You"; the robot top left and under "Opponent".
    QCOMPARE(t.text("LblNames_2") + t.text("LblP"), QString("AdaAda"));
    QCOMPARE(t.text("LblNames_1") + t.text("LblB"), QString("RoboRobo"));
    QCOMPARE(t.text("LblTargetScore"), QString("Target Score 3000"));
    QCOMPARE(t.text("LblStock"), QString("No. Deck 108"));
    QCOMPARE(t.text("LblGenInfo"),
             QString("Ada  welcome to Larkspur - Press F2 or us Game Menu for a new game."));
    QRect pile;
    for (int c = 1; c <= CardCount; ++c) {
      QVERIFY(t.card(c)->isVisible());
      QCOMPARE(t.card(c)->image(), BackImage);
      pile |= t.card(c)->geometry();
    }
    // One slanted pile at the bottom left, the last card laid on top.
    QVERIFY(pile.left() < 20 && pile.bottom() > 700 && pile.width() < 100);
    QCOMPARE(t.at(t.card(108)), t.card(108));
  }

  void modelIsDrawn() {
    Table t;
    TableModel& m = t.window.game().Table;
    m.Caption = "Larkspur - Target Score is 5000";
    m.lblMelds[7].Caption = " Pure Canasta 7 Wild:-0";
    m.lblMelds[7].BackColor = RGB(255, 0, 0);
    m.LblDiscarding.Visible = true;
    CardPicture& pic = m.PicCards[5];
    pic = {.Left = 3000,
           .Top = 9000,
           .Image = 5,
           .Visible = true,
           .BorderStyle = 1,
           .ZOrder = pic.ZOrder,
           .ToolTip = "Click the cards you wish to meld.",
           .MousePointer = CustomPointer,
           .MouseIcon = PointerRefuse};
    m.Txtpoints = "1234";
    t.window.syncFromModel();

    QCOMPARE(t.window.windowTitle(), QString("Larkspur - Target Score is 5000"));
    auto* meld = t.find<QLabel>("lblMelds_7");
    QCOMPARE(meld->text(), QString(" Pure Canasta 7 Wild:-0"));
    QCOMPARE(meld->palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(meld->autoFillBackground());
    QVERIFY(t.find("LblDiscarding")->isVisible());
    CardWidget* card = t.card(5);
    QCOMPARE(card->image(), 5);
    QCOMPARE(card->pos(), QPoint(200, 600));
    QVERIFY(card->marked());
    QCOMPARE(card->toolTip(), QString("Click the cards you wish to meld."));
    QCOMPARE(card->cursor().pixmap().toImage(), pointerCursor(PointerRefuse).pixmap().toImage());
    pic.MousePointer = 0;
    t.window.syncFromModel();
    QCOMPARE(card->cursor().shape(), Qt::ArrowCursor);

    // The pile frame's colour numbers are blue-green-red: 255 is red. Look at
    // the middle of the frame's top edge (0, 6360, 1335 wide).
    m.Shape1.BorderColor = 255;
    t.window.syncFromModel();
    QCOMPARE(t.surface()->grab().toImage().pixelColor(1335 / 30, 6360 / 15 + 1), QColor(255, 0, 0));

    // The target box shows the model's text, and typing reaches the model.
    auto* edit = t.find<QLineEdit>("Txtpoints");
    QCOMPARE(edit->text(), QString("1234"));
    QTest::keyClicks(edit, "0");
    QCOMPARE(m.Txtpoints, std::string("12340"));
  }

  void stacking() {
    Table t;
    TableModel& m = t.window.game().Table;
    m.BringToFront(m.PicCards[3]);
    t.window.syncFromModel();
    QCOMPARE(t.at(t.card(108)), t.card(3));
    // Sent back below the others: the whole pile is stacked again.
    m.PicCards[3].ZOrder = 0;
    t.window.syncFromModel();
    QCOMPARE(t.at(t.card(108)), t.card(108));

    // A frame brought to the front covers the cards; a card brought later lies on it.
    m.PicCards[10].Left = 6000;
    m.PicCards[10].Top = 3000;
    m.BringToFront(m.PicCards[10]);
    m.FramResults.Visible = true;
    m.BringToFront(m.FramResults);
    t.window.syncFromModel();
    QVERIFY(t.find("FramResults")->isAncestorOf(t.at(t.card(10))));
    m.BringToFront(m.PicCards[10]);
    t.window.syncFromModel();
    QCOMPARE(t.at(t.card(10)), t.card(10));
  }

  // A wide, low window: the whole table still fits and the cards still take clicks.
  void resizingScalesTheTable() {
    Table t;
    const int menu = t.window.height() - t.surface()->height();
    t.window.resize(1400, 500 + menu);
    QTRY_COMPARE(t.surface()->size(), QSize(1400, 500));
    QCOMPARE(t.card(1)->size(), QSize(qRound(1065 * 500 / 11430.0), qRound(1440 * 500 / 11430.0)));
    for (QWidget* w : t.surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible())
        QVERIFY2(t.surface()->rect().contains(w->geometry()), qPrintable(w->objectName()));
    QCOMPARE(t.at(t.card(108)), t.card(108));
  }

  // F2 starts a game; in the human's turn the pointer over the stock invites a
  // click, which draws two cards; Exit asks, and "Yes-Exit" ends the program
  // and writes the player file.
  void playingThroughTheWindow() {
    Table t("\"Player\",\"Barnaby\",1,0,0,0,0,5000\r\n");
    QVERIFY(t.ready());
    Game& g = t.window.game();
    auto handCards = [&] {
      int n = 0;
      for (int c = 1; c <= CardCount; ++c)
        n += g.Cards[c].Place == PlaceHumanHand || g.Cards[c].Place == PlaceHumanRedThree;
      return n;
    };
    MessageAnswer quit{0, {}, {}};
    std::unique_ptr<Answerer> answerer;
    bool drew = false;
    int before = 0, after = 0;
    QString tip;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      if (g.Table.FramResults.Visible && !drew)  // a hand over before the human drew
        return QTest::mouseClick(t.find("cmdNew"), Qt::LeftButton);
      if (drew || !g.HandInPlay || !g.PlayerToPlay || !g.PlayerTurnOpen) return;
      drew = true;
      int top = 0;
      for (int c = 1; c <= CardCount; ++c)
        if (g.Cards[c].Place == PlaceStock &&
            (!top || g.Table.PicCards[c].ZOrder > g.Table.PicCards[top].ZOrder))
          top = c;
      CardWidget* stock = t.card(top);
      QTest::mouseMove(stock);
      tip = stock->toolTip() + (stock->cursor().shape() == Qt::BitmapCursor ? "+" : "-");
      before = handCards();
      QTest::mouseClick(stock, Qt::LeftButton);
      after = handCards();
      answerer = std::make_unique<Answerer>(std::ref(quit));
      t.window.findChild<QAction*>("MnuExit")->trigger();
    });
    poll.start(10);
    QTest::keyClick(&t.window, Qt::Key_F2);  // returns when the game has been left
    poll.stop();

    QVERIFY2(drew, "the human's turn never came");
    QCOMPARE(tip, QString("Player left click to take two cards.+"));
    QVERIFY2(after >= before + 2, qPrintable(QString("%1 -> %2").arg(before).arg(after)));
    QCOMPARE(quit.title, QString("Quit without saving?"));
    QVERIFY(g.Ended());
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.nameFile().startsWith("\"Player\",\"Barnaby\",1,"));
  }

  void closeBoxAsksFirst() {
    Table t;
    QVERIFY(t.ready());
    MessageAnswer carryOn{1, {}, {}};
    {
      Answerer answerer(std::ref(carryOn));
      QVERIFY(!t.window.windowHandle()->close());
    }
    QCOMPARE(carryOn.title, QString("Really Exit?"));
    QCOMPARE(carryOn.message, QString("Player do you really wish to exit?"));
    QVERIFY(t.window.isVisible());
    QVERIFY(!t.window.game().Ended());
    QVERIFY(t.nameFile().isEmpty());

    MessageAnswer yesExit{0, {}, {}};
    {
      Answerer answerer(std::ref(yesExit));
      QVERIFY(t.window.windowHandle()->close());
    }
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.window.game().Ended());
    QVERIFY(!t.nameFile().isEmpty());
  }

  // "Change your name": Yes, then a name, shown bottom left and under "You" and
  // saved. "Change Opponent Name" cancelled in the input box: an empty name.
  void nameCommands() {
    Table t;
    QVERIFY(t.ready());
    auto rename = [&](const char* action, const QString& name) {
      Answerer answerer([&](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
          box->button(QMessageBox::Yes)->click();
        } else if (auto* input = qobject_cast<QInputDialog*>(w)) {
          input->setTextValue(name);
          name.isEmpty() ? input->reject() : input->accept();
        } else {
          return false;
        }
        return true;
      });
      t.window.findChild<QAction*>(action)->trigger();
      return answerer.answered;
    };
    QCOMPARE(rename("MnuNameP", "Ada"), 2);
    QCOMPARE(t.text("LblNames_2") + t.text("LblP"), QString("AdaAda"));
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"Barnaby\""));
    QCOMPARE(rename("MnuNameR", ""), 2);
    QCOMPARE(t.text("LblNames_1") + t.text("LblB"), QString());
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"\""));
  }
};

QTEST_MAIN(TestTableWindow)
#include "test_table_window.moc"
