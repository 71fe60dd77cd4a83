#include "ui/TableWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QToolTip>
#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <functional>
#include <optional>
#include <tuple>

#include "table/AccessibleNames.h"
#include "ui/Icons.h"
#include "ui/ScoreSheetWindow.h"
#include "ui/TableAccessibility.h"
#include "ui/TableWidgets.h"
#include "ui/Units.h"

namespace larkspur {

namespace {

QString indexedName(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

// How each style of element looks at the table's own size, in the order of ElementStyle.
struct Look {
  ElementStyle style;
  QColor text;
  QColor back;  // none: the table or the frame shows through
  Qt::Alignment align;
  bool wrap;
  int pixels;  // the font's size at 15 twips a pixel; a caption too long is drawn smaller
  bool bold;
};
constexpr QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kNone;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Look kLooks[] = {
    {ElementStyle::Status, colorFromNumber(StatusTextColor), colorFromNumber(StatusBackColor),
     kTopLeft, true, 11, true},
    {ElementStyle::Name, colorFromNumber(NameTextColor), kNone, kLeft, false, 11, true},
    {ElementStyle::Score, kWhite, kNone, kLeft, false, 11, false},
    {ElementStyle::Command, kBlack, colorFromNumber(CommandBackColor), Qt::AlignCenter, true, 11,
     true},
    {ElementStyle::Heading, kWhite, colorFromNumber(HeadingBackColor), Qt::AlignCenter, false, 11,
     true},
    {ElementStyle::Meld, kWhite, kNone, Qt::AlignCenter, true, 10, false},
    {ElementStyle::InFrame, kBlack, kNone, kLeft, false, 11, false},
    {ElementStyle::FrameNote, kBlack, kNone, kTopLeft, true, 10, false},
    // A button draws its own face in its own colours; only its font is taken.
    {ElementStyle::Button, kBlack, kNone, Qt::AlignCenter, false, 12, false},
    // A frame's face, and its title's font.
    {ElementStyle::Frame, kBlack, colorFromNumber(FrameFaceColor), kTopLeft, false, 12, true},
};
static_assert([] {
  for (std::size_t i = 0; i < std::size(kLooks); ++i)
    if (kLooks[i].style != ElementStyle(i)) return false;
  return std::size(kLooks) == std::size_t(ElementStyle::Frame) + 1;
}());

const Look& lookOf(ElementStyle style) {
  return kLooks[std::size_t(style)];
}

// No text of the table is drawn smaller than this, in pixels, to stay readable.
constexpr int kSmallestFont = 8;

// The table's font, f times its size at 15 twips a pixel.
QFont tableFont(int pixels, bool bold, double f) {
  QFont font(QStringLiteral("Verdana"));
  font.setBold(bold);
  font.setPixelSize(std::max(kSmallestFont, int(std::lround(pixels * f))));
  return font;
}

// The wrapped caption as it fits the room: a word too long for a line (a long
// name) ends in "…", and when the lines still run past the bottom, the last line
// that shows ends in "…". Unchanged when it fits.
QString wrappedToFit(const QString& text, const QFontMetrics& metrics, const QSize& room) {
  const auto size = [&](const QString& s) {
    return metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, s).size();
  };
  const QSize whole = size(text);
  if (whole.width() <= room.width() && whole.height() <= room.height()) return text;
  QStringList words = text.split(QLatin1Char(' '));
  for (QString& word : words)
    if (size(word).width() > room.width())
      word = metrics.elidedText(word, Qt::ElideRight, room.width());
  QString shown = words.join(QLatin1Char(' '));
  while (size(shown).height() > room.height() && words.size() > 1) {
    words.removeLast();
    shown = words.join(QLatin1Char(' ')) + QChar(0x2026);
  }
  return shown;
}

// A rectangle in twips at s pixels a twip.
QRect scaledRect(int left, int top, int width, int height, double s) {
  return roundedRect(left, top, width, height,
                     [s](double twips) { return int(std::lround(twips * s)); });
}

// A place of this position and size, moved and made smaller where it must, to
// lie within the area. Reckoned wide, so that no stored value can overflow.
QRect fitInto(const QPoint& position, const QSize& size, const QRect& area) {
  const auto fit = [](long long at, long long length, long long start, long long room) {
    length = std::clamp(length, 0LL, room);
    return std::pair(int(std::clamp(at, start, start + room - length)), int(length));
  };
  const auto [left, width] = fit(position.x(), size.width(), area.x(), area.width());
  const auto [top, height] = fit(position.y(), size.height(), area.y(), area.height());
  return {left, top, width, height};
}

// The middle of a stored place, wherever in the plane it lies.
QPoint middleOf(const QPoint& position, const QSize& size) {
  const auto middle = [](long long at, long long length) {
    return int(std::clamp(at + length / 2, (long long)INT_MIN, (long long)INT_MAX));
  };
  return {middle(position.x(), size.width()), middle(position.y(), size.height())};
}

}  // namespace

template <class Handler>
void TableWindow::callGame(Handler&& handler) {
  try {
    handler();
  } catch (const GameAbandoned&) {
    // A new game, a load or the end was asked for inside this handler; the
    // wait that runs the game sees the request and carries it out.
  } catch (const std::exception& e) {
    // Nothing may unwind through Qt's event dispatch; a real failure ends here, loudly.
    qFatal("Larkspur stopped: %s", e.what());
  }
  syncFromModel();
}

void TableWindow::callGameWith(const std::function<void()>& handler) {
  callGame(handler);
}

TableWindow::TableWindow(QWidget* parent)
    : QMainWindow(parent), game_(std::make_unique<Game>(host_)) {
  // Every window of the program, the dialogs too, shows the same icon.
  QApplication::setWindowIcon(windowIcon());
  host_.setDialogParent(this);
  host_.setRedraw([this] { syncFromModel(); });
  host_.setCloseTable([this] { close(); });
  installTableAccessibility();  // before the table's widgets, so they answer in the game's words
  buildMenus();
  buildKeptHand();
  buildTable();
  buildKeys();
  if (const QString path = qEnvironmentVariable("LARKSPUR_TABLE_LOG"); !path.isEmpty()) {
    tableLog_ = std::make_unique<QFile>(path);
    if (!tableLog_->open(QIODevice::WriteOnly | QIODevice::Append)) {
      qWarning("Larkspur: cannot write the table log %s", qPrintable(path));
      tableLog_.reset();
    }
  }
  centralWidget()->setMinimumSize(MinimumTableSize);
  resize(TableWidth / TwipsPerPixel, TableHeight / TwipsPerPixel + menuBar()->sizeHint().height());
  restoreWindowPlace();
  // Give the table its size now, so the first drawing is already the right one.
  layout()->activate();
}

TableWindow::~TableWindow() {
  host_.setRedraw({});
  host_.setCloseTable({});
}

void TableWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  auto add = [this](QMenu* menu, const char* name, const char* text, QKeySequence key,
                    void (Game::*handler)()) {
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) action->setShortcut(key);
    connect(action, &QAction::triggered, this,
            [this, handler] { callGame([this, handler] { (game_.get()->*handler)(); }); });
    return action;
  };
  gameMenu_ = bar->addMenu(QStringLiteral("&Game"));
  gameMenu_->setObjectName(QStringLiteral("MnuPlay"));
  gameActions_ = {
      add(gameMenu_, "MnuNew", "New", QKeySequence(Qt::Key_F2), &Game::MnuNew_Click),
      add(gameMenu_, "MnuLoad", "Load", QKeySequence(Qt::CTRL | Qt::Key_L), &Game::MnuLoad_Click),
      add(gameMenu_, "MnuSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_V), &Game::MnuSave_Click),
      add(gameMenu_, "MnuExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_X), &Game::MnuExit_Click),
      // Below the game's own commands: the Expert's advice for the next click.
      gameMenu_->addSeparator(),
      add(gameMenu_, "MnuHint", "&Hint", QKeySequence(Qt::Key_H), &Game::MnuHint_Click),
  };
  // The score sheet's item rests with the menu during the deal; its key does not.
  // The sheet's window is made when first opened: start-up need not wait for it.
  const auto openSheet = [this] {
    if (!scoreSheet_) scoreSheet_ = new ScoreSheetWindow(*game_, this);
    scoreSheet_->showSheet();
  };
  for (QAction* action : ScoreSheetWindow::addOpener(gameMenu_, this, openSheet))
    gameActions_.push_back(action);
  QMenu* names = bar->addMenu(QStringLiteral("Cha&nge Names"));
  names->setObjectName(QStringLiteral("MnuNames"));
  add(names, "MnuNameP", "Change your name", {}, &Game::MnuNameP_Click);
  add(names, "MnuNameR", "Change Opponent Name", {}, &Game::MnuNameR_Click);
  QMenu* stats = bar->addMenu(QStringLiteral("Stat&istics"));
  stats->setObjectName(QStringLiteral("MnuStats"));
  add(stats, "MnuView", "View Statistics", {}, &Game::MnuView_Click);
  add(stats, "MnuDelete", "Delete Statistics", {}, &Game::MnuDelete_Click);
  // Three commands sit directly in the menu bar.
  auto command = [this, bar](const char* name, const char* text, void (Game::*handler)()) {
    QAction* action = bar->addAction(QString::fromLatin1(text));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, handler] { callGame([this, handler] { (game_.get()->*handler)(); }); });
  };
  command("MnuTarget", "&Target Score", &Game::MnuTarget_Click);
  buildOptionsMenu();
  command("mnuhelp", "Canasta &Help ", &Game::mnuhelp_Click);
  command("MnuAbout", "About", &Game::MnuAbout_Click);
}

