// The table without a mouse: Tab and Shift+Tab move a focus ring through what a
// click could use now (the game's own list), Left and Right step within the hand
// or the meld headings, and Space or Return clicks the ring's element through
// the mouse's own entry points, so a key is one move exactly as a click is; F1
// opens the help. And the hint's outline, drawn the same way from the table model.
#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

namespace larkspur {

namespace {

// The same element of the table: the stock and the pile stay themselves as
// their top card changes; a card of the hand and a heading are the one they were.
bool SameElement(const TableTarget& a, const TableTarget& b) {
  if (a.What != b.What) return false;
  return a.What == TableTarget::HandCard || a.What == TableTarget::Heading ? a.Index == b.Index
                                                                           : true;
}

}  // namespace

void TableWindow::buildKeys() {
  marks_ = new TableMarks(surface_);
  marks_->setObjectName(QStringLiteral("TableMarks"));
  marks_->stackUnder(frames_.front().widget);  // above the cards, below the frames
  // The table holds the keyboard; a click anywhere on it, a card too, gives it back.
  surface_->setFocusPolicy(Qt::StrongFocus);
  surface_->setFocus();
  surface_->onTab = [this](bool next) { return tabRing(next); };
  surface_->onKey = [this](QKeyEvent* event) { return tableKey(event); };
  if (auto* help = findChild<QAction*>(QStringLiteral("mnuhelp"))) help->setShortcut(Qt::Key_F1);
}

TableTarget TableWindow::focusRing() const {
  return marks_->ring().isEmpty() ? TableTarget{} : ring_;
}

// An open frame keeps Tab for its own fields and buttons, and hides the ring.
bool TableWindow::frameOpen() const {
  return std::any_of(frames_.begin(), frames_.end(),
                     [](const FrameItem& f) { return f.model->Visible; });
}

std::vector<FrameButton*> TableWindow::resultsButtons() const {
  std::vector<FrameButton*> buttons;
  for (const LabelItem& item : labels_)
    if (auto* button = dynamic_cast<FrameButton*>(item.widget)) buttons.push_back(button);
  return buttons;
}

// The results frame answers the keys as a message window does: Return the button
// with the focus, a button's underlined letter, with or without Alt, that button,
// and Tab goes from one button to the other. Escape does nothing: leaving a game is
// never one key away.
bool TableWindow::resultsKey(QKeyEvent* event) {
  const std::vector<FrameButton*> buttons = resultsButtons();
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  if (event->isAutoRepeat()) return true;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      for (FrameButton* button : buttons)
        if (button->hasFocus()) return button->click(), true;
      return buttons.front()->click(), true;
    case Qt::Key_Escape:
      return true;
    default:
      break;
  }
  // With Alt held the text may be empty: the key itself names the letter.
  QChar letter = event->text().size() == 1 ? event->text().at(0).toLower() : QChar();
  if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
    letter = QChar(u'a' + (event->key() - Qt::Key_A));
  for (FrameButton* button : buttons)
    if (letter.isLetter() && button->mnemonic() == letter) return button->click(), true;
  return false;
}

// The keys the target frame's O.K. leaves: Return presses it, Escape closes the
// frame as it does from the box.
bool TableWindow::targetKey(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) sendClick(ElementClick::Target, 0);
      return true;
    case Qt::Key_Escape:
      escapeTarget();
      return true;
    default:
      return false;
  }
}

