// The look the score sheet and the statistics share: a teal window, a table of
// figures that is only read, and green buttons.
#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QTableWidget;
class QWidget;

namespace larkspur {

// Names the window and gives it its title, its teal and its size in twips.
void LookLikeASheet(QDialog* window, const QString& name, const QString& title, int widthTwips,
                    int heightTwips);
// A table of serif figures, headed but not numbered, that cannot be edited or selected.
QTableWidget* SheetTable(const QString& name, QWidget* parent);
QPushButton* GreenButton(const QString& text, const char* name, QWidget* parent);

}  // namespace larkspur