// How the game is paced and heard: the pace is kept in the player file with the
// game's other settings; "No pauses", which skips every wait of the game whatever
// the pace, and the sound in the per-user settings.
void TableWindow::buildOptionsMenu() {
  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("MnuOptions"));
  QMenu* speed = options->addMenu(QStringLiteral("&Speed"));
  speed->setObjectName(QStringLiteral("MnuSpeed"));
  auto* paces = new QActionGroup(speed);
  host_.setPausesSkipped(QSettings().value(QStringLiteral("options/noPauses"), false).toBool());
  const auto skipPauses = [this](bool skipped) {
    host_.setPausesSkipped(skipped);
    QSettings().setValue(QStringLiteral("options/noPauses"), skipped);
  };
  const struct {
    const char *name, *text;
    int pace;
  } items[] = {{"MnuSlow", "Slow", 600}, {"MnuNormal", "Normal", 300}, {"MnuFast", "Fast", 100}};
  for (const auto& item : items) {
    QAction* action = speed->addAction(QString::fromLatin1(item.text));
    action->setObjectName(QString::fromLatin1(item.name));
    action->setCheckable(true);
    action->setData(item.pace);
    paces->addAction(action);
    connect(action, &QAction::triggered, this, [this, skipPauses, pace = item.pace] {
      skipPauses(false);
      callGame([this, pace] { game_->SetPace(pace); });
    });
    speedActions_.push_back(action);
  }
  // The player file's pace stays as it is, for when another speed is chosen.
  QAction* noPauses = speed->addAction(QStringLiteral("No pauses"));
  noPauses->setObjectName(QStringLiteral("MnuNoPauses"));
  noPauses->setCheckable(true);
  paces->addAction(noPauses);
  connect(noPauses, &QAction::triggered, this, [skipPauses] { skipPauses(true); });
  speedActions_.push_back(noPauses);
  connect(speed, &QMenu::aboutToShow, this, [this] { showPace(); });

  QAction* sound = options->addAction(QStringLiteral("S&ound"));
  sound->setObjectName(QStringLiteral("MnuSound"));
  sound->setCheckable(true);
  sound->setChecked(QSettings().value(QStringLiteral("options/sound"), true).toBool());
  host_.setSoundOn(sound->isChecked());
  connect(sound, &QAction::toggled, this, [this](bool on) {
    host_.setSoundOn(on);
    QSettings().setValue(QStringLiteral("options/sound"), on);
  });

  // Who plays the robot's seat: its own fixed rules, the stronger policy, or the
  // one that looks ahead.
  QMenu* robot = options->addMenu(QStringLiteral("&Robot"));
  robot->setObjectName(QStringLiteral("MnuRobot"));
  auto* robots = new QActionGroup(robot);
  const std::string kept =
      QSettings().value(QStringLiteral("options/robot")).toString().toStdString();
  game_->ChooseRobot(RobotPlayNamed(kept).value_or(RobotPlay::Classic));
  const struct {
    RobotPlay play;
    const char *name, *text;
  } players[] = {{RobotPlay::Classic, "MnuClassic", "Classic"},
                 {RobotPlay::Expert, "MnuExpert", "Expert"},
                 {RobotPlay::Master, "MnuMaster", "Master"}};
  for (const auto& player : players) {
    const RobotPlay play = player.play;
    QAction* action = robot->addAction(QString::fromLatin1(player.text));
    action->setObjectName(QString::fromLatin1(player.name));
    action->setCheckable(true);
    action->setChecked(game_->RobotPlayer() == play);
    robots->addAction(action);
    connect(action, &QAction::triggered, this, [this, play] {
      game_->ChooseRobot(play);
      QSettings().setValue(QStringLiteral("options/robot"),
                           QString::fromLatin1(RobotPlayName(play)));
    });
  }
}

