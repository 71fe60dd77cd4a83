// The real table window on the real game: drawn, clicked, keyed, read aloud;
// the score sheet, the folders, and the Qt host's questions and waits.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <limits>

#include "about/HelpText.h"
#include "ui/Folders.h"
#include "ui/MessageWindow.h"
#include "ui/ScoreSheetWindow.h"
#include "ui/Sounds.h"
#include "ui/StatisticsWindow.h"
#include "ui/TableAccessibility.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

using namespace larkspur;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

// A table window, shown and active, its player file (if any) in a fresh folder.
// Given a folder, the table keeps its player file and data there instead, to be shared.
struct Table {
  explicit Table(const QByteArray& nameFile = {}, const QString& folder = {}) {
    const QString in = folder.isEmpty() ? dir.path() : folder;
    if (!nameFile.isEmpty()) writeFile(in + "/Name.dat", nameFile);
    window.host().setPlayerFileFolder(in);
    if (!folder.isEmpty()) window.host().setDataFolder(folder + "/data");
    window.host().setQuitOnEnd(false);
    window.load();
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) qWarning("the table window is not active");
  }
  Game& game() { return window.game(); }
  QWidget* find(const QString& name) { return window.findChild<QWidget*>(name); }
  QAction* action(const char* name) { return window.findChild<QAction*>(name); }
  CardWidget* card(int c) { return window.findChild<CardWidget*>(QString("PicCards_%1").arg(c)); }
  QWidget* surface() { return window.centralWidget(); }
  // The widget a click on the middle of w would reach.
  QWidget* at(QWidget* w) { return surface()->childAt(w->mapTo(surface(), w->rect().center())); }
  void resize(QSize table) {
    window.resize(table.width(), table.height() + window.height() - surface()->height());
    QApplication::processEvents();
  }
  QString nameFile() { return QString::fromUtf8(fileBytes(dir.filePath("Name.dat"))); }
  // A hand in play with every card in the stock: ready to lay out a position.
  void emptyTable() {
    game().HandInPlay = false;
    game().NewHandReset();
    game().HandInPlay = true;
  }
  // Presses a key on the table; returns where the focus ring then is.
  TableTarget key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(surface(), k, m);
    return window.focusRing();
  }
  QString checkedSpeed() {
    const QAction* checked = action("MnuFast")->actionGroup()->checkedAction();
    return checked ? checked->objectName() : QString();
  }

  QTemporaryDir dir;
  TableWindow window;
};

// Keeps a file or folder unwritable while it lives; for root, by marking it immutable.
struct Unwritable {
  explicit Unwritable(const QString& path) : path(QFile::encodeName(path)), works(set(true)) {}
  ~Unwritable() { set(false); }
  bool set(bool on) const {
    if (::geteuid() != 0) return ::chmod(path.constData(), on ? 0555 : 0755) == 0;
    const int fd = ::open(path.constData(), O_RDONLY);
    int flags = 0;
    bool set = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    set = set && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return set;
  }
  const QByteArray path;
  const bool works;
};

// Runs act, answering each modal window that comes up meanwhile.
void answering(const std::function<void(QWidget*)>& answer, const std::function<void()>& act) {
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = MessageWindow::current();
    if (!modal) modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) answer(modal);
  });
  timer.start(10);
  act();
}

// Runs act, clicking button i of each message window; returns the last one's words.
QString answeringMessages(int i, const std::function<void()>& act) {
  QString seen;
  const auto click = [i, &seen](QWidget* w) {
    if (auto* m = qobject_cast<MessageWindow*>(w))
      seen = m->titleText().trimmed() + '|' + m->messageText(), m->clickButton(i);
  };
  answering(click, act);
  return seen;
}

// Every text on the table drawn at 8 pixels or more and whole; see readableAtTheSmallestSize.
void readableAndWhole(Table& t) {
  const TableModel& m = t.game().Table;
  std::vector<QWidget*> shown;
  for (QWidget* w : t.surface()->findChildren<QWidget*>())
    if (w->isVisible() && (qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w)))
      shown.push_back(w);
  QVERIFY(shown.size() > 60);
  for (QWidget* w : shown) {
    const auto* label = qobject_cast<QLabel*>(w);
    const QString text = label ? label->text() : qobject_cast<QPushButton*>(w)->text();
    const QFontMetrics metrics(w->font());
    bool whole = w->font().pixelSize() >= 8 && !text.contains(QChar(0x2026));
    if (label && label->wordWrap()) {
      const QRect r =
          metrics.boundingRect(QRect(0, 0, w->width(), 1 << 20), Qt::TextWordWrap, text);
      whole = whole && r.width() <= w->width() && r.height() <= w->height();
    } else {
      // A caption that runs on past its label covers nothing else.
      const int advance = metrics.horizontalAdvance(text);
      whole = whole && advance <= w->width() && w->parentWidget()->rect().contains(w->geometry());
      for (const TableElement& e : m.Elements()) {
        const int own = qRound(e.Lbl ? e.Lbl->Width * t.window.scale() : 0);
        if (QString::fromStdString(e.Name) != w->objectName() || advance <= own + 1) continue;
        const QRect runOn(w->x() + own, w->y(), advance - own, w->height());
        for (QWidget* other : shown)
          whole = whole && (other == w || other->parentWidget() != w->parentWidget() ||
                            !other->geometry().intersects(runOn));
      }
    }
    QVERIFY2(whole, qPrintable(w->objectName() + ": " + text));
  }
}

}  // namespace

class TestTableWindow : public QObject {
  Q_OBJECT

