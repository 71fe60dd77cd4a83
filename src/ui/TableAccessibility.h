// The table window as a screen reader meets it: each card picture and label
// answers with the game's own words for it, worked out only when a screen
// reader asks, so nothing is spent while none runs.
#pragma once

class QAccessibleEvent;
class QWidget;

namespace larkspur {

// Has the table's card pictures and labels answer screen readers; once per program.
void installTableAccessibility();

// Tells a screen reader that the status line says something new.
void announceStatus(QWidget* statusLabel);

// Where the table's own accessibility events go: to Qt, which passes them on
// only while a screen reader listens. Tests listen here instead; returns the
// sink it replaces.
using AccessibleEventSink = void (*)(QAccessibleEvent*);
AccessibleEventSink setAccessibleEventSink(AccessibleEventSink sink);

}  // namespace larkspur
