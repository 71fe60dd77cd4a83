// The real table window on the real game: its elements in their places, the
// menus, the model drawn, and clicks, menu commands and the close box reaching
// the game; and the Qt host's waits.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "dialog/MessageWindow.h"
#include "ui/Folders.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

namespace {

// A table window whose program folder is a fresh temporary folder holding
// the given player file, if any.
struct Table {
  explicit Table(const QByteArray& nameFile = {}, bool load = true) {
    if (QFile file(dir.filePath("Name.dat")); !nameFile.isEmpty() && file.open(QFile::WriteOnly))
      file.write(nameFile);
    window.host().setPlayerFileFolder(dir.path());
    window.host().setQuitOnEnd(false);
    if (load) window.load();
    window.show();
    window.activateWindow();
  }
  bool ready() { return QTest::qWaitForWindowActive(&window); }
  QWidget* find(const QString& name) { return window.findChild<QWidget*>(name); }
  QString text(const QString& name) { return window.findChild<QLabel*>(name)->text(); }
  CardWidget* card(int c) { return window.findChild<CardWidget*>(QString("PicCards_%1").arg(c)); }
  QWidget* surface() { return window.centralWidget(); }
  // The widget a click on the middle of w would reach.
  QWidget* at(QWidget* w) { return surface()->childAt(w->mapTo(surface(), w->rect().center())); }
  QString nameFile() {
    QFile file(dir.filePath("Name.dat"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  QTemporaryDir dir;
  TableWindow window;
};

// Keeps a file or folder from being written for as long as it lives: by its
// permissions, or for root, who passes them, by marking it immutable where the
// system allows it.
class Unwritable {
 public:
  explicit Unwritable(const QString& path) : path_(QFile::encodeName(path)) { works_ = set(true); }
  ~Unwritable() { set(false); }
  bool works() const { return works_; }

 private:
  bool set(bool on) {
    if (::geteuid() != 0) return ::chmod(path_.constData(), on ? 0555 : 0755) == 0;
    const int fd = ::open(path_.constData(), O_RDONLY);
    int flags = 0;
    bool set = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    set = set && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return set;
  }
  QByteArray path_;
  bool works_ = false;
};

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Runs act, answering each modal window that comes up meanwhile; returns how
// many were answered.
int answering(const std::function<bool(QWidget*)>& answer, const std::function<void()>& act) {
  int answered = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = MessageWindow::current();
    if (!modal) modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && answer(modal)) ++answered;
  });
  timer.start(10);
  act();
  return answered;
}

// Clicks button i of the program's message window, noting its title and text.
std::function<bool(QWidget*)> clickMessage(int i, QString& seen) {
  return [i, &seen](QWidget* w) {
    auto* m = qobject_cast<MessageWindow*>(w);
    if (!m) return false;
    seen = m->titleText().trimmed() + '|' + m->messageText();
    m->clickButton(i);
    return true;
  };
}

}  // namespace

class TestTableWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    // The per-user settings and data of the tests are their own, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
  }
  // Each test starts from no settings, as on a first start.
  void init() { QSettings().clear(); }

  // A representative set of elements in their places at the table's own size
  // (15 twips a pixel; those in frames from the frame's corner) with their
  // first texts; the menus.
  void elementsInPlaceAndMenus() {
    Table t({}, false);
    QCOMPARE(t.surface()->size(), QSize(TableWidth / TwipsPerPixel, TableHeight / TwipsPerPixel));
    const int sevens = MeldColumnLeft(RankSeven), width = MeldColumnWidth;
    const struct {
      const char *name, *caption, *tip;
      QRect twips;
    } elements[] = {
        {"LblNames_2", "Player  Name", "", {0, HumanScoreRowTop, 1710, 330}},
        {"LblMinMeld", "Minimum Meld:", "Your minimum meld", {12240, RobotScoreRowTop, 1905, 330}},
        {"LblHeadings_7", "Sevens", "Sevens melded here", {sevens, MeldHeadingTop, width, 375}},
        {"FramResults", "Scores and Winner", "Result of Hand played", {5880, 1920, 5895, 5880}},
        {"cmdNew", "&Carry On", "Deal Next Hand", {3480, 4680, 1575, 405}},
        {"CmdTarget", "&O.K", "Click to Exit", {600, 3300, 1575, 405}},
    };
    for (const auto& e : elements) {
      QWidget* w = t.find(e.name);
      QCOMPARE(w->geometry(),
               QRect(e.twips.topLeft() / TwipsPerPixel, e.twips.size() / TwipsPerPixel));
      QCOMPARE(w->property(qobject_cast<QGroupBox*>(w) ? "title" : "text").toString(),
               QString(e.caption));
      QCOMPARE(w->toolTip(), QString(e.tip));
    }

    QStringList titles;
    for (QAction* a : t.window.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, (QStringList{"&Game", "Cha&nge Names", "Stat&istics", "&Target Score",
                                  "&Options", "Canasta &Help ", "About"}));
    const struct {
      const char *name, *text;
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
      QCOMPARE(action->text(), QString(item.text));
      QCOMPARE(action->shortcut(), item.key);
    }
    // While the deal runs the whole Game menu, shortcuts included, rests.
    t.window.game().Table.MnuPlayEnabled = false;
    t.window.syncFromModel();
    for (QAction* a : t.window.findChild<QMenu*>("MnuPlay")->actions()) QVERIFY(!a->isEnabled());
  }

  // Speed checks the item of the pace read from the player file, none for a
  // pace no item gives; an item chosen sets the pace and saves it. Sound is
  // kept in the per-user settings, not in the player file, and silences the host.
  void optionsMenu() {
    auto checkedSpeed = [](Table& t) {
      QStringList names;
      for (QAction* a : t.window.findChild<QMenu*>("MnuSpeed")->actions())
        if (a->isChecked()) names << a->objectName();
      return names.join(',');
    };
    {
      Table t("\"Ada\",\"Robo\",250,0,0,0,0,5000\r\n");
      QCOMPARE(checkedSpeed(t), QString());
      t.window.findChild<QAction*>("MnuFast")->trigger();
      QCOMPARE(checkedSpeed(t), QString("MnuFast"));
      QVERIFY(t.window.game().PaceSetting == 100 && t.window.game().Delay == 100);
      QCOMPARE(t.nameFile(), QString("\"Ada\",\"Robo\",100,0,0,0,0,5000\r\n"));

      QAction* sound = t.window.findChild<QAction*>("MnuSound");
      QVERIFY(sound->isChecked() && t.window.host().soundOn());
      sound->trigger();
      QVERIFY(!t.window.host().soundOn());
      QCOMPARE(t.nameFile(), QString("\"Ada\",\"Robo\",100,0,0,0,0,5000\r\n"));
    }
    Table t("\"Ada\",\"Robo\",0,0,0,0,0,5000\r\n");
    QCOMPARE(checkedSpeed(t), QString("MnuNoPauses"));
    QVERIFY(!t.window.findChild<QAction*>("MnuSound")->isChecked() && !t.window.host().soundOn());
  }

  // Start-up from the player file: names, target and the stock face down in
  // one slanted pile at the bottom left, the last card on top. Made wide and
  // low, the whole table still fits and the cards still take clicks.
  void startUpAndResizing() {
    Table t("\"Ada\",\"Robo\",300,0,0,0,0,3000\r\n");
    QCOMPARE(t.text("LblNames_2") + t.text("LblNames_1"), QString("AdaRobo"));
    QCOMPARE(t.text("LblTargetScore"), QString("Target Score 3000"));
    QCOMPARE(t.text("LblStock"), QString("No. Deck 108"));
    QCOMPARE(t.text("LblGenInfo"),
             QString("Ada  welcome to Larkspur - Press F2 or us Game Menu for a new game."));
    QRect pile;
    for (int c = 1; c <= CardCount; ++c) {
      QVERIFY(t.card(c)->isVisible() && t.card(c)->image() == BackImage);
      pile |= t.card(c)->geometry();
    }
    QVERIFY(pile.left() < 20 && pile.bottom() > 700 && pile.width() < 100);

    const int menu = t.window.height() - t.surface()->height();
    t.window.resize(1400, 500 + menu);
    QTRY_COMPARE(t.surface()->size(), QSize(1400, 500));
    const double scale = 500.0 / TableHeight;
    QCOMPARE(t.card(1)->size(), QSize(qRound(CardWidth * scale), qRound(CardHeight * scale)));
    for (QWidget* w : t.surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible())
        QVERIFY2(t.surface()->rect().contains(w->geometry()), qPrintable(w->objectName()));
    QCOMPARE(t.at(t.card(CardCount)), t.card(CardCount));
  }

  // The window comes back where the player left it, inside the screen when
  // the screen has shrunk since, and never smaller than the table's labels need.
  void windowPlaceIsKept() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint position = area.topLeft() + QPoint(30, 40);
    {
      Table t;
      t.window.move(position);
      t.window.resize(620, 500);
      QVERIFY(t.ready());
      t.window.host().EndProgram();
    }
    {
      Table t;
      QCOMPARE(t.window.pos(), position);
      QCOMPARE(t.window.size(), QSize(620, 500));
      t.window.resize(100, 100);
      QCOMPARE(t.surface()->size(), QSize(560, 402));
    }
    QSettings().setValue("window/position", area.bottomRight() + QPoint(500, -100));
    QSettings().setValue("window/size", QSize(area.width() + 300, 600));
    Table t;
    QCOMPARE(t.window.pos(), QPoint(area.left(), area.bottom() + 1 - 600));
    QCOMPARE(t.window.size(), QSize(area.width(), 600));
  }

  // Name.dat stays beside the program while it can be written there, as a
  // file or as a new one in the folder; otherwise it is kept in the player's
  // own folder, made when missing, where the one beside the program is copied
  // once, never over the player's own.
  void playerFileFolder() {
    QTemporaryDir program, user;
    const QString own = user.filePath("Larkspur");
    const QString beside = program.filePath("Name.dat"), copied = own + "/Name.dat";
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), program.path());
    writeFile(beside, "\"Ada\",\"Robo\",300,2,1,0,0,5000\r\n");
    Unwritable folder(program.path());
    if (!folder.works()) QSKIP("this system cannot make a folder unwritable");
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), program.path());
    QVERIFY(!QFileInfo::exists(own));

    Unwritable file(beside);
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), own);
    QCOMPARE(fileBytes(copied), fileBytes(beside));
    QVERIFY(QFileInfo(copied).isWritable());
    writeFile(copied, "mine");
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), own);
    QCOMPARE(fileBytes(copied), QByteArray("mine"));
  }

  // A sound is found beside the program, else where an install puts it.
  void soundsAreFoundWhereInstalled() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin"), share = prefix.filePath("share/larkspur");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
    writeFile(share + "/win.wav", "RIFF");
    QCOMPARE(larkspur::findSound(bin, "win.wav"), share + "/win.wav");
    writeFile(bin + "/win.wav", "RIFF");
    QCOMPARE(larkspur::findSound(bin, "win.wav"), bin + "/win.wav");
    QCOMPARE(larkspur::findSound(bin, "riffle.wav"), QString());
  }

  // The model's captions, colours, cards, stacking and text box reach the widgets.
  void modelIsDrawn() {
    Table t;
    TableModel& m = t.window.game().Table;
    m.Caption = "Larkspur - Target Score is 5000";
    m.lblMelds[RankSeven].Caption = " Pure Canasta 7 Wild:-0";
    m.lblMelds[RankSeven].BackColor = PureCanastaColor;
    m.Shape1.BorderColor = PileBlocked;
    CardPicture& pic = m.PicCards[5];
    pic.Left = 6000, pic.Top = 3000, pic.Image = 5, pic.Visible = true, pic.BorderStyle = 1;
    pic.ToolTip = "Click the cards you wish to meld.";
    m.BringToFront(m.PicCards[3]);
    m.Txtpoints = "1234";
    t.window.syncFromModel();
    QCOMPARE(t.window.windowTitle(), QString("Larkspur - Target Score is 5000"));
    auto* meld = t.window.findChild<QLabel*>("lblMelds_7");
    QCOMPARE(meld->text(), QString(" Pure Canasta 7 Wild:-0"));
    QVERIFY(meld->autoFillBackground() && meld->palette().color(QPalette::Window) == Qt::red);
    // The middle of the pile frame's top edge: red.
    const QPoint edge((m.Shape1.Left + m.Shape1.Width / 2) / TwipsPerPixel,
                      m.Shape1.Top / TwipsPerPixel + 1);
    QCOMPARE(t.surface()->grab().toImage().pixelColor(edge), QColor(255, 0, 0));
    CardWidget* card = t.card(5);
    QVERIFY(card->image() == 5 && card->marked());
    QCOMPARE(card->pos(), QPoint(400, 200));
    QCOMPARE(card->toolTip(), QString("Click the cards you wish to meld."));
    QCOMPARE(t.at(t.card(CardCount)), t.card(3));
    auto* edit = t.window.findChild<QLineEdit*>("Txtpoints");
    QCOMPARE(edit->text(), QString("1234"));
    QTest::keyClicks(edit, "0");
    QCOMPARE(m.Txtpoints, std::string("12340"));

    // Sent back below the others, the pile is stacked again; an open frame
    // covers the cards, even one brought to the front after it, whatever the
    // frame's own counter.
    m.PicCards[3].ZOrder = 0;
    m.FramResults.Visible = true;
    m.BringToFront(m.FramResults);
    t.window.syncFromModel();
    QCOMPARE(t.at(t.card(CardCount)), t.card(CardCount));
    QVERIFY(t.find("FramResults")->isAncestorOf(t.at(t.card(5))));
    m.BringToFront(pic);
    t.window.syncFromModel();
    QVERIFY(t.find("FramResults")->isAncestorOf(t.at(t.card(5))));
    m.FramResults.Visible = false;
    m.FramTarget.Visible = true;
    pic.Left = 7500, pic.Top = 3500;
    m.BringToFront(pic);
    t.window.syncFromModel();
    QVERIFY(t.find("FramTarget")->isAncestorOf(t.at(t.card(5))));
  }

  // F2 starts a game; in the human's turn the pointer over the top of the
  // stock invites a click, which draws (at least) two cards; Exit asks, and "Yes-Exit"
  // ends the program and writes the player file.
  void playingThroughTheWindow() {
    Table t("\"Player\",\"Barnaby\",1,0,0,0,0,5000\r\n");
    QVERIFY(t.ready());
    Game& g = t.window.game();
    QString quit, tip;
    int before = -1, after = -1;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      if (g.Table.FramResults.Visible && before < 0)  // a hand over before the human drew
        return QTest::mouseClick(t.find("cmdNew"), Qt::LeftButton);
      if (before >= 0 || !g.HandInPlay || !g.PlayerToPlay || !g.PlayerTurnOpen) return;
      int some = 1;
      while (g.Cards[some].Place != PlaceStock) ++some;
      QWidget* stock = t.at(t.card(some));  // the top of the stock
      QTest::mouseMove(stock);
      tip = stock->toolTip() + (stock->cursor().shape() == Qt::BitmapCursor ? "+" : "-");
      before = g.StockCount;
      QTest::mouseClick(stock, Qt::LeftButton);
      after = g.StockCount;
      answering(clickMessage(0, quit), [&] { t.window.findChild<QAction*>("MnuExit")->trigger(); });
    });
    poll.start(10);
    QTest::keyClick(&t.window, Qt::Key_F2);  // returns when the game has been left
    poll.stop();

    QVERIFY2(before >= 0, "the human's turn never came");
    QCOMPARE(tip, QString("Player left click to take two cards.+"));
    QVERIFY2(after <= before - 2, qPrintable(QString("%1 -> %2").arg(before).arg(after)));
    QVERIFY(quit.startsWith("Quit without saving?|"));
    QVERIFY(g.Ended() && !t.window.isVisible());
    QVERIFY(t.nameFile().startsWith("\"Player\",\"Barnaby\",1,"));
  }

  // The close box asks "Really Exit?": "Carry On" keeps the program, "Yes
  // Exit" ends it and writes the player file.
  void closeBoxAsksFirst() {
    Table t;
    QVERIFY(t.ready());
    QString seen;
    bool closed = true;
    answering(clickMessage(1, seen), [&] { closed = t.window.windowHandle()->close(); });
    QVERIFY(!closed);
    QCOMPARE(seen, QString("Really Exit?|Player do you really wish to exit?"));
    QVERIFY(t.window.isVisible() && !t.window.game().Ended() && t.nameFile().isEmpty());
    answering(clickMessage(0, seen), [&] { closed = t.window.windowHandle()->close(); });
    QVERIFY(closed);
    QVERIFY(!t.window.isVisible() && t.window.game().Ended() && !t.nameFile().isEmpty());
  }

  // "Change your name": Yes, then a name, shown bottom left and under "You" and
  // saved; No changes nothing. "Change Opponent Name" cancelled in the input
  // box: an empty name.
  void nameCommands() {
    Table t;
    QVERIFY(t.ready());
    // Answers the question, then the input box with a name, or cancels it (nullptr).
    auto rename = [&](const char* action, bool yes, const char* name) {
      auto answer = [&](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w))
          box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        auto* input = qobject_cast<QInputDialog*>(w);
        if (input) input->setTextValue(name ? name : "typed");
        if (input) name ? input->accept() : input->reject();
        return input || qobject_cast<QMessageBox*>(w);
      };
      return answering(answer, [&] { t.window.findChild<QAction*>(action)->trigger(); });
    };
    QCOMPARE(rename("MnuNameP", true, "Ada"), 2);
    QCOMPARE(t.text("LblNames_2") + t.text("LblP"), QString("AdaAda"));
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"Barnaby\""));
    QCOMPARE(rename("MnuNameP", false, "Eve"), 1);
    QCOMPARE(t.text("LblNames_2"), QString("Ada"));
    QCOMPARE(rename("MnuNameR", true, nullptr), 2);
    QCOMPARE(t.text("LblNames_1") + t.text("LblB"), QString("BarnabyBarnaby"));
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"Barnaby\""));
    QCOMPARE(rename("MnuNameR", true, ""), 2);
    QCOMPARE(t.text("LblNames_1") + t.text("LblB"), QString());
    QVERIFY(t.nameFile().startsWith("\"Ada\",\"\""));
  }

  // Names too long for their labels end in "…" inside the label and show
  // whole in its tooltip; the minimum meld shortens only the name and keeps
  // its words and number on the table. So at the table's own size and when small.
  void longNamesGiveWay() {
    const QString player = "Bartholomew Montgomery-Fitzwilliam of Little Snoring-on-Wold";
    const QString robot = "Barnaby the Magnificent Card Robot";
    Table t(('"' + player + "\",\"" + robot + "\",300,0,0,0,0,5000\r\n").toUtf8());
    t.window.game().CheckMinimumMeld(Human);
    t.window.syncFromModel();
    const QString ellipsis(QChar(0x2026));
    for (const QSize size :
         {QSize(TableWidth / TwipsPerPixel, TableHeight / TwipsPerPixel), QSize(640, 480)}) {
      t.window.resize(size.width(), size.height() + t.window.height() - t.surface()->height());
      QApplication::processEvents();
      QCOMPARE(t.surface()->size(), size);
      const struct {
        const char *label, *neighbour;
        const QString& name;
      } names[] = {{"LblNames_1", "LblGameScore_2", robot},
                   {"LblNames_2", "LblGameScore_1", player},
                   {"LblP", "LblB", player},
                   {"LblB", nullptr, robot}};
      for (const auto& n : names) {
        auto* label = t.window.findChild<QLabel*>(n.label);
        const QString shown = label->text();
        QVERIFY2(shown.endsWith(ellipsis) && n.name.startsWith(shown.chopped(1)),
                 qPrintable(shown));
        QCOMPARE(label->toolTip(), n.name);
        const int end = n.neighbour ? t.find(n.neighbour)->x() : label->parentWidget()->width();
        QVERIFY(label->x() + QFontMetrics(label->font()).horizontalAdvance(shown) <= end);
      }
      auto* minMeld = t.window.findChild<QLabel*>("LblMinMeld");
      QVERIFY2(minMeld->text().endsWith(ellipsis + "Minimum Meld: 50"),
               qPrintable(minMeld->text()));
      QVERIFY(minMeld->x() + QFontMetrics(minMeld->font()).horizontalAdvance(minMeld->text()) <=
              t.surface()->width());
    }
  }

  // Named in LARKSPUR_TABLE_LOG, a file gets a line of what the table shows
  // each time that changes, and only then.
  void tableLog() {
    QTemporaryDir logDir;
    const QString path = logDir.filePath("table.log");
    qputenv("LARKSPUR_TABLE_LOG", QFile::encodeName(path));
    Table t("\"Ada\",\"Robo\",300,0,0,0,0,3000\r\n");
    qunsetenv("LARKSPUR_TABLE_LOG");
    TableModel& m = t.window.game().Table;
    for (int c : {1, 2, 3}) m.PicCards[c].Top = HumanHandTop;
    m.PicCards[3].Visible = false;
    m.LblDiscarding.Visible = true;
    m.LblStock.Caption = "No. Deck 97";
    t.window.syncFromModel();
    t.window.syncFromModel();
    QFile log(path);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n');
    const QString status =
        "|status=Ada  welcome to Larkspur - Press F2 or us Game Menu for a new game.";
    QCOMPARE(lines.mid(lines.size() - 3),
             (QStringList{"stock=No. Deck 108|discard=Discard|hand=0|discarding=0" + status,
                          "stock=No. Deck 97|discard=Discard|hand=2|discarding=1" + status, ""}));
  }

  // A double click is one press on a card and one click on a label, whether
  // the platform makes it from two quick presses or it comes as press,
  // release, double click, release; moving the pointer still reaches the game.
  void doubleClickIsOneClick() {
    CardArt art;
    CardWidget card(nullptr, art);
    TableLabel label(nullptr);
    int presses = 0, clicks = 0, moves = 0;
    card.onPress = [&] { ++presses; };
    card.onMove = [&] { ++moves; };
    label.onClick = [&] { ++clicks; };
    for (QWidget* w : {static_cast<QWidget*>(&card), static_cast<QWidget*>(&label)}) {
      w->setGeometry(100, 100, 60, 60);
      w->show();
      QVERIFY(QTest::qWaitForWindowExposed(w));
      QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
      QTest::mousePress(w, Qt::LeftButton);
      QTest::mouseRelease(w, Qt::LeftButton);
      QTest::mouseDClick(w, Qt::LeftButton);
      QTest::mouseRelease(w, Qt::LeftButton);
    }
    QCOMPARE(presses, 2);
    QCOMPARE(clicks, 2);
    const int movesBefore = moves;
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(card.mapToGlobal(QPoint(10, 10))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&card, &move);
    QCOMPARE(moves, movesBefore + 1);
  }

  // The host's waits redraw first and handle events; a pause is not cut
  // short, a deadline already past returns at once, and after the end of the
  // program nothing waits any more.
  void hostWaits() {
    QtHost host;
    host.setQuitOnEnd(false);
    int redraws = 0;
    host.setRedraw([&] { ++redraws; });
    bool handled = false;
    QTimer::singleShot(5, [&] { handled = true; });
    const std::int64_t start = host.TickCount();
    host.WaitUntil(start + 60);
    QVERIFY(handled && host.TickCount() >= start + 60);
    QCOMPARE(redraws, 1);
    bool late = false;
    QTimer::singleShot(0, [&] { late = true; });
    host.WaitUntil(host.TickCount() - 1);
    QVERIFY(!late);
    while (!late) host.WaitForEvent();
    host.EndProgram();
    host.WaitUntil(host.TickCount() + 100000);
    host.WaitForEvent();
  }

 private:
  QTemporaryDir settingsDir_;
};

QTEST_MAIN(TestTableWindow)
#include "test_table_window.moc"