 private slots:
  // The tests' own per-user settings, beside the log each table writes.
  void initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    qputenv("LARKSPUR_TABLE_LOG", QFile::encodeName(settingsDir_.filePath("table.log")));
  }
  void init() { QSettings().clear(); }

  // Speed checks the player file's pace, if an item has it, and saves a new one
  // there; No pauses is kept apart, so the file's pace stays for later. Sound (on at
  // first), the robot (Classic) and the window's place are kept, the window inside a
  // smaller screen and never smaller than the labels need.
  void settingsAreKept() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint position = area.topLeft() + QPoint(30, 40);
    {
      Table t("\"Ada\",\"Robo\",0,0,0,0,0,5000\r\n");
      QCOMPARE(t.checkedSpeed(), QString());
      QVERIFY(!t.window.host().pausesSkipped());
      t.action("MnuNoPauses")->trigger();
      QVERIFY(t.window.host().pausesSkipped());
      QCOMPARE(t.nameFile(), QString("\"Ada\",\"Robo\",0,0,0,0,0,5000\r\n"));
      t.action("MnuFast")->trigger();
      QVERIFY(!t.window.host().pausesSkipped());
      t.action("MnuNoPauses")->trigger();
      QVERIFY(t.action("MnuSound")->isChecked());
      QVERIFY(t.window.host().soundOn());
      t.action("MnuSound")->trigger();
      QVERIFY(!t.window.host().soundOn());
      QCOMPARE(t.nameFile(), QString("\"Ada\",\"Robo\",100,0,0,0,0,5000\r\n"));
      QVERIFY(t.game().RobotPlayer() == RobotPlay::Classic);
      QVERIFY(t.action("MnuClassic")->isChecked());
      t.action("MnuExpert")->trigger();
      t.window.move(position);
      t.window.resize(900, 700);
      t.window.host().EndProgram();
    }
    {
      Table t("\"Ada\",\"Robo\",250,0,0,0,0,5000\r\n");
      QCOMPARE(t.checkedSpeed(), QString("MnuNoPauses"));
      QVERIFY(t.window.host().pausesSkipped());
      QVERIFY(!t.action("MnuSound")->isChecked());
      QVERIFY(!t.window.host().soundOn());
      QVERIFY(t.game().RobotPlayer() == RobotPlay::Expert);
      QVERIFY(t.action("MnuExpert")->isChecked());
      QCOMPARE(t.window.pos(), position);
      QCOMPARE(t.window.size(), QSize(900, 700));
      t.window.resize(100, 100);
      QCOMPARE(t.surface()->size(), QSize(800, 574));
      t.action("MnuMaster")->trigger();
      QVERIFY(t.game().RobotPlayer() == RobotPlay::Master);
    }
    QSettings().setValue("window/position", area.bottomRight() + QPoint(500, -100));
    QSettings().setValue("window/size", QSize(area.width() + 300, 600));
    {
      Table t;
      QCOMPARE(QRect(t.window.pos(), t.window.size()),
               QRect(area.left(), area.bottom() + 1 - 600, area.width(), 600));
      QVERIFY(t.action("MnuMaster")->isChecked());
    }
    // However wild the stored values, the window lies on the screen (and nothing overflows).
    const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    const std::pair<QPoint, QSize> wild[] = {{{2147483600, 2147483600}, {620, 500}},
                                             {{least, 0}, {620, 500}},
                                             {{least, least}, {most, most}},
                                             {{most, least}, {most, 600}},
                                             {{0, 0}, {most, most}}};
    for (const auto& [position, size] : wild) {
      QSettings().setValue("window/position", position);
      QSettings().setValue("window/size", size);
      Table t;
      QVERIFY2(area.contains(QRect(t.window.pos(), t.window.size())),
               qPrintable(QString("%1,%2").arg(position.x()).arg(position.y())));
    }
  }

  // Every element in its frame and place at 15 twips a pixel, with its words; the
  // model's captions, colours, cards, stacking and menu state then reach the widgets,
  // an open frame covering even a card brought to the front after it. Made wide and
  // low, the whole table still fits and its top card takes clicks.
  void modelIsDrawn() {
    Table t("\"Ada\",\"Robo\",300,0,0,0,0,3000\r\n");
    std::map<const Frame*, QWidget*> frames{{nullptr, t.surface()}};
    for (const TableElement& e : t.game().Table.Elements()) {
      QWidget* w = t.find(QString::fromStdString(e.Name));
      QVERIFY2(w, e.Name.c_str());
      QVERIFY2(w->parentWidget() == frames.at(e.Parent), e.Name.c_str());
      if (e.Frm) frames[e.Frm] = w;
      auto drawn = [&](const auto& m, const char* caption) {  // a long caption runs on right
        const char* name = e.Name.c_str();
        QVERIFY2(w->pos() == QPoint(m.Left, m.Top) / TwipsPerPixel, name);
        QVERIFY2(w->height() == m.Height / TwipsPerPixel, name);
        QVERIFY2(w->width() >= m.Width / TwipsPerPixel, name);
        QVERIFY2(w->property(caption).toString() == QString::fromStdString(m.Caption), name);
        QVERIFY2(w->toolTip() == QString::fromStdString(m.ToolTip), name);
      };
      e.Frm ? drawn(*e.Frm, "title") : drawn(*e.Lbl, "text");
    }

    TableModel& m = t.game().Table;
    m.lblMelds[RankSeven].Caption = " Pure Canasta 7 Wild:-0";
    m.lblMelds[RankSeven].BackColor = PureCanastaColor;
    m.Shape1.BorderColor = PileBlocked;
    CardPicture& pic = m.PicCards[5];
    pic.Left = 6000, pic.Top = 3000, pic.Image = 5, pic.Visible = true, pic.BorderStyle = 1;
    m.BringToFront(m.PicCards[3]);
    m.MnuPlayEnabled = false;  // while the deal runs: the whole Game menu, shortcuts included
    t.window.syncFromModel();
    auto* meld = t.window.findChild<QLabel*>("lblMelds_7");
    QCOMPARE(meld->text(), QString(" Pure Canasta 7 Wild:-0"));
    QVERIFY(meld->autoFillBackground());
    QCOMPARE(meld->palette().color(QPalette::Window), QColor(Qt::red));
    const QPoint edge(m.Shape1.Width / 2 / TwipsPerPixel, m.Shape1.Top / TwipsPerPixel + 1);
    QCOMPARE(t.surface()->grab().toImage().pixelColor(edge), QColor(255, 0, 0));  // pile blocked
    QCOMPARE(t.card(5)->image(), 5);
    QVERIFY(t.card(5)->marked());
    QCOMPARE(t.card(5)->pos(), QPoint(400, 200));
    QCOMPARE(t.at(t.card(CardCount)), t.card(3));
    for (QAction* a : t.window.findChild<QMenu*>("MnuPlay")->actions()) QVERIFY(!a->isEnabled());

    m.PicCards[3].ZOrder = 0;  // sent back below the others: the pile is stacked again
    m.FramResults.Visible = true;
    m.BringToFront(m.FramResults);
    t.window.syncFromModel();
    QCOMPARE(t.at(t.card(CardCount)), t.card(CardCount));
    m.BringToFront(pic);
    t.window.syncFromModel();
    QVERIFY(t.find("FramResults")->isAncestorOf(t.at(t.card(5))));

    t.resize({1400, 600});
    const double scale = 600.0 / TableHeight;
    QCOMPARE(t.card(1)->size(), QSize(qRound(CardWidth * scale), qRound(CardHeight * scale)));
    for (QWidget* w : t.surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible())
        QVERIFY2(t.surface()->rect().contains(w->geometry()), qPrintable(w->objectName()));
    QCOMPARE(t.at(t.card(CardCount)), t.card(CardCount));
  }

  // The host's input box, cancelled, gives no text at all; its waits, already past
  // or after the end of the program, return at once, and with the pauses skipped
  // a wait handles what is there and returns. It finds a sound beside the
  // program, else where an install puts it. Name.dat stays beside the program while
  // it can be written there; else it moves to the player's own folder, copied there.
  void hostAndFolders() {
    QtHost host;
    host.setQuitOnEnd(false);
    auto input = [&](bool accept) {  // "Ada" typed, then accepted or cancelled
      std::optional<std::string> text;
      const auto type = [accept](QWidget* w) {
        qobject_cast<QInputDialog*>(w)->setTextValue("Ada");
        qobject_cast<QInputDialog*>(w)->done(accept ? QDialog::Accepted : QDialog::Rejected);
      };
      answering(type, [&] { text = host.InputText("Names", "Name?"); });
      return text;
    };
    QVERIFY(input(true) == "Ada");
    QVERIFY(!input(false));

    bool handled = false;
    QObject waiting;  // takes the call below with it, should the wait never make it
    QTimer::singleShot(0, &waiting, [&] { handled = true; });
    host.WaitUntil(host.TickCount() - 1);  // already past: back at once
    QVERIFY(!handled);
    host.setPausesSkipped(true);
    host.WaitUntil(host.TickCount() + 100000);
    QVERIFY(handled);
    host.EndProgram();
    host.WaitUntil(host.TickCount() + 100000);  // after the end nothing waits
    host.WaitForEvent();

    QTemporaryDir program, user;
    const QString bin = program.filePath("bin"), share = program.filePath("share/larkspur");
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QDir().mkpath(share));
    writeFile(share + "/win.wav", "RIFF");
    QCOMPARE(larkspur::findSound(bin, "win.wav"), share + "/win.wav");
    writeFile(bin + "/win.wav", "RIFF");
    QCOMPARE(larkspur::findSound(bin, "win.wav"), bin + "/win.wav");
    QCOMPARE(larkspur::findSound(bin, "riffle.wav"), QString());

    const QString own = user.filePath("Larkspur");
    const QString beside = program.filePath("Name.dat"), copied = own + "/Name.dat";
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), program.path());
    writeFile(beside, "\"Ada\",\"Robo\",300,2,1,0,0,5000\r\n");
    Unwritable folder(program.path());
    if (!folder.works) QSKIP("this system cannot make a folder unwritable");
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), program.path());
    QVERIFY(!QFileInfo::exists(own));
    Unwritable file(beside);
    QCOMPARE(larkspur::playerFileFolder(program.path(), own), own);
    QCOMPARE(fileBytes(copied), fileBytes(beside));
    QVERIFY(QFileInfo(copied).isWritable());

    // No folder of the player's own to be had either: the names beside the program
    // are played with where they are, and a save says it cannot be made.
    QTemporaryDir noHome;
    Unwritable home(noHome.path());
    QCOMPARE(larkspur::playerFileFolder(program.path(), noHome.filePath("Larkspur")),
             program.path());
    QtHost readOnly;
    readOnly.setQuitOnEnd(false);
    readOnly.setPlayerFileFolder(program.path());
    Game game(readOnly);
    game.Form_Load();
    bool saved = true;
    const QString said = answeringMessages(0, [&] { saved = game.SaveNameFile(); });
    QVERIFY(game.PlayerName == "Ada");
    QVERIFY(!saved);
    QVERIFY(said.startsWith("Not saved|"));
  }

  // The sound module is loaded only from where the build or the install put it: not
  // one planted beside an installed program, nor one that others could have changed.
  // One that cannot be loaded leaves the game silent.
  void soundModuleIsFoundAndPlays() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString lib = QDir(bin).filePath(LARKSPUR_MODULES_FROM_PROGRAM);
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QDir().mkpath(lib));
    const QString module = LARKSPUR_BUILD_DIR "/larkspur-sounds.so";
    const QString installed = QDir::cleanPath(lib + "/larkspur-sounds.so");
    QVERIFY(QFile::copy(module, bin + "/larkspur-sounds.so"));
    QCOMPARE(larkspur::findSoundModule(bin), QString());
    QVERIFY(QFile::copy(module, installed));
    QCOMPARE(larkspur::findSoundModule(bin), installed);
    QCOMPARE(larkspur::findSoundModule(LARKSPUR_BUILD_DIR), QDir::cleanPath(module));
    const QFileDevice::Permissions own = QFile::permissions(installed);
    QFile::setPermissions(installed, own | QFile::WriteGroup);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Larkspur: no sounds: .* may be changed by others"));
    QVERIFY(!larkspur::SoundModule(bin).makePlayer());
    QFile::setPermissions(installed, own);
    if (::geteuid() == 0) {
      QVERIFY(::chown(QFile::encodeName(installed).constData(), 65534, 65534) == 0);
      QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Larkspur: no sounds: .* belongs to "
                                                            "someone other than you"));
      QVERIFY(!larkspur::SoundModule(bin).makePlayer());
      QVERIFY(::chown(QFile::encodeName(installed).constData(), 0, 0) == 0);
    }
    writeFile(installed, "not a library");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Larkspur: no sounds: "));
    QVERIFY(!larkspur::SoundModule(bin).makePlayer());

    larkspur::SoundModule built(LARKSPUR_BUILD_DIR);
    const std::unique_ptr<larkspur::SoundPlayer> player = built.makePlayer();
    QVERIFY(player);
    if (player->haveOutput()) player->play(LARKSPUR_BUILD_DIR "/riffle.wav");
    player->stopAll();
  }

  // Each clickable label and button reaches its own handler, a heading's with its
  // rank, and so does the pointer over a heading; the target box edits the model.
  void clicksReachTheGame() {
    Table t;
    Game& g = t.game();
    g.WildChosen = FirstTwo, g.Cards[FirstTwo].Place = PlaceHumanHand, g.PlayerToPlay = true;
    g.Table.LblDiscarding.Visible = g.Table.FramTarget.Visible = true;
    g.Table.Txtpoints = "60";
    t.window.syncFromModel();
    auto* points = t.window.findChild<QLineEdit*>("Txtpoints");
    QCOMPARE(points->text(), QString("60"));
    QTest::keyClick(points, Qt::Key_End);
    QTest::keyClicks(points, "0");  // the box and the model hold the same text
    auto click = [&](const char* element) {
      g.Table.FramResults.Visible = true;
      t.window.syncFromModel();
      answeringMessages(0, [&] { QTest::mouseClick(t.find(element), Qt::LeftButton); });
    };
    QTest::mouseMove(t.find("LblHeadings_7"));  // a heading's tooltip follows the pointer
    QVERIFY(t.find("LblHeadings_7")->toolTip().endsWith("click to Meld the Wild card you chose."));
    click("LblHeadings_7");
    QVERIFY(g.Table.LblGenInfo.Caption.ends_with("no Meld made."));
    click("LblDiscarding");
    QVERIFY(g.PlayerDiscarding);
    click("CmdTarget");
    QCOMPARE(g.TargetScore, 600);
    click("cmdNew");
    QVERIFY(!g.Table.FramResults.Visible);
    QVERIFY(!g.Ended());
    click("cmdSave");
    QVERIFY(g.Ended());
  }

  // Target Score opens with the target selected in the box, to type over; Return in
  // the box or on O.K. sets it, Escape from either closes the frame with the target kept.
  void targetBoxTakesTyping() {
    Table t("\"Ada\",\"Robo\",1,0,0,0,0,3000\r\n");
    Game& g = t.game();
    auto* box = t.window.findChild<QLineEdit*>("Txtpoints");
    auto opened = [&] {  // the box has the keyboard, the target selected
      t.action("MnuTarget")->trigger();
      return g.Table.FramTarget.Visible && t.window.focusWidget() == box &&
             box->selectedText() == QString::number(g.TargetScore);
    };
    // The target after typing text over it and pressing the keys; -1 if the frame
    // did not open as it should or did not close and hand the keyboard back. (The
    // window is not active again at once after a message.)
    auto typed = [&](const char* text, std::vector<Qt::Key> keys) {
      if (!opened()) return -1;
      QTest::keyClicks(box, text);
      answeringMessages(0, [&] {
        for (Qt::Key key : keys) QTest::keyClick(t.window.focusWidget(), key);
      });
      return !g.Table.FramTarget.Visible && t.window.focusWidget() == t.surface() ? g.TargetScore
                                                                                  : -1;
    };
    QCOMPARE(typed("2000", {Qt::Key_Return}), 2000);
    QCOMPARE(typed("1500", {Qt::Key_Tab, Qt::Key_Return}), 1500);
    QCOMPARE(typed("900", {Qt::Key_Escape}), 1500);
    QCOMPARE(typed("900", {Qt::Key_Tab, Qt::Key_Escape}), 1500);
    QVERIFY(opened());
  }

  // The results frame answers keys as a message window does: "Carry On" has the focus,
  // ringed in dots as clearly as there; Return, Space or its letter, with or without
  // Alt, deal on, "Exit and Save" answers its own; Tab goes round the two buttons and
  // Escape does nothing at all.
  void resultsFrameAnswersTheKeys() {
    enum Outcome { CarriedOn, Exited, Stays };
    const std::pair<std::vector<QKeyCombination>, Outcome> cases[] = {
        {{Qt::Key_Return}, CarriedOn},
        {{Qt::Key_Enter}, CarriedOn},
        {{Qt::Key_Space}, CarriedOn},
        {{Qt::Key_C}, CarriedOn},
        {{Qt::ALT | Qt::Key_C}, CarriedOn},
        {{Qt::Key_X}, Exited},
        {{Qt::ALT | Qt::Key_X}, Exited},
        {{Qt::Key_Escape}, Stays},
        {{Qt::Key_Tab, Qt::Key_Return}, Exited},
        {{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}, CarriedOn},
        {{Qt::SHIFT | Qt::Key_Backtab, Qt::Key_Return}, Exited},
    };
    for (const auto& [keys, outcome] : cases) {
      Table t;
      Game& g = t.game();
      g.Table.FramResults.Visible = true;
      t.window.syncFromModel();
      QCOMPARE(QApplication::focusWidget(), t.find("cmdNew"));
      for (const QKeyCombination key : keys) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : t.surface(), key.key(), key.keyboardModifiers());
      }
      // A button's own Alt shortcut clicks it a moment later, as a pressed button comes up.
      auto seen = [&g] {
        return g.Ended() ? Exited : g.Table.FramResults.Visible ? Stays : CarriedOn;
      };
      const QString pressed = QKeySequence(keys.front()).toString();
      if (outcome != Stays) QTRY_VERIFY2(seen() == outcome, qPrintable(pressed));
      QVERIFY2(seen() == outcome && g.NextHandGo == (outcome != Stays), qPrintable(pressed));
    }

    // The ring: dark dots on the light face, where the button without the focus has none.
    Table t;
    t.game().Table.FramResults.Visible = true;
    t.window.syncFromModel();
    QWidget* carryOn = t.find("cmdNew");
    const QImage ringed = carryOn->grab().toImage();
    t.find("cmdSave")->setFocus();
    const QImage plain = carryOn->grab().toImage();
    int dots = 0;
    for (int y = 0; y < plain.height(); ++y)
      for (int x = 0; x < plain.width(); ++x)
        dots += qGray(plain.pixel(x, y)) - qGray(ringed.pixel(x, y)) > 128;
    QVERIFY2(dots >= (carryOn->width() + carryOn->height()) / 2, qPrintable(QString::number(dots)));
  }

  // Names are shown exactly as typed wherever they appear, never read as markup: on the
  // labels and the status line, in the tooltips over cards, headings and shortened names,
  // in the message window and the question box, on the score sheet and to screen readers.
  void namesAreShownAsTyped() {
    QTemporaryDir pictures;
    const QString picture = pictures.filePath("p.png");
    QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(picture));
    const QString player = "<img src=" + picture + ">", robot = "<b>x</b>";
    Table t(('"' + player + "\",\"" + robot + "\",0,0,0,0,0,5000\r\n").toUtf8());
    Game& g = t.game();
    // What the tooltip over w shows: Qt reads a text that looks like markup as markup.
    auto tipOver = [](QWidget* w) {
      QToolTip::hideText();
      QHelpEvent help(QEvent::ToolTip, w->rect().center(), w->mapToGlobal(w->rect().center()));
      QApplication::sendEvent(w, &help);
      const QString tip = QToolTip::text();
      if (!Qt::mightBeRichText(tip)) return tip;
      return QTextDocumentFragment::fromHtml(tip).toPlainText().replace(QChar::Nbsp, ' ');
    };
    for (auto* label : t.surface()->findChildren<TableLabel*>())
      QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    auto* shortened = t.window.findChild<QLabel*>("LblNames_2");
    QVERIFY(shortened->text().endsWith(QChar(0x2026)));
    QCOMPARE(tipOver(shortened), player);
    QCOMPARE(t.window.findChild<QLabel*>("LblB")->text(), robot);
    auto* status = t.window.findChild<QLabel*>("LblGenInfo");  // the picture's long path gives way
    QVERIFY(status->text().startsWith("<img src="));
    QVERIFY(tipOver(status).startsWith(player + "  welcome"));

    g.HandInPlay = g.PlayerToPlay = g.PlayerTurnOpen = true;
    QTest::mouseMove(t.card(CardCount));  // the top of the stock
    QCOMPARE(tipOver(t.card(CardCount)), player + " left click to take two cards.");
    QTest::mouseMove(t.find("LblHeadings_7"));
    QCOMPARE(tipOver(t.find("LblHeadings_7")), player + " click to Meld the Wild card you chose.");
    g.HandInPlay = g.PlayerToPlay = g.PlayerTurnOpen = false;

    g.Cards[FirstFour].Place = PlaceRobotHand;
    QCOMPARE(QAccessible::queryAccessibleInterface(t.card(FirstFour))->text(QAccessible::Name),
             "A card in " + robot + "'s hand");
    QString message, question;
    answering(
        [&](QWidget* w) {
          if (auto* m = qobject_cast<MessageWindow*>(w)) {
            if (m->findChild<QLabel*>("Label2")->textFormat() == Qt::PlainText)
              message = m->messageText();
            m->clickButton(1);
          } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (box->textFormat() == Qt::PlainText) question = box->text();
            box->button(QMessageBox::No)->click();
          }
        },
        [&] {
          g.Form_QueryUnload();
          g.MnuNameP_Click();
        });
    QCOMPARE(message, player + " do you really wish to exit?");
    QCOMPARE(question, " Welcome " + player +
                           " if you wish to change the Player's name click on "
                           "'Yes' ");

    g.LogMove(HandMove::Discard, Robot, FirstAce + 2);
    t.action("MnuScoreSheet")->trigger();
    auto* sheet = t.window.findChild<ScoreSheetWindow*>();
    QVERIFY(sheet);
    QCOMPARE(sheet->log()->toPlainText(), robot + " discarded the ace of hearts");
    QVERIFY(sheet->sheet()->horizontalHeaderItem(6)->text().contains(robot));
  }

  // The help names every command of the menu bar, submenus and their items too.
  void helpCoversTheMenus() {
    Table t;
    const QString help = QString::fromStdString(HelpText()).replace('\n', ' ');
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
      for (const QAction* a : actions) {
        const QString text = QString(a->text()).remove('&').trimmed();
        QVERIFY2(a->isSeparator() || help.contains(text), qPrintable(text));
        if (a->menu()) walk(a->menu()->actions());
      }
    };
    walk(t.window.menuBar()->actions());
  }

  // F1 shows the help, dashes intact; F2 deals. In the human's turn the stock invites
  // the pointer; Tab rings it in yellow, H outlines the hint in cyan, Space draws, the
  // outline goes and the ring comes to the hand. Left and Right stop at its ends,
  // Shift+Tab goes round to the Discard label, Return clicks it and the ring comes back
  // to the hand, a click discards; no ring is left.
  // The close box asks: "Carry On" keeps the game, "Yes Exit" ends and saves.
  void playingATurn() {
    Table t("\"Player\",\"Barnaby\",1,0,0,0,0,5000\r\n");
    Game& g = t.game();
    QString help, asked;
    bool kept = false, played = false;
    answering(
        [&](QWidget* w) { help = w->findChild<QPlainTextEdit*>()->toPlainText(), w->close(); },
        [&] { QTest::keyClick(&t.window, Qt::Key_F1); });
    QVERIFY(help.contains(QString::fromUtf8("\n50 points\t0 \u2013 1495 game score to date\n")));
    t.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.window));

    using T = TableTarget;
    // The colour drawn just inside the left edge of an element's outline.
    auto outline = [&](const T& target) {
      const TableRect p = g.Table.PlaceOf(target);
      const QRect r = t.window.tableRect(p.Left, p.Top, p.Width, p.Height);
      return t.surface()->grab().toImage().pixelColor(r.left() + 1, r.center().y());
    };
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      if (g.Table.FramResults.Visible && !played)  // a hand over before the human drew
        return QTest::mouseClick(t.find("cmdNew"), Qt::LeftButton);
      if (played || !g.HandInPlay || !g.PlayerToPlay || !g.PlayerTurnOpen) return;
      played = true;
      [&] {
        const T ringed = t.key(Qt::Key_Tab);
        QCOMPARE(ringed.What, T::Stock);
        QCOMPARE(outline(ringed), TableMarks::kRingColor);
        QWidget* stock = t.card(ringed.Index);  // the top of the stock
        QTest::mouseMove(stock);
        QCOMPARE(stock->toolTip(), QString("Player left click to take two cards."));
        QCOMPARE(stock->cursor().shape(), Qt::BitmapCursor);
        QTest::keyClick(&t.window, Qt::Key_H);
        const T hint = g.Table.HintTarget;
        QVERIFY(hint.What == T::Stock || hint.What == T::Pile);
        QCOMPARE(outline(hint), TableMarks::kHintColor);
        const int hand = g.HandCount[Human];
        const T drawn = t.key(Qt::Key_Space);
        QVERIFY(g.PlayerHasDrawn);
        QCOMPARE(g.HandCount[Human], hand + 2);
        QCOMPARE(g.Table.HintTarget.What, T::None);

        const std::vector<T> melding = g.ClickableNow();
        QCOMPARE(drawn, melding[0]);  // the ring stays, on the card nearest the stock
        QCOMPARE(t.key(Qt::Key_Right), melding[1]);
        QCOMPARE(t.key(Qt::Key_Left), melding[0]);
        QCOMPARE(t.key(Qt::Key_Left), melding[0]);
        QCOMPARE(t.key(Qt::Key_Backtab, Qt::ShiftModifier).What, T::ReturnLabel);
        QCOMPARE(t.key(Qt::Key_Backtab, Qt::ShiftModifier).What, T::DiscardLabel);
        const T first = t.key(Qt::Key_Return);
        QCOMPARE(first, melding[0]);
        QVERIFY(g.PlayerDiscarding);
        QTest::mouseClick(t.card(first.Index), Qt::LeftButton);
        QCOMPARE(g.Cards[first.Index].Place, int(PlacePile));
        QVERIFY(!g.PlayerToPlay);
        QCOMPARE(t.window.focusRing().What, T::None);
      }();
      QFile::remove(t.dir.filePath("Name.dat"));
      asked = answeringMessages(1, [&] { t.window.windowHandle()->close(); });
      kept = t.window.isVisible() && g.HandInPlay && !g.Ended() && t.nameFile().isEmpty();
      // Had the box closed the table without asking, Exit ends the game instead of a hang.
      if (!kept) return (void)answeringMessages(0, [&] { t.action("MnuExit")->trigger(); });
      answeringMessages(0, [&] { t.window.windowHandle()->close(); });
    });
    poll.start(10);
    QTest::keyClick(&t.window, Qt::Key_F2);  // returns when the game has been left
    poll.stop();
    QVERIFY2(played, "the human's turn never came");
    QCOMPARE(asked, QString("Really Exit?|Player do you really wish to exit?"));
    QVERIFY2(kept, "the close box closed the table without asking, or saved");
    QVERIFY(g.Ended());
    QVERIFY(!t.window.isVisible());
    QVERIFY(!t.nameFile().isEmpty());
  }

  // After a meld by key the ring stays where the player works: on the next card of the
  // same rank, else on the card nearest to it; after the Discard label, on the hand. It
  // goes once the turn is over.
  void ringFollowsPlay() {
    Table t("\"Ada\",\"Robo\",1,0,0,0,0,5000\r\n");
    Game& g = t.game();
    t.emptyTable();
    g.PlayerToPlay = g.PlayerHasDrawn = true;
    g.Table.LblDiscarding.Visible = true;
    const int four = FirstCardOfRank(RankFour), nine = FirstCardOfRank(RankNine);
    for (int c : {four, four + 1, four + 2, nine}) g.Cards[c].Place = PlaceHumanHand;
    g.HandLayout(Human);
    t.window.syncFromModel();
    using T = TableTarget;
    const T keyed[] = {t.key(Qt::Key_Tab), t.key(Qt::Key_Right), t.key(Qt::Key_Right),
                       // the nine now lies where the third four lay
                       t.key(Qt::Key_Return), t.key(Qt::Key_Return), t.key(Qt::Key_Return),
                       t.key(Qt::Key_Tab), t.key(Qt::Key_Return)};
    const T expected[] = {{T::HandCard, four},     {T::HandCard, four + 1}, {T::HandCard, four + 2},
                          {T::HandCard, four + 1}, {T::HandCard, four},     {T::HandCard, nine},
                          {T::DiscardLabel},       {T::HandCard, nine}};
    for (std::size_t i = 0; i < std::size(keyed); ++i)
      QVERIFY2(keyed[i] == expected[i], qPrintable(QString("key %1").arg(i)));
    QCOMPARE(g.MeldInfo[Human][RankFour].Count, 3);
    QVERIFY(g.PlayerDiscarding);
    g.PlayerToPlay = false;
    t.window.syncFromModel();
    QCOMPARE(t.window.focusRing().What, T::None);
  }

  // At any size names too long end in "…" and show whole in their tooltips; the
  // minimum meld shortens only the name, its words and number stay on the table. In
  // the status box a word too long for a line ends in "…" and the tooltip has it all.
  void longNamesGiveWay() {
    const QString player = "Bartholomew Montgomery-Fitzwilliam of Little Snoring-on-Wold";
    const QString robot = "Barnaby the Magnificent Card Robot";
    Table t(('"' + player + "\",\"" + robot + "\",300,0,0,0,0,5000\r\n").toUtf8());
    t.game().CheckMinimumMeld(Human);
    const QString status = "Wolfeschlegelsteinhausenbergerdorff  your opponent will now play.";
    t.game().Table.LblGenInfo.Caption = status.toStdString();
    t.window.syncFromModel();
    auto* statusBox = t.window.findChild<QLabel*>("LblGenInfo");
    const QString ellipsis(QChar(0x2026));
    const std::pair<const char*, const QString&> names[] = {
        {"LblNames_1", robot}, {"LblNames_2", player}, {"LblP", player}, {"LblB", robot}};
    for (const QSize size : {QSize(1061, 762), QSize(800, 574)}) {
      t.resize(size);
      for (const auto& [name, whole] : names) {
        auto* label = t.window.findChild<QLabel*>(name);
        const QString shown = label->text();
        QVERIFY2(shown.endsWith(ellipsis), qPrintable(shown));
        QVERIFY2(whole.startsWith(shown.chopped(1)), qPrintable(shown));
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(shown) <= label->width(),
                 qPrintable(shown));
        QCOMPARE(label->toolTip(), whole);
      }
      const QRect wrapped = QFontMetrics(statusBox->font())
                                .boundingRect(QRect(0, 0, statusBox->width(), 1 << 20),
                                              Qt::TextWordWrap, statusBox->text());
      QVERIFY2(statusBox->text().startsWith("Wolfe"), qPrintable(statusBox->text()));
      QVERIFY2(statusBox->text().endsWith(ellipsis + "  your opponent will now play."),
               qPrintable(statusBox->text()));
      QCOMPARE_LE(wrapped.width(), statusBox->width());
      QCOMPARE_LE(wrapped.height(), statusBox->height());
      QCOMPARE(statusBox->toolTip(), status);
      auto* minMeld = t.window.findChild<QLabel*>("LblMinMeld");
      const QString meld = minMeld->text();
      QVERIFY2(meld.endsWith(ellipsis + "Minimum Meld: 50"), qPrintable(meld));
      QVERIFY2(minMeld->x() + QFontMetrics(minMeld->font()).horizontalAdvance(meld) <=
                   t.surface()->width(),
               qPrintable(meld));
    }
  }

  // At its own size and the smallest the window takes, with the longest captions play
  // gives and the results frame open, every text is drawn at 8 pixels or more and none
  // is cut: a wrapped one fits its box whole, a one-line one its label or the bare
  // table beside it.
  void readableAtTheSmallestSize() {
    Table t;
    TableModel& m = t.game().Table;
    t.game().CheckMinimumMeld(Human);
    m.LblGenInfo.Caption =
        "Player take the discard pile: a pair of nines in your hand takes "
        "it for your first meld, and it holds 14 cards.";
    for (int p : {Human, Robot}) {
      m.LblGameScore[p].Caption = "Game Pts. -1234";
      m.LblHandScore[p].Caption = "Hand Pts. -1234";
      m.LblMeldScore[p].Caption = "Meld Pts. 1234";
      m.LblBonusScore[p].Caption = "Bonus Pts. 1234";
      for (auto* row : {&m.CardPoints, &m.RThreesPoints, &m.MixedCans, &m.PureCans, &m.OutFirst,
                        &m.MinusPoints, &m.PointsTotal, &m.LblGamePoints})
        (*row)[p].Caption = " - 1234";
    }
    m.LblPointsHand.Caption = "Pts. Hand: 1234";
    m.LblStock.Caption = "Stock:- 108";
    m.LblDiscard.Caption = "Discards: 108";
    for (int r = RankAce; r <= RankRedThree; ++r)
      m.lblMelds[r].Caption = m.lblMeldsC[r].Caption = " Mixed Canasta 12 Wild:-3";
    m.lblInfoScores.Caption =
        "Sorry, Barnaby beat you this hand with total score of  1234 "
        "against your score of -1234";
    m.LblDiscarding.Visible = m.LblReturnPack.Visible = m.FramResults.Visible = true;
    t.window.syncFromModel();
    for (const QSize size : {QSize(1061, 762), QSize(100, 100)}) {  // then the smallest
      t.resize(size);
      QVERIFY(size.width() > 800 || t.surface()->size() == QSize(800, 574));
      readableAndWhole(t);
    }
  }

  // A screen reader hears cards, stock, pile, melds and results in the game's
  // words, no face turned down, nothing under the stock's top; a meld column's
  // tooltip and description list its cards. It hears a new status line and can
  // press what takes clicks. The LARKSPUR_TABLE_LOG file gets
  // a line each time what the table shows changes, and only then.
  void screenReaders() {
    Table t;
    Game& g = t.game();
    t.emptyTable();
    const int seven = FirstCardOfRank(RankSeven) + 2, nine = FirstCardOfRank(RankNine);
    const int queen = FirstCardOfRank(RankQueen) + 3, king = FirstCardOfRank(RankKing);
    for (auto [c, place] :
         {std::pair{seven, PlaceHumanHand}, {nine, PlaceRobotHand}, {queen, PlacePile}})
      g.Cards[c].Place = place;
    g.UpCard = queen;
    for (int c = king; c < king + 3; ++c) {
      g.MeldCard(c, RankKing, Robot);
      g.Table.PicCards[c].Image = c;
    }
    g.ShowStock();
    for (int p : {Human, Robot}) g.HandLayout(p);
    g.LayOutMelds(Robot);
    g.Table.PointsTotal[Robot].Caption = "350";
    g.Table.LblDiscarding.Visible = true;
    t.window.syncFromModel();
    auto said = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w); };
    QWidget* stock = t.at(t.card(LastRedThree));
    const std::pair<QWidget*, QString> names[] = {
        {t.card(seven), "Seven of hearts, in your hand"},
        {t.card(nine), "A card in Barnaby's hand"},
        {stock, "Stock, 102 cards"},
        {t.card(queen), "Discard pile, 1 card, frozen, top card queen of spades"},
        {t.card(king), "King of clubs, in Barnaby's kings"},
        {t.find("lblMeldsC_13"), "Barnaby's kings: 3 cards, no wild cards, pure"},
        {t.find("LblHeadings_13"), "Kings"},
        {t.find("PointsTotal_2"), "Total this Hand, Barnaby: 350"},
        {t.find("LblStock"), "Stock:- 102"}};
    for (const auto& [widget, name] : names) QCOMPARE(said(widget)->text(QAccessible::Name), name);
    QCOMPARE(said(t.card(seven))->text(QAccessible::Description),
             QString("Card 1 of 1 in your hand"));
    QCOMPARE(said(t.card(seven))->role(), QAccessible::Button);
    QCOMPARE(said(t.card(nine))->role(), QAccessible::Graphic);
    QCOMPARE(said(t.find("LblGenInfo"))->role(), QAccessible::StaticText);
    QVERIFY(said(t.card(FirstCardOfRank(RankFour)))->state().invisible);
    QVERIFY(!said(stock)->state().invisible);
    // What each meld column holds is in its tooltip and description, naturals first.
    t.window.host().setPausesSkipped(true);
    g.Cards[1].Place = PlaceRobotHand;
    g.MeldWildCard(1, RankKing, Robot);
    t.window.syncFromModel();
    const QString kings = "Kings: king of clubs, king of diamonds, king of hearts, red joker";
    QCOMPARE(t.find("lblMeldsC_13")->toolTip(), kings);
    QCOMPARE(said(t.find("lblMeldsC_13"))->text(QAccessible::Description), kings);
    QVERIFY(t.find("lblMelds_13")->toolTip().isEmpty());

    static QStringList told;
    const AccessibleEventSink qt = setAccessibleEventSink([](QAccessibleEvent* e) {
      told << e->object()->objectName() + ':' + e->accessibleInterface()->text(QAccessible::Name);
    });
    g.SetStatus("click the Discard label");
    t.window.syncFromModel();
    t.window.syncFromModel();
    setAccessibleEventSink(qt);
    QCOMPARE(told, QStringList{"LblGenInfo:Player click the Discard label"});
    const QString line =
        "stock=Stock:- 102|discard=Discards: 1|hand=1|discarding=1|results=0|status=Player ";
    QVERIFY(QString::fromUtf8(fileBytes(settingsDir_.filePath("table.log")))
                .endsWith(line + "General Infomation\n" + line + "click the Discard label\n"));

    QAccessibleActionInterface* discarding = said(t.find("LblDiscarding"))->actionInterface();
    discarding->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!g.PlayerDiscarding);  // pressed once the screen reader has its answer
    QApplication::processEvents();
    QVERIFY(g.PlayerDiscarding);
  }

  // A double click, however the platform sends it, is one press of a card and
  // one click of a label.
  void doubleClickIsOneClick() {
    CardArt art;
    CardWidget card(nullptr, art);
    TableLabel label(nullptr);
    int presses = 0, clicks = 0;
    card.onPress = [&] { ++presses; };
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
  }

  // Ctrl+H opens the score sheet even while the deal rests the Game menu: a row a
  // hand and the hand's moves, kept current; Copy and Ctrl+C copy the page shown.
  void scoreSheet() {
    Table t;
    Game& g = t.game();
    auto hand = [&g](int discard) {  // a hand of one discard and 120 points melded
      g.Log.Clear();
      g.LogMove(HandMove::Discard, Human, discard);
      g.MeldPoints[Human] = 120;
      g.GameScore[Human] += 120;
      g.NoteHandOnSheet({0, 120, 0});
    };
    for (int card : {FirstFour, FirstFour + 1}) hand(card);
    g.Table.MnuPlayEnabled = false;
    t.window.syncFromModel();
    QTest::keyClick(&t.window, Qt::Key_H, Qt::ControlModifier);
    auto* sheet = t.window.findChild<ScoreSheetWindow*>();
    QVERIFY2(sheet, "Ctrl+H opened no score sheet");
    QVERIFY(sheet->isVisible());
    QCOMPARE(sheet->sheet()->rowCount(), 2);
    QCOMPARE(sheet->sheet()->item(1, 5)->text(), QString("240"));  // your game total
    QCOMPARE(sheet->log()->toPlainText(),
             QString("You discarded the four of diamonds\nThe stock ran out"));
    hand(FirstFour + 2);
    g.LogMove(HandMove::Discard, Robot, FirstAce + 2);
    t.window.syncFromModel();
    QCOMPARE(sheet->sheet()->rowCount(), 3);
    QVERIFY(sheet->log()->toPlainText().endsWith("\nBarnaby discarded the ace of hearts"));

    QClipboard* clipboard = QApplication::clipboard();
    QTest::mouseClick(sheet->copyButton(), Qt::LeftButton);
    QCOMPARE(clipboard->text().section('\n', 3),
             QString("3\t120\t0\t0\t120\t360\t0\t0\t0\t0\t0\t0\n"));
    sheet->pages()->setCurrentWidget(sheet->log());
    QTest::keyClick(sheet->log(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(clipboard->text().startsWith("You discarded the four of hearts\nThe stock ran out\n"));
  }

  // A hand left by Exit is offered at the next start: Resume Hand (Ctrl+R), enabled only
  // then, puts it back with its robot, once. The statistics window shows each level and
  // its Reset asks first.
  void keptHandAndStatistics() {
    QTemporaryDir dir;
    const QByteArray player = "\"Ada\",\"Robo\",0,0,0,0,0,5000\r\n";
    // Leaves the game at the human's first turn, after the checks there; returns the hand
    // as then kept.
    auto leaveAtTurn = [&](Table& t, const std::function<void()>& start,
                           const std::function<void()>& atTurn = {}) {
      QString kept;
      QTimer poll;
      connect(&poll, &QTimer::timeout, this, [&] {
        Game& g = t.game();
        if (g.Table.FramResults.Visible) return QTest::mouseClick(t.find("cmdNew"), Qt::LeftButton);
        if (!kept.isEmpty() || !g.MayMove() || !g.PlayerToPlay || !g.HandInPlay) return;
        kept = QString::fromStdString(g.KeptHandText());
        if (atTurn) atTurn();
        answeringMessages(0, [&] { t.action("MnuExit")->trigger(); });
      });
      poll.start(10);
      start();
      poll.stop();
      return kept;
    };

    QString left;
    {
      Table t(player, dir.path());
      QVERIFY(!t.action("MnuResume")->isEnabled());
      t.action("MnuExpert")->trigger();
      left = leaveAtTurn(t, [&] { QTest::keyClick(&t.window, Qt::Key_F2); });
      QVERIFY(t.game().Ended());
    }
    QVERIFY(left.startsWith("Larkspur kept hand 1\nrobot expert\n"));
    Table t(player, dir.path());
    QAction* resume = t.action("MnuResume");
    QCOMPARE(resume->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QVERIFY(resume->isEnabled());
    QVERIFY(t.window.findChild<QLabel*>("LblGenInfo")->text().startsWith("Ada  welcome back"));
    t.action("MnuClassic")->trigger();
    const QString back = leaveAtTurn(
        t, [&] { QTest::keyClick(&t.window, Qt::Key_R, Qt::ControlModifier); },
        [&] {
          QVERIFY(t.action("MnuExpert")->isChecked());
          QVERIFY(!resume->isEnabled());
        });
    QCOMPARE(back, left);

    t.action("MnuStatistics")->trigger();
    auto* stats = t.window.findChild<StatisticsWindow*>();
    QVERIFY(stats);
    QVERIFY(stats->isVisible());
    QCOMPARE(stats->table()->horizontalHeaderItem(2)->text(), QString("Expert"));
    QCOMPARE(stats->table()->item(0, 0)->text(), QString("Games played"));
    AddHand(t.game().Stats.Of(RobotPlay::Expert), 250, 1, false);
    t.game().Stats.Revision += 1;
    t.window.syncFromModel();
    QCOMPARE(stats->table()->item(8, 2)->text(), QString("1"));  // hands played
    const QString asked = answeringMessages(1, [&] { stats->resetButton()->click(); });
    QVERIFY(asked.startsWith("Reset statistics?|Ada do you really wish"));
    QCOMPARE(t.game().Stats.Of(RobotPlay::Expert).Hands, 1);
  }

 private:
  QTemporaryDir settingsDir_;
};

QTEST_MAIN(TestTableWindow)
#include "test_table_window.moc"