void TableWindow::showPace() {
  for (QAction* action : speedActions_)
    action->setChecked(host_.pausesSkipped() ? !action->data().isValid()
                                             : action->data() == QVariant(game_->PaceSetting));
}

void TableWindow::buildTable() {
  surface_ = new TableSurface(this);
  surface_->setObjectName(QStringLiteral("FrmTable"));
  setCentralWidget(surface_);
  surface_->onResize = [this] { syncFromModel(); };
  surface_->onPaint = [this](QPainter& p) {
    const TableModel& t = game_->Table;
    const double s = scale();
    // The meld area: a slightly lighter baize.
    const auto& area = t.ShapeTable;
    p.setPen(QPen(colorFromNumber(MeldAreaEdgeColor), std::max(1.0, 15 * s)));
    p.setBrush(colorFromNumber(MeldAreaColor));
    p.drawRect(tableRect(area.Left, area.Top, area.Width, area.Height));
    // The discard pile's frame: its border colour tells the pile's state.
    const auto& pile = t.Shape1;
    const QColor border =
        pile.BorderColor == DefaultColor ? Qt::black : colorFromNumber(pile.BorderColor);
    const double width = std::max(2.0, 45 * s);
    p.setPen(QPen(border, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(tableRect(pile.Left, pile.Top, pile.Width, pile.Height))
                   .adjusted(width / 2, width / 2, -width / 2, -width / 2));
  };

  // The labels, buttons and frames in the model's order; the card pictures lie
  // above the labels on the baize, and the frames above the cards.
  const TableModel& t = game_->Table;
  for (const TableElement& element : t.Elements()) {
    if (element.Kind == ElementKind::Frame)
      addFrame(element);
    else
      addLabel(element);
  }
  for (int c = 1; c <= CardCount; ++c) {
    auto* card = new CardWidget(surface_, art_);
    card->setObjectName(indexedName("PicCards", c));
    card->onPress = [this, c] { cardPressed(c); };
    card->onMove = [this, c] { cardMoved(c); };
    card->hide();
    cards_[c].widget = card;
  }
  for (FrameItem& frame : frames_) frame.widget->raise();

  // The target frame's entry box, which comes before the frame's O.K.
  const auto target = std::find_if(frames_.begin(), frames_.end(),
                                   [&t](const FrameItem& f) { return f.model == &t.FramTarget; });
  txtPoints_ = new TargetBox(target->widget);
  txtPoints_->setObjectName(QStringLiteral("Txtpoints"));
  txtPoints_->setToolTip(qs(t.TxtpointsToolTip));
  txtPoints_->onReturn = [this] { sendClick(ElementClick::Target, 0); };
  txtPoints_->onEscape = [this] { escapeTarget(); };
  connect(txtPoints_, &QLineEdit::textEdited, this, [this](const QString& text) {
    game_->Txtpoints_Change(text.toStdString());
    shownTxtPoints_ = game_->Table.Txtpoints;
  });
  const auto ok = std::find_if(labels_.begin(), labels_.end(),
                               [&t](const LabelItem& i) { return i.model == &t.CmdTarget; });
  QWidget::setTabOrder(txtPoints_, ok->widget);
  txtPoints_->stackUnder(ok->widget);
}

void TableWindow::addFrame(const TableElement& element) {
  auto* frame = new QGroupBox(surface_);
  frame->setObjectName(QString::fromStdString(element.Name));
  frame->setTitle(qs(element.Frm->Caption));
  frame->setToolTip(qs(element.Frm->ToolTip));
  frame->setAutoFillBackground(true);
  const Look& look = lookOf(element.Style);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::Window, look.back);
  palette.setColor(QPalette::WindowText, look.text);
  frame->setPalette(palette);
  frame->hide();
  FrameItem& item = frames_.emplace_back();
  item.model = element.Frm;
  item.widget = frame;
}

