// Accessible interfaces for the table's card pictures and labels. Qt makes one
// when something first asks for a widget's interface; its words come from the
// game at the moment a screen reader reads them.
#include "ui/TableAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <functional>
#include <optional>

#include "table/AccessibleNames.h"
#include "ui/TableWidgets.h"
#include "ui/TableWindow.h"

namespace larkspur {

namespace {

// What a widget of the table says, and whether the game takes clicks on it.
class TableInterface : public QAccessibleWidget {
 public:
  TableInterface(QWidget* widget, QAccessible::Role plainRole)
      : QAccessibleWidget(widget, plainRole), plainRole_(plainRole) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name && t != QAccessible::Description) return QAccessibleWidget::text(t);
    const std::optional<AccessibleText> said = spoken();
    if (!said) return QAccessibleWidget::text(t);
    return QString::fromStdString(t == QAccessible::Name ? said->Name : said->Description);
  }

  QAccessible::Role role() const override { return pressable() ? QAccessible::Button : plainRole_; }

  // A card under the top of the stock or the pile shows nothing of its own.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (const std::optional<AccessibleText> said = spoken(); said && said->Covered)
      state.invisible = true;
    return state;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (pressable()) names.prepend(pressAction());
    return names;
  }

  // Pressed as by the mouse, once the screen reader's request has been answered.
  void doAction(const QString& action) override {
    if (action != pressAction() || !pressable()) return QAccessibleWidget::doAction(action);
    QMetaObject::invokeMethod(
        widget(),
        [press = pressHandler()] {
          if (press) press();
        },
        Qt::QueuedConnection);
  }

 protected:
  // The game of the table the widget lies on; none while the window is being taken down.
  Game* game() const {
    auto* table = dynamic_cast<TableWindow*>(widget()->window());
    return table ? &table->game() : nullptr;
  }
  virtual std::optional<AccessibleText> spoken() const = 0;
  virtual bool pressable() const = 0;
  // What a click on the widget does; always set on a widget the game takes clicks on.
  virtual std::function<void()> pressHandler() const = 0;

 private:
  QAccessible::Role plainRole_;
};

// A card picture: named by the game from the card's place.
class CardInterface : public TableInterface {
 public:
  explicit CardInterface(CardWidget* card)
      : TableInterface(card, QAccessible::Graphic),
        card_(card->objectName().section(QLatin1Char('_'), 1).toInt()) {}

 protected:
  std::optional<AccessibleText> spoken() const override {
    const Game* g = game();
    if (!g || card_ < 1 || card_ > CardCount) return std::nullopt;
    return AccessibleCard(*g, card_);
  }
  bool pressable() const override {
    const std::optional<AccessibleText> said = spoken();
    return said && said->Pressable;
  }
  std::function<void()> pressHandler() const override {
    return static_cast<CardWidget*>(widget())->onPress;
  }

 private:
  int card_;
};

// A label of the table: found in the model's element list by its name.
class LabelInterface : public TableInterface {
 public:
  explicit LabelInterface(TableLabel* label) : TableInterface(label, QAccessible::StaticText) {}

 protected:
  std::optional<AccessibleText> spoken() const override {
    const TableElement* e = element();
    if (!e) return std::nullopt;
    return AccessibleElement(*game(), *e);
  }
  bool pressable() const override {
    const TableElement* e = element();
    return e && e->Kind == ElementKind::ClickableLabel;
  }
  std::function<void()> pressHandler() const override {
    return static_cast<TableLabel*>(widget())->onClick;
  }

 private:
  const TableElement* element() const {
    const Game* g = game();
    if (!g) return nullptr;
    if (!element_) {
      const std::string name = widget()->objectName().toStdString();
      for (const TableElement& e : g->Table.Elements()) {
        if (e.Name != name) continue;
        element_ = e;
        break;
      }
    }
    return element_ ? &*element_ : nullptr;
  }
  // The element's entry points into the model, which lives as long as the window.
  mutable std::optional<TableElement> element_;
};

QAccessibleInterface* tableInterfaces(const QString&, QObject* object) {
  if (auto* card = dynamic_cast<CardWidget*>(object)) return new CardInterface(card);
  if (auto* label = dynamic_cast<TableLabel*>(object)) return new LabelInterface(label);
  return nullptr;
}

void toScreenReader(QAccessibleEvent* event) {
  // Asked first, so that nothing at all is done while no screen reader runs.
  if (QAccessible::isActive()) QAccessible::updateAccessibility(event);
}

AccessibleEventSink eventSink = &toScreenReader;

}  // namespace

void installTableAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&tableInterfaces);
    return true;
  }();
  (void)installed;
}

// Qt's bridge to screen readers on Linux passes a change of name on (an
// alert it does not), so the new status line is told as the label's new name.
void announceStatus(QWidget* statusLabel) {
  QAccessibleEvent event(statusLabel, QAccessible::NameChanged);
  eventSink(&event);
}

AccessibleEventSink setAccessibleEventSink(AccessibleEventSink sink) {
  const AccessibleEventSink old = eventSink;
  eventSink = sink ? sink : &toScreenReader;
  return old;
}

}  // namespace larkspur
