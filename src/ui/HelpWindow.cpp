#include "ui/HelpWindow.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "about/HelpText.h"
#include "ui/Units.h"

namespace larkspur {

namespace {

// The help's lines are broken by hand at about 120 characters, more than the
// box holds at its font, so a line that runs on into the next is joined to it
// and the box wraps the paragraph to its own width. Short lines (headings,
// tables, lists, the ends of paragraphs) keep their line breaks.
QString ForDisplay(const std::string& text) {
  constexpr qsizetype kRunOnLength = 100;
  const QStringList lines =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split(QLatin1Char('\n'));
  QString shown;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    shown += lines[i];
    if (i + 1 == lines.size()) break;
    const QString& next = lines[i + 1];
    const bool runsOn = lines[i].size() >= kRunOnLength && !lines[i].contains(QLatin1Char('\t')) &&
                        !next.isEmpty() && !next.startsWith(QLatin1Char('\t'));
    shown += runsOn ? QLatin1Char(' ') : QLatin1Char('\n');
  }
  return shown;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmHelp"));
  setWindowTitle(QStringLiteral("Larkspur Help"));
  setFixedSize(twipsToPixels(12480), twipsToPixels(10545));
  setAutoFillBackground(true);
  QPalette back = palette();
  back.setColor(QPalette::Window, kTeal);
  setPalette(back);

  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("Text1"));
  text_->setGeometry(twipsRect(0, 0, 12375, 9615));
  text_->setReadOnly(true);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  const QFont serif = serifFont(12);
  text_->setFont(serif);
  // Tab stops every eight blanks, so the headings and tables line up.
  text_->setTabStopDistance(QFontMetricsF(serif).horizontalAdvance(QLatin1Char(' ')) * 8);
  text_->setPlainText(ForDisplay(HelpText()));

  close_ = new QPushButton(QStringLiteral("C&lose Me"), this);
  close_->setObjectName(QStringLiteral("CmdCloseHelp"));
  close_->setGeometry(twipsRect(4680, 9840, 2295, 375));
  makeGreenButton(close_);
  connect(close_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void HelpWindow::showModal() {
  text_->moveCursor(QTextCursor::Start);
  exec();
}

}  // namespace larkspur