void TableWindow::addLabel(const TableElement& element) {
  QWidget* parent = surface_;
  for (const FrameItem& frame : frames_)
    if (frame.model == element.Parent) parent = frame.widget;
  LabelItem item;
  item.model = element.Lbl;
  item.element = element;
  item.style = element.Style;
  item.isButton = element.Kind == ElementKind::Button;
  item.isName = element.IsName;
  const ElementClick click = element.Click;
  const int index = element.Index;
  if (item.isButton) {
    auto* button = element.Parent == &game_->Table.FramResults ? new FrameButton(parent)
                                                               : new QPushButton(parent);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, click, index] { sendClick(click, index); });
    item.widget = button;
  } else {
    auto* label = new TableLabel(parent);
    if (element.Kind == ElementKind::ClickableLabel)
      label->onClick = [this, click, index] { sendClick(click, index); };
    if (click == ElementClick::MeldHeading) {
      // A heading's tooltip says what a click would do, so it follows the pointer.
      label->setMouseTracking(true);
      label->onMove = [this, label, index] {
        const QString before = label->toolTip();
        callGame([this, index] { game_->LblHeadings_MouseMove(index); });
        if (label->toolTip() != before) showToolTipNow(label);
      };
    }
    item.widget = label;
  }
  item.widget->setObjectName(QString::fromStdString(element.Name));
  applyStyle(item);
  labels_.push_back(item);
}