bool TableWindow::tabRing(bool next) {
  if (game_->Table.FramResults.Visible) {
    const std::vector<FrameButton*> buttons = resultsButtons();
    const int n = int(buttons.size());
    const auto at = std::find_if(buttons.begin(), buttons.end(),
                                 [](const FrameButton* b) { return b->hasFocus(); });
    const int i = at == buttons.end() ? 0 : (int(at - buttons.begin()) + (next ? 1 : n - 1)) % n;
    buttons[i]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  if (frameOpen()) return false;
  game_->PutHintAway();  // any key on the table puts the hint's outline away
  const std::vector<TableTarget> list = game_->ClickableNow();
  if (!list.empty()) {
    const auto at = std::find_if(list.begin(), list.end(),
                                 [this](const TableTarget& t) { return SameElement(t, ring_); });
    const int n = int(list.size());
    int i = next ? 0 : n - 1;  // no ring yet: from the first, or back from the last
    if (at != list.end()) i = (int(at - list.begin()) + (next ? 1 : n - 1)) % n;
    ring_ = list[i];
  }
  surface_->setFocus(Qt::TabFocusReason);
  syncFromModel();
  return true;
}

bool TableWindow::tableKey(QKeyEvent* event) {
  if (game_->Table.FramResults.Visible) return resultsKey(event);
  if (game_->Table.FramTarget.Visible) return targetKey(event);
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return false;  // the menus' shortcuts
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      game_->PutHintAway();
      // Along the hand or the headings, stopping at either end.
      const std::vector<TableTarget> list = game_->ClickableNow();
      const auto at = std::find(list.begin(), list.end(), focusRing());
      if (at != list.end() &&
          (at->What == TableTarget::HandCard || at->What == TableTarget::Heading)) {
        const auto to = event->key() == Qt::Key_Right ? at + 1 : at - (at != list.begin());
        if (to != list.end() && to->What == at->What) ring_ = *to;
      }
      syncFromModel();
      return true;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A held key is one click, not a stream of them.
      if (!event->isAutoRepeat()) clickTarget(focusRing());
      return true;
    default:
      return false;
  }
}

void TableWindow::clickTarget(const TableTarget& target) {
  switch (target.What) {
    case TableTarget::Stock:
    case TableTarget::Pile:
    case TableTarget::HandCard:
      return cardPressed(target.Index);
    case TableTarget::Heading:
      return sendClick(ElementClick::MeldHeading, target.Index);
    case TableTarget::DiscardLabel:
      return sendClick(ElementClick::Discarding, 0);
    case TableTarget::ReturnLabel:
      return sendClick(ElementClick::ReturnPack, 0);
    case TableTarget::None:
      return;
  }
}

QRect TableWindow::targetRect(const TableTarget& target) const {
  const TableRect r = game_->Table.PlaceOf(target);
  return tableRect(r.Left, r.Top, r.Width, r.Height);
}

// The ring follows its element. While the game is busy (a card in flight)
// nothing can be clicked, so the ring waits unseen; once the element itself
// can no longer be clicked, the ring stays where the player works, on the next
// card of the same rank or else the nearest card; it goes when the human's turn
// is over. The hint's outline is the model's.
void TableWindow::syncMarks() {
  QRect ring;
  if (!game_->PlayerToPlay || !game_->HandInPlay) ring_ = {};
  if (ring_.What != TableTarget::None && !frameOpen()) {
    const std::vector<TableTarget> list = game_->ClickableNow();
    if (!list.empty()) {
      const auto at = std::find_if(list.begin(), list.end(),
                                   [this](const TableTarget& t) { return SameElement(t, ring_); });
      ring_ = at != list.end() ? *at : nearestTo(ring_, ringPlace_, list);
      ringPlace_ = game_->Table.PlaceOf(ring_);
      ring = targetRect(ring_);
    }
  }
  const TableTarget& hint = game_->Table.HintTarget;
  marks_->setMarks(ring, hint.What == TableTarget::None ? QRect() : targetRect(hint));
}

// Where the ring goes when its element has gone from the list: a card of the
// same rank if the hand holds one, else a card, else anything, the one whose
// corner lies nearest to where the ring was; the earlier in the list on a tie.
TableTarget TableWindow::nearestTo(const TableTarget& gone, const TableRect& place,
                                   const std::vector<TableTarget>& list) const {
  const auto isCard = [](const TableTarget& t) {
    return t.What == TableTarget::Stock || t.What == TableTarget::Pile ||
           t.What == TableTarget::HandCard;
  };
  const auto sameRank = [&gone](const TableTarget& t) {
    return gone.What == TableTarget::HandCard && t.What == TableTarget::HandCard &&
           RankOfCard(t.Index) == RankOfCard(gone.Index);
  };
  const auto distance = [this, &place](const TableTarget& t) {
    const TableRect r = game_->Table.PlaceOf(t);
    return std::hypot(double(r.Left - place.Left), double(r.Top - place.Top));
  };
  const auto nearest = [&](auto&& keep) {
    std::optional<TableTarget> best;
    for (const TableTarget& t : list)
      if (keep(t) && (!best || distance(t) < distance(*best))) best = t;
    return best;
  };
  if (auto t = nearest(sameRank)) return *t;
  if (auto t = nearest(isCard)) return *t;
  return *nearest([](const TableTarget&) { return true; });
}

}  // namespace larkspur
