// The real table window on the real game: its elements at their design
// places, the menus, the model drawn, and clicks, menu commands and the close
// box reaching the game.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
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
#include <memory>

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
    if (!nameFile.isEmpty()) {
      QFile file(dir.filePath("Name.dat"));
      file.open(QIODevice::WriteOnly);
      file.write(nameFile);
    }
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
  QString text(const QString& name) {
    auto* label = find<QLabel>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
  }
  CardWidget* card(int c) { return find<CardWidget>(QStringLiteral("PicCards_%1").arg(c)); }
  QWidget* surface() { return window.centralWidget(); }
  QString nameFile() {
    QFile file(dir.filePath("Name.dat"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  QTemporaryDir dir;
  TableWindow window;
};

// Answers whatever modal window comes up, as often as asked, by polling the
// event loop the modal window runs.
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

int countPlaces(const Game& g, std::initializer_list<int> places) {
  int n = 0;
  for (int c = 1; c <= CardCount; ++c)
    for (int p : places) n += g.Cards[c].Place == p;
  return n;
}

QPoint centreIn(QWidget* surface, QWidget* w) {
  return w->mapTo(surface, w->rect().center());
}

}  // namespace

class TestTableWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  // Every element at its design place (15 twips a pixel) with its design texts.
  void designElements_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    auto row = [](const char* name, int l, int t, int w, int h, const char* caption,
                  const char* tip = "") {
      QTest::newRow(name) << QString(name) << QRect(l, t, w, h) << QString(caption) << QString(tip);
    };
    row("LblGenInfo", 120, 960, 1215, 4695, "Gereral Information");
    row("LblMinMeld", 12240, 0, 1905, 330, "Minimum Meld:", "Your minimum meld");
    row("LblTargetScore", 12240, 360, 1725, 330, "Target Score:", "The target Score");
    row("LblNames_1", 0, 0, 1590, 330, "Robot Name");
    row("LblNames_2", 0, 11040, 1710, 330, "Player  Name");
    row("LblGameScore_2", 2040, 0, 1335, 330, "Game Pts.",
        "Opponents total towards target score to date");
    row("LblGameScore_1", 1920, 11040, 1335, 330, "Game Pts.",
        "Your total towards target score last hand");
    row("LblHandScore_2", 4800, 0, 1170, 330, "Hand Pts", "Opponents total score so far this hand");
    row("LblHandScore_1", 4080, 11040, 1260, 330, "Hand Pts:", "Your total score so far this hand");
    row("LblMeldScore_2", 7320, 0, 1185, 330, "Meld Pts.", "Opponents hand score for Melded Cards");
    row("LblMeldScore_1", 6240, 11040, 1200, 330, "Meld Pts:", "Your hand score for Melded Cards");
    row("LblBonusScore_2", 9840, 0, 1365, 330, "Bonus Pts.", "Opponents Bonus scores  for Hand");
    row("LblBonusScore_1", 8400, 11040, 1365, 330, "Bonus Pts.", "Your Bonus scores  for Hand");
    row("LblPointsHand", 10560, 11040, 1380, 330, "PTs. Hand:", "Points remaining in your hand");
    row("LblStock", 0, 8640, 690, 270, "Stock:", "Number of cards in stock");
    row("LblDiscard", 0, 6000, 990, 270, "Discards:", "Number of cards in stock");
    row("LblDiscarding", 1560, 8880, 10350, 330,
        "Click single cards to meld - when finished Melding click here and then card to Discard");
    row("LblReturnPack", 13200, 11040, 1680, 330, "Return Cards",
        "Click to return melded card to hand");
    row("LblHeadings_3", 14640, 5280, 1095, 375, " Black 3's");
    row("LblHeadings_1", 13560, 5280, 1095, 375, " Aces");
    row("LblHeadings_12", 11400, 5280, 1095, 375, " Queens");
    row("LblHeadings_7", 6000, 5280, 1095, 375, "Sevens", "Sevens melded here");
    row("LblHeadings_8", 7080, 5280, 1095, 375, " Eights");
    row("LblHeadings_4", 2760, 5280, 1095, 375, "Fours");
    row("LblHeadings_15", 1680, 5280, 1095, 375, "Red 3's");
    row("lblMeldsC_13", 12480, 1920, 1095, 615, "");
    row("lblMelds_14", 1680, 8160, 1095, 615, "");
    row("FramResults", 5880, 1920, 5895, 5880, "Scores and Winner", "Result of Hand played");
    row("FramTarget", 7320, 3360, 2775, 3855, "Target points a game",
        "Set number of points to play to in each game");
    // Inside the frames, from the frame's corner.
    row("cmdNew", 3480, 4680, 1575, 405, "&Carry On", "Deal Next Hand");
    row("cmdSave", 600, 4680, 1575, 405, "E&xit and Save", "Close down and save game");
    row("lblInfoScores", 240, 5160, 5295, 615, "Instructions");
    row("CmdTarget", 600, 3300, 1575, 405, "&O.K", "Click to Exit");
  }

  void designElements() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    Table t({}, false);
    QCOMPARE(t.surface()->size(), QSize(1061, 762));
    QWidget* w = t.find(name);
    QVERIFY2(w, qPrintable(name));
    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(w->geometry(), pixels);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(w)) shown = label->text();
    if (auto* button = qobject_cast<QPushButton*>(w)) shown = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w)) shown = frame->title();
    QCOMPARE(shown, caption);
    QCOMPARE(w->toolTip(), tip);
  }

  void designDetails() {
    Table t({}, false);
    QCOMPARE(t.window.windowTitle(), QString("Larkspur"));
    QCOMPARE(t.find("Txtpoints")->toolTip(),
             QString("Enter the niumber of points for game Target"));
    QCOMPARE(t.text("LblP"), QString("You"));
    QCOMPARE(t.find("LblP")->pos(), QPoint(2040 / 15, 240 / 15));
    QCOMPARE(t.text("LblB"), QString("Opponent"));
    QCOMPARE(t.text("GGrandtotal"), QString("Total Game Points"));
    QCOMPARE(t.find("GGrandtotal")->pos(), QPoint(240 / 15, 4320 / 15));
    QCOMPARE(t.card(1)->size(), QSize(71, 96));
    // The two frames and the command labels wait until the game asks for them.
    QVERIFY(!t.find("FramResults")->isVisible());
    QVERIFY(!t.find("FramTarget")->isVisible());
    QVERIFY(!t.find("LblDiscarding")->isVisible());
    QVERIFY(!t.find("LblReturnPack")->isVisible());
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
    auto* game = t.find<QMenu>("MnuPlay");
    QCOMPARE(game->actions().size(), 4);
    QCOMPARE(game->actions().first()->objectName(), QString("MnuNew"));
    QCOMPARE(t.find<QMenu>("MnuNames")->actions().size(), 2);
    QCOMPARE(t.find<QMenu>("MnuStats")->actions().size(), 2);

    // While the deal runs the whole Game menu, shortcuts included, rests.
    t.window.game().Table.MnuPlayEnabled = false;
    t.window.syncFromModel();
    QVERIFY(!game->menuAction()->isEnabled());
    for (QAction* a : game->actions()) QVERIFY(!a->isEnabled());
    t.window.game().Table.MnuPlayEnabled = true;
    t.window.syncFromModel();
    for (QAction* a : game->actions()) QVERIFY(a->isEnabled());
  }

  void startUpShowsStockAndNames() {
    Table t("\"Ada\",\"Robo\",300,0,0,0,0,3000\r\n");
    QCOMPARE(t.window.windowTitle(), QString("Larkspur"));
    // The human bottom left and under "You"; the robot top left and under "Opponent".
    QCOMPARE(t.text("LblNames_2"), QString("Ada"));
    QCOMPARE(t.text("LblP"), QString("Ada"));
    QCOMPARE(t.text("LblNames_1"), QString("Robo"));
    QCOMPARE(t.text("LblB"), QString("Robo"));
    QCOMPARE(t.text("LblTargetScore"), QString("Target Score 3000"));
    QCOMPARE(t.text("LblStock"), QString("No. Deck 108"));
    QCOMPARE(t.text("LblDiscard"), QString("Discard"));
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
    QCOMPARE(t.surface()->childAt(centreIn(t.surface(), t.card(108))), t.card(108));
  }

  void modelIsDrawn() {
    Table t;
    TableModel& m = t.window.game().Table;
    m.Caption = "Larkspur - Target Score is 5000";
    m.LblGenInfo.Caption = "Player  click the Discard pack or click Stock for two cards.";
    m.lblMelds[7].Caption = " Pure Canasta 7 Wild:-0";
    m.lblMelds[7].BackColor = RGB(255, 0, 0);
    m.LblDiscarding.Visible = true;
    CardPicture& pic = m.PicCards[5];
    pic.Image = 5;
    pic.Left = 3000;
    pic.Top = 9000;
    pic.BorderStyle = 1;
    pic.ToolTip = "Click the card you wish to Meld and then Label over Meld to add.";
    pic.MousePointer = CustomPointer;
    pic.MouseIcon = PointerRefuse;
    m.Txtpoints = "1234";
    t.window.syncFromModel();

    QCOMPARE(t.window.windowTitle(), QString("Larkspur - Target Score is 5000"));
    QCOMPARE(t.text("LblGenInfo"), QString::fromStdString(m.LblGenInfo.Caption));
    auto* meld = t.find<QLabel>("lblMelds_7");
    QCOMPARE(meld->text(), QString(" Pure Canasta 7 Wild:-0"));
    QVERIFY(meld->autoFillBackground());
    QCOMPARE(meld->palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(t.find("LblDiscarding")->isVisible());
    CardWidget* card = t.card(5);
    QCOMPARE(card->image(), 5);
    QCOMPARE(card->pos(), QPoint(200, 600));
    QVERIFY(card->marked());
    QCOMPARE(card->toolTip(), QString::fromStdString(pic.ToolTip));
    QCOMPARE(card->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(card->cursor().pixmap().toImage(), pointerCursor(PointerRefuse).pixmap().toImage());
    QCOMPARE(t.find<QLineEdit>("Txtpoints")->text(), QString("1234"));

    // And back again.
    pic.MousePointer = 0;
    pic.BorderStyle = 0;
    m.LblDiscarding.Visible = false;
    m.lblMelds[7].BackColor = RGB(192, 255, 192);
    t.window.syncFromModel();
    QCOMPARE(card->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!card->marked());
    QVERIFY(!t.find("LblDiscarding")->isVisible());
    QCOMPARE(meld->palette().color(QPalette::Window), QColor(192, 255, 192));

    // Typing in the target box reaches the model.
    auto* edit = t.find<QLineEdit>("Txtpoints");
    edit->clear();
    QTest::keyClicks(edit, "2500");
    QCOMPARE(m.Txtpoints, std::string("2500"));
  }

  // The pile frame's colour numbers are blue-green-red: 65280 green, 65535 yellow, 255 red.
  void pileFrameColour_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("open") << 65280 << QColor(0, 255, 0);
    QTest::newRow("frozen") << 65535 << QColor(255, 255, 0);
    QTest::newRow("blocked") << 255 << QColor(255, 0, 0);
  }

  void pileFrameColour() {
    QFETCH(int, number);
    QFETCH(QColor, colour);
    Table t({}, false);
    t.window.game().Table.Shape1.BorderColor = number;
    t.window.syncFromModel();
    // The middle of the frame's top edge (0, 6360, 1335 wide).
    const QImage image = t.surface()->grab().toImage();
    QCOMPARE(image.pixelColor(1335 / 30, 6360 / 15 + 1), colour);
  }

  void stacking() {
    Table t;
    QWidget* s = t.surface();
    TableModel& m = t.window.game().Table;
    const QPoint onPile = centreIn(s, t.card(108));
    QCOMPARE(s->childAt(onPile), t.card(108));
    m.BringToFront(m.PicCards[3]);
    t.window.syncFromModel();
    QCOMPARE(s->childAt(onPile), t.card(3));
    // Sent back below the others: the whole pile is stacked again.
    m.PicCards[3].ZOrder = 0;
    t.window.syncFromModel();
    QCOMPARE(s->childAt(onPile), t.card(108));

    // Cards lie above labels.
    m.PicCards[9].Left = 120;
    m.PicCards[9].Top = 960;
    m.BringToFront(m.PicCards[9]);
    t.window.syncFromModel();
    QCOMPARE(s->childAt(QPoint(20, 70)), t.card(9));

    // A frame brought to the front covers the cards; a card brought later lies on it.
    m.PicCards[10].Left = 6000;
    m.PicCards[10].Top = 3000;
    m.BringToFront(m.PicCards[10]);
    m.FramResults.Visible = true;
    m.BringToFront(m.FramResults);
    t.window.syncFromModel();
    QWidget* frame = t.find("FramResults");
    const QPoint onCard = centreIn(s, t.card(10));
    QWidget* hit = s->childAt(onCard);
    QVERIFY(hit == frame || frame->isAncestorOf(hit));
    m.BringToFront(m.PicCards[10]);
    t.window.syncFromModel();
    QCOMPARE(s->childAt(onCard), t.card(10));
  }

  void resizingScalesTheTable() {
    Table t;
    const int menu = t.window.height() - t.surface()->height();
    t.window.resize(2122, 1524 + menu);
    QTRY_COMPARE(t.surface()->size(), QSize(2122, 1524));
    QCOMPARE(t.card(1)->size(), QSize(142, 192));
    QCOMPARE(t.find("LblGenInfo")->geometry(), QRect(16, 128, 162, 626));
    QCOMPARE(t.find("LblHeadings_7")->geometry(), QRect(800, 704, 146, 50));

    // A wide, low window: the whole table still fits and the cards still take clicks.
    t.window.resize(1400, 500 + menu);
    QTRY_COMPARE(t.surface()->size(), QSize(1400, 500));
    const QRect area = t.surface()->rect();
    for (QWidget* w : t.surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible()) QVERIFY2(area.contains(w->geometry()), qPrintable(w->objectName()));
    QCOMPARE(t.surface()->childAt(centreIn(t.surface(), t.card(108))), t.card(108));
    QCOMPARE(t.card(1)->size(), QSize(qRound(1065 * 500 / 11430.0), qRound(1440 * 500 / 11430.0)));
  }

  void headingPointer() {
    Table t;
    QVERIFY(t.ready());
    QWidget* heading = t.find("LblHeadings_9");
    QTest::mouseMove(heading);
    QTRY_COMPARE(heading->toolTip(), QString("Player click to Meld the Wild card you chose."));
    QCOMPARE(heading->cursor().shape(), Qt::BitmapCursor);
  }

  // F2 starts a game; in the human's turn a click on the stock draws two cards;
  // Exit asks, and "Yes-Exit" ends the program and writes the player file.
  void playingThroughTheWindow() {
    Table t("\"Player\",\"Barnaby\",1,0,0,0,0,5000\r\n");
    QVERIFY(t.ready());
    Game& g = t.window.game();
    MessageAnswer quitAnswer{0, {}, {}};
    std::unique_ptr<Answerer> answerer;
    bool drew = false;
    int before = 0, after = 0;
    QString tip;
    Qt::CursorShape shape = Qt::ArrowCursor;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      if (drew || !g.HandInPlay || !g.PlayerToPlay || !g.PlayerTurnOpen) return;
      drew = true;
      QWidget* s = t.surface();
      int top = 0;
      for (int c = 1; c <= CardCount; ++c)
        if (g.Cards[c].Place == PlaceStock &&
            (!top || g.Table.PicCards[c].ZOrder > g.Table.PicCards[top].ZOrder))
          top = c;
      CardWidget* stock = t.card(top);
      QCOMPARE(s->childAt(centreIn(s, stock)), stock);
      QTest::mouseMove(stock);
      tip = stock->toolTip();
      shape = stock->cursor().shape();
      before = countPlaces(g, {PlaceHumanHand, PlaceHumanRedThree});
      QTest::mouseClick(stock, Qt::LeftButton);
      after = countPlaces(g, {PlaceHumanHand, PlaceHumanRedThree});
      answerer = std::make_unique<Answerer>(std::ref(quitAnswer));
      t.window.findChild<QAction*>("MnuExit")->trigger();
    });
    poll.start(10);
    QTest::keyClick(&t.window, Qt::Key_F2);  // returns when the game has been left
    poll.stop();

    QVERIFY2(drew, "the human's turn never came");
    QCOMPARE(tip, QString("Player left click to take two cards."));
    QCOMPARE(shape, Qt::BitmapCursor);
    QVERIFY2(after >= before + 2, qPrintable(QString("%1 -> %2").arg(before).arg(after)));
    QCOMPARE(quitAnswer.title, QString("Quit without saving?"));
    QVERIFY(g.Ended());
    QVERIFY(t.window.host().ended());
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.nameFile().startsWith("\"Player\",\"Barnaby\""));
  }

  void closeBoxAsksFirst() {
    Table t;
    QVERIFY(t.ready());
    MessageAnswer carryOn{1, {}, {}};
    {
      Answerer answerer(std::ref(carryOn));
      QVERIFY(!t.window.windowHandle()->close());
      QCOMPARE(answerer.answered, 1);
    }
    QCOMPARE(carryOn.title, QString("Really Exit?"));
    QCOMPARE(carryOn.message, QString("Player do you really wish to exit?"));
    QVERIFY(t.window.isVisible());
    QVERIFY(!t.window.game().Ended());
    QVERIFY(!QFile::exists(t.dir.filePath("Name.dat")));

    MessageAnswer yesExit{0, {}, {}};
    {
      Answerer answerer(std::ref(yesExit));
      QVERIFY(t.window.windowHandle()->close());
    }
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.window.game().Ended());
    QVERIFY(QFile::exists(t.dir.filePath("Name.dat")));
  }

  void nameCommands() {
    Table t;
    QVERIFY(t.ready());
    QString question, inputTitle, prompt;
    bool questionIcon = false;
    // Answers the question box with `yes`, then the input box with `name` (or cancels).
    auto answer = [&](bool yes, const QString& name, bool cancel = false) {
      return [&, yes, name, cancel](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
          question = box->windowTitle() + '|' + box->text();
          questionIcon = box->icon() == QMessageBox::Question;
          box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
          return true;
        }
        if (auto* input = qobject_cast<QInputDialog*>(w)) {
          inputTitle = input->windowTitle();
          prompt = input->labelText();
          if (!input->textValue().isEmpty()) return false;  // starts empty
          if (cancel) {
            input->reject();
          } else {
            input->setTextValue(name);
            input->accept();
          }
          return true;
        }
        return false;
      };
    };
    auto run = [&](const char* action, auto answering) {
      Answerer answerer(answering);
      t.window.findChild<QAction*>(action)->trigger();
      return answerer.answered;
    };

    QCOMPARE(run("MnuNameP", answer(true, "Ada")), 2);
    QCOMPARE(question, QString("Please enter your name| Welcome Player if you wish to change the "
                               "Player's name click on 'Yes' "));
    QVERIFY(questionIcon);
    QCOMPARE(inputTitle, QString("Enter your name"));
    QCOMPARE(prompt, QString("Please enter new player's name."));
    QCOMPARE(t.text("LblNames_2"), QString("Ada"));
    QCOMPARE(t.text("LblP"), QString("Ada"));
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"Barnaby\""));

    QCOMPARE(run("MnuNameR", answer(true, "Robo")), 2);
    QCOMPARE(inputTitle, QString("Enter Opponent's name"));
    QCOMPARE(prompt, QString("Please enter new Robot's name."));
    QCOMPARE(t.text("LblNames_1"), QString("Robo"));
    QCOMPARE(t.text("LblB"), QString("Robo"));
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"Robo\""));

    // "No" leaves the name alone; a cancelled input box gives an empty name.
    QCOMPARE(run("MnuNameP", answer(false, "Zed")), 1);
    QCOMPARE(t.text("LblNames_2"), QString("Ada"));
    QCOMPARE(run("MnuNameR", answer(true, "", true)), 2);
    QCOMPARE(t.text("LblNames_1"), QString(""));
  }

  void targetFrame() {
    Table t;
    QVERIFY(t.ready());
    t.window.findChild<QAction*>("MnuTarget")->trigger();
    QWidget* frame = t.find("FramTarget");
    QVERIFY(frame->isVisible());
    auto* edit = t.find<QLineEdit>("Txtpoints");
    QTest::keyClicks(edit, "3000");
    MessageAnswer ok{0, {}, {}};
    Answerer answerer(std::ref(ok));
    QTest::mouseClick(t.find("CmdTarget"), Qt::LeftButton);
    QCOMPARE(ok.title, QString("Target points set."));
    QVERIFY(!frame->isVisible());
    QCOMPARE(t.text("LblTargetScore"), QString("Target Score:- 3000"));
    QCOMPARE(t.window.game().TargetScore, 3000);
  }
};

QTEST_MAIN(TestTableWindow)
#include "test_table_window.moc"