void TableWindow::sendClick(ElementClick click, int index) {
  callGame([this, click, index] {
    switch (click) {
      case ElementClick::MeldHeading:
        return game_->LblHeadings_Click(index);
      case ElementClick::Discarding:
        return game_->LblDiscarding_Click();
      case ElementClick::ReturnPack:
        return game_->LblReturnPack_Click();
      case ElementClick::CarryOn:
        return game_->cmdNew_Click();
      case ElementClick::ExitAndSave:
        return game_->cmdSave_Click();
      case ElementClick::Target:
        return game_->CmdTarget_Click();
      case ElementClick::None:
        return;
    }
  });
}

void TableWindow::escapeTarget() {
  callGame([this] { game_->FramTarget_Escape(); });
}

void TableWindow::applyStyle(LabelItem& item) {
  if (item.isButton) return;  // a button draws its own face
  const Look& look = lookOf(item.style);
  QColor text = look.text, back = look.back;
  if (item.backColor != DefaultColor) {
    // The game colours a meld column's label by what it holds; black reads on them all.
    back = colorFromNumber(item.backColor);
    text = Qt::black;
  }
  auto* label = static_cast<QLabel*>(item.widget);
  label->setAlignment(look.align);
  label->setWordWrap(look.wrap);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, text);
  if (back.isValid()) palette.setColor(QPalette::Window, back);
  label->setPalette(palette);
  label->setAutoFillBackground(back.isValid());
}

QRect TableWindow::labelRect(const LabelItem& item) const {
  const Label& m = *item.model;
  if (item.widget->parentWidget() == surface_) return tableRect(m.Left, m.Top, m.Width, m.Height);
  // Inside a frame: the same scale, measured from the frame's corner.
  return scaledRect(m.Left, m.Top, m.Width, m.Height, scale());
}

void TableWindow::fitFont(LabelItem& item) {
  const Look& look = lookOf(item.style);
  const double f = scale() * TwipsPerPixel;
  QFont font = tableFont(look.pixels, look.bold, f);
  int size = font.pixelSize();
  QString shown = qs(item.caption);
  item.shortened = false;
  if (!item.isButton && !item.caption.empty()) {
    // A caption longer than its label is drawn smaller rather than cut off.
    const QString text = shown;
    const QRect place = labelRect(item);
    const QSize room = place.size();
    // Each size tried is measured once: a one-line caption's width, a wrapped one's height.
    std::optional<int> measured;
    auto fits = [&] {
      if (!measured) {
        const QFontMetrics metrics(font);
        measured =
            look.wrap
                ? metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, text)
                      .height()
                : metrics.horizontalAdvance(text);
      }
      return *measured <= (look.wrap ? room.height() : room.width());
    };
    const int smallest = std::max(kSmallestFont, int(std::lround((look.wrap ? 7 : 9) * f)));
    while (size > smallest && !fits()) {
      font.setPixelSize(--size);
      measured.reset();
    }
    if (look.wrap) {
      shown = wrappedToFit(text, QFontMetrics(font), room);
      item.shortened = shown != text;
    }
    if (!look.wrap) {
      const QFontMetrics metrics(font);
      const bool tooLong = !fits();
      int width = *measured + 2;
      if (tooLong && item.isName) {
        // A name never overprints its neighbour: it ends in "…" and its
        // tooltip shows it whole.
        shown = metrics.elidedText(text, Qt::ElideRight, room.width());
        item.shortened = true;
        width = room.width();
      } else if (tooLong) {
        // Any other one-line caption runs on to the right, where the table is
        // bare, instead of being cut off. A name at its start gives way with
        // "…" where the run would leave the window, so the rest stays whole.
        const int bare = item.widget->parentWidget()->width() - place.left();
        const auto prefix =
            std::size_t(std::clamp(item.model->ElidablePrefix, 0, int(item.caption.size())));
        if (width > bare && prefix > 0) {
          const QString rest = qs(item.caption.substr(prefix));
          const int nameRoom = std::max(0, bare - 2 - metrics.horizontalAdvance(rest));
          shown = metrics.elidedText(qs(item.caption.substr(0, prefix)), Qt::ElideRight, nameRoom) +
                  rest;
          width = metrics.horizontalAdvance(shown) + 2;
        }
      }
      item.widget->resize(std::max(room.width(), width), room.height());
    }
  }
  if (!item.isButton) {
    auto* label = static_cast<QLabel*>(item.widget);
    if (label->text() != shown) label->setText(shown);
  }
  if (font != item.widget->font()) item.widget->setFont(font);
}

double TableWindow::scale() const {
  const QSize size = surface_->size();
  if (size.width() <= 0 || size.height() <= 0) return 1.0 / TwipsPerPixel;
  return std::min(size.width() / double(TableWidth), size.height() / double(TableHeight));
}

QRect TableWindow::tableRect(int left, int top, int width, int height) const {
  const double s = scale();
  const int ox = std::max(0, int(std::lround((surface_->width() - TableWidth * s) / 2)));
  const int oy = std::max(0, int(std::lround((surface_->height() - TableHeight * s) / 2)));
  return scaledRect(left, top, width, height, s).translated(ox, oy);
}

void TableWindow::syncFromModel() {
  const TableModel& t = game_->Table;
  const double s = scale();
  // Every position and font follows a new size; the resize that showing the
  // window sends, to the size the table was laid out for, changes nothing.
  const bool rescaled = surface_->size() != shownSize_;
  if (rescaled) {
    shownSize_ = surface_->size();
    const double f = s * TwipsPerPixel;  // 1 at the table's own size, 15 twips a pixel
    QFont base(QStringLiteral("Verdana"));
    base.setPixelSize(std::max(kSmallestFont, int(std::lround(11 * f))));
    surface_->setFont(base);
    const Look& frameLook = lookOf(ElementStyle::Frame);
    for (FrameItem& frame : frames_)
      frame.widget->setFont(tableFont(frameLook.pixels, frameLook.bold, f));
    surface_->update();
  }

  if (t.Caption != shownCaption_) {
    shownCaption_ = t.Caption;
    setWindowTitle(qs(t.Caption));
  }
  if (t.MnuPlayEnabled != shownMenuEnabled_) {
    shownMenuEnabled_ = t.MnuPlayEnabled;
    // The items go too, so their shortcuts rest with the menu.
    gameMenu_->menuAction()->setEnabled(shownMenuEnabled_);
    for (QAction* action : gameActions_) action->setEnabled(shownMenuEnabled_);
  }
  if (t.Shape1.BorderColor != shownShapeColor_) {
    shownShapeColor_ = t.Shape1.BorderColor;
    surface_->update(tableRect(t.Shape1.Left, t.Shape1.Top, t.Shape1.Width, t.Shape1.Height));
  }
  if (t.Txtpoints != shownTxtPoints_) {
    shownTxtPoints_ = t.Txtpoints;
    txtPoints_->setText(qs(t.Txtpoints));
  }
  syncFrames(rescaled);
  for (LabelItem& item : labels_) syncLabel(item, rescaled);
  syncCards(rescaled);
  restack();
  syncMarks();
  if (tableLog_) logTable();
  if (scoreSheet_) scoreSheet_->refresh();
  syncKeptHand();
}

void TableWindow::syncFrames(bool rescaled) {
  const TableModel& t = game_->Table;
  for (FrameItem& frame : frames_) {
    const Frame& m = *frame.model;
    const QRect twips(m.Left, m.Top, m.Width, m.Height);
    if (rescaled || !frame.placed || twips != frame.twips) {
      frame.twips = twips;
      frame.widget->setGeometry(tableRect(m.Left, m.Top, m.Width, m.Height));
      const double s = scale();
      const QRect edit(t.TxtpointsLeft, t.TxtpointsTop, t.TxtpointsWidth, t.TxtpointsHeight);
      if (frame.model == &t.FramTarget)
        txtPoints_->setGeometry(int(std::lround(edit.x() * s)), int(std::lround(edit.y() * s)),
                                int(std::lround(edit.width() * s)),
                                int(std::lround(edit.height() * s)));
    }
    if (!frame.placed || m.Visible != frame.visible) {
      frame.visible = m.Visible;
      const bool hadFocus = frame.widget->isAncestorOf(focusWidget());
      frame.widget->setVisible(m.Visible);
      // The keyboard is the frame's while it shows, on "Carry On" or in the target's
      // box with the target selected, to type over; then the table's again.
      if (m.Visible && frame.model == &t.FramResults)
        resultsButtons().front()->setFocus(Qt::OtherFocusReason);
      if (m.Visible && frame.model == &t.FramTarget) {
        txtPoints_->setFocus(Qt::OtherFocusReason);
        txtPoints_->selectAll();
      }
      if (!m.Visible && hadFocus) surface_->setFocus(Qt::OtherFocusReason);
    }
    frame.placed = true;
  }
}

void TableWindow::syncLabel(LabelItem& item, bool rescaled) {
  const Label& m = *item.model;
  const QRect twips(m.Left, m.Top, m.Width, m.Height);
  if (rescaled || !item.placed || twips != item.twips) {
    item.twips = twips;
    item.widget->setGeometry(labelRect(item));
  }
  if (!item.placed || m.Caption != item.caption) {
    item.caption = m.Caption;
    if (item.isButton) static_cast<QPushButton*>(item.widget)->setText(qs(m.Caption));
    fitFont(item);
    if (item.placed && item.model == &game_->Table.LblGenInfo) announceStatus(item.widget);
  } else if (rescaled) {
    fitFont(item);
  }
  // A shortened caption shows whole in the tooltip, above the label's own words.
  const std::string own = ElementToolTip(*game_, item.element);
  const std::string toolTip = item.shortened ? m.Caption + (own.empty() ? "" : "\n" + own) : own;
  if (!item.placed || toolTip != item.toolTip) {
    item.toolTip = toolTip;
    item.widget->setToolTip(qs(toolTip));
  }
  if (!item.placed || m.BackColor != item.backColor) {
    item.backColor = m.BackColor;
    applyStyle(item);
  }
  applyPointer(item.widget, m.MousePointer, m.MouseIcon, item.pointer);
  if (!item.placed || m.Visible != item.visible) {
    item.visible = m.Visible;
    item.widget->setVisible(m.Visible);
  }
  item.placed = true;
}

void TableWindow::syncCards(bool rescaled) {
  const TableModel& t = game_->Table;
  const double s = scale();
  const QSize cardSize(int(std::lround(CardWidth * s)), int(std::lround(CardHeight * s)));
  for (int c = 1; c <= CardCount; ++c) {
    const CardPicture& m = t.PicCards[c];
    CardItem& item = cards_[c];
    CardWidget* widget = item.widget;
    if (rescaled || !item.placed || m.Left != item.left || m.Top != item.top) {
      item.left = m.Left;
      item.top = m.Top;
      widget->setGeometry(
          QRect(tableRect(m.Left, m.Top, CardWidth, CardHeight).topLeft(), cardSize));
    }
    widget->setImage(m.Image);
    if (m.BorderStyle != item.borderStyle) {
      item.borderStyle = m.BorderStyle;
      widget->setMarked(m.BorderStyle != 0);
    }
    if (!item.placed || m.ToolTip != item.toolTip) {
      item.toolTip = m.ToolTip;
      widget->setToolTip(qs(m.ToolTip));
    }
    applyPointer(widget, m.MousePointer, m.MouseIcon, item.pointer);
    if (!item.placed || m.Visible != item.visible) {
      item.visible = m.Visible;
      widget->setVisible(m.Visible);
    }
    item.placed = true;
  }
}

void TableWindow::restack() {
  const TableModel& t = game_->Table;
  std::vector<int> changed;
  std::uint64_t highestUnchanged = 0, lowestChanged = UINT64_MAX;
  bool anyUnchanged = false;
  for (int c = 1; c <= CardCount; ++c) {
    if (t.PicCards[c].ZOrder != cards_[c].zOrder) {
      changed.push_back(c);
      lowestChanged = std::min(lowestChanged, t.PicCards[c].ZOrder);
    } else {
      highestUnchanged = std::max(highestUnchanged, cards_[c].zOrder);
      anyUnchanged = true;
    }
  }
  if (!changed.empty()) {
    // Brought to the front: only those move. Otherwise the whole pile is re-stacked.
    std::vector<int> order = changed;
    if (anyUnchanged && lowestChanged <= highestUnchanged) {
      order.resize(CardCount);
      for (int c = 1; c <= CardCount; ++c) order[c - 1] = c;
    }
    std::sort(order.begin(), order.end(), [&t](int a, int b) {
      return std::tie(t.PicCards[a].ZOrder, a) < std::tie(t.PicCards[b].ZOrder, b);
    });
    for (int c : order) {
      cards_[c].widget->raise();
      cards_[c].zOrder = t.PicCards[c].ZOrder;
    }
  }
  // An open frame lies above every card, whatever the cards' counters say, so
  // a meld laid out while it is open cannot cover it; between the frames the
  // counters decide.
  const bool framesMoved = std::any_of(frames_.begin(), frames_.end(), [](const FrameItem& f) {
    return f.zOrder != f.model->ZOrder;
  });
  if (changed.empty() && !framesMoved) return;
  marks_->raise();  // the outlines lie above the cards, below an open frame
  std::vector<FrameItem*> frames;
  for (FrameItem& frame : frames_) frames.push_back(&frame);
  std::stable_sort(frames.begin(), frames.end(), [](const FrameItem* a, const FrameItem* b) {
    return a->model->ZOrder < b->model->ZOrder;
  });
  for (FrameItem* frame : frames) {
    frame->widget->raise();
    frame->zOrder = frame->model->ZOrder;
  }
}

void TableWindow::applyPointer(QWidget* widget, int mousePointer, int mouseIcon, int& shown) {
  const int wanted =
      mousePointer == CustomPointer && (mouseIcon == PointerAct || mouseIcon == PointerRefuse)
          ? mouseIcon
          : 0;
  if (wanted == shown) return;
  shown = wanted;
  if (wanted == 0) {
    widget->unsetCursor();
    return;
  }
  QCursor& cursor = cursors_[wanted];
  if (cursor.shape() != Qt::BitmapCursor)
    cursor = pointerCursor(wanted);  // drawn when first needed
  widget->setCursor(cursor);
}

void TableWindow::showToolTipNow(QWidget* widget) {
  if (QToolTip::isVisible() && widget->underMouse()) showPlainToolTip(widget, QCursor::pos());
}

// One line of what the table shows, written when it differs from the last.
void TableWindow::logTable() {
  const TableModel& t = game_->Table;
  auto shown = [this](const Label& model) {
    const auto item = std::find_if(labels_.begin(), labels_.end(),
                                   [&model](const LabelItem& i) { return i.model == &model; });
    return static_cast<QLabel*>(item->widget);
  };
  const int handRow = tableRect(0, HumanHandTop, CardWidth, CardHeight).top();
  int hand = 0;
  for (int c = 1; c <= CardCount; ++c)
    if (!cards_[c].widget->isHidden() && cards_[c].widget->y() == handRow) ++hand;
  QString status = shown(t.LblGenInfo)->text();
  status.replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QByteArray line =
      (QStringLiteral("stock=") + shown(t.LblStock)->text() + QStringLiteral("|discard=") +
       shown(t.LblDiscard)->text() + QStringLiteral("|hand=") + QString::number(hand) +
       QStringLiteral("|discarding=") + (shown(t.LblDiscarding)->isHidden() ? u'0' : u'1') +
       QStringLiteral("|results=") + (t.FramResults.Visible ? u'1' : u'0') +
       QStringLiteral("|status=") + status + u'\n')
          .toUtf8();
  if (line == loggedTable_) return;
  loggedTable_ = line;
  tableLog_->write(line);
  tableLog_->flush();
}

void TableWindow::cardPressed(int card) {
  callGame([this, card] { game_->PicCards_MouseDown(card); });
}

void TableWindow::cardMoved(int card) {
  CardWidget* widget = cards_[card].widget;
  const QString before = widget->toolTip();
  callGame([this, card] { game_->PicCards_MouseMove(card); });
  if (widget->toolTip() != before) showToolTipNow(widget);
}

void TableWindow::load() {
  callGame([this] { game_->Form_Load(); });
  showPace();
  // The stock shows the card back: have it ready before the window first paints.
  const double s = scale();
  art_.pixmap(BackImage, QSize(int(std::lround(CardWidth * s)), int(std::lround(CardHeight * s))),
              devicePixelRatioF());
}

// The position is the frame's, the size the window's own: as move() and
// resize() take them, whatever the frame around the window.
void TableWindow::restoreWindowPlace() {
  const QSettings settings;
  const QSize size = settings.value(QStringLiteral("window/size")).toSize();
  const QPoint position = settings.value(QStringLiteral("window/position")).toPoint();
  // The screens may have changed since: the one the window was on, else the main one.
  const QScreen* screen = QGuiApplication::screenAt(middleOf(position, size));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (size.isValid() && screen) {
    // Reckoned at the size the window will take, never below its smallest.
    const QRect place =
        fitInto(position, size.expandedTo(minimumSizeHint()), screen->availableGeometry());
    resize(place.size());
    move(place.topLeft());
  }
  if (settings.value(QStringLiteral("window/maximized")).toBool())
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TableWindow::saveWindowPlace() {
  QSettings settings;
  settings.setValue(QStringLiteral("window/maximized"), isMaximized());
  // A maximized window keeps the place it had before, to go back to.
  if (isMaximized()) return;
  settings.setValue(QStringLiteral("window/position"), pos());
  settings.setValue(QStringLiteral("window/size"), size());
}

void TableWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // A bad player file is reported once the table is on the screen, and so is a
  // kept hand or statistics file that could not be used.
  QMetaObject::invokeMethod(
      this,
      [this] {
        callGame([this] {
          game_->ReportNameFileProblem();
          game_->ReportDataFileProblems();
        });
      },
      Qt::QueuedConnection);
}

void TableWindow::closeEvent(QCloseEvent* event) {
  // The program's own closing at its end passes; any other request asks first.
  bool mayClose = host_.ended();
  if (!mayClose) callGame([this, &mayClose] { mayClose = game_->Form_QueryUnload(); });
  if (!mayClose && !host_.ended()) {
    event->ignore();
    return;
  }
  // Kept for the next start; a window never shown has no place of its own.
  if (shownOnce_) saveWindowPlace();
  event->accept();
}

}  // namespace larkspur
