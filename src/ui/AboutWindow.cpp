#include "ui/AboutWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <cmath>
#include <numbers>

#include "ui/Units.h"

namespace larkspur {

namespace {

const QColor kYellow(255, 255, 0);

QFont aboutFont(double points, bool italic) {
  QFont font = serifFont(points);
  font.setItalic(italic);
  return font;
}

QLabel* YellowLabel(const QString& text, QWidget* parent, const char* name, const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, kYellow);
  colours.setColor(QPalette::Window, kNavy);
  label->setPalette(colours);
  return label;
}

class Logo : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    AboutWindow::paintLogo(p, QRectF(rect()));
  }
};

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(QString());
  setFixedSize(twipsToPixels(7380), twipsToPixels(4740));

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(twipsRect(150, 60, 7080, 4050));
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setAutoFillBackground(true);
  QPalette navy = frame->palette();
  navy.setColor(QPalette::Window, kNavy);
  navy.setColor(QPalette::WindowText, kYellow);
  frame->setPalette(navy);

  // Positions inside the frame are the frame's own.
  product_ = YellowLabel(QStringLiteral("Larkspur"), frame, "lblProductName", aboutFont(30, true));
  product_->setGeometry(twipsRect(2040, 1440, 4965, 765));
  platform_ = YellowLabel(platformName(), frame, "lblPlatform", aboutFont(12, false));
  platform_->move(twipsToPixels(3600), twipsToPixels(2400));
  platform_->adjustSize();
  version_ = YellowLabel(QStringLiteral("Version ") + QStringLiteral(LARKSPUR_VERSION), frame,
                         "lblVersion", aboutFont(12, false));
  version_->move(twipsToPixels(3540), twipsToPixels(2760));
  version_->adjustSize();

  auto* logo = new Logo(frame);
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setGeometry(twipsToPixels(1080), twipsToPixels(1560), 32, 32);

  ok_ = new QPushButton(QStringLiteral("&O.K"), this);
  ok_->setObjectName(QStringLiteral("CmdOK"));
  ok_->setGeometry(twipsRect(2760, 4200, 1575, 375));
  ok_->setStyleSheet(QStringLiteral(
      "QPushButton { background-color: rgb(255, 0, 0); color: white; font-weight: bold;"
      " border: 2px outset rgb(200, 0, 0); }"
      "QPushButton:pressed { border-style: inset; }"));
  connect(ok_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });

  centreOnScreen();
}

QString AboutWindow::platformName() {
  const QString kernel = QSysInfo::kernelType();
  if (kernel == QLatin1String("linux")) return QStringLiteral("Linux");
  if (kernel == QLatin1String("winnt")) return QStringLiteral("Windows");
  if (kernel == QLatin1String("darwin")) return QStringLiteral("macOS");
  if (kernel.isEmpty()) return QSysInfo::productType();
  return kernel.left(1).toUpper() + kernel.mid(1);
}

void AboutWindow::centreOnScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void AboutWindow::showFromMenu() {
  if (!shownBefore_) {
    // The first showing holds the table until O.K is pressed.
    shownBefore_ = true;
    exec();
    return;
  }
  if (isVisible()) {
    raise();
  } else {
    setWindowModality(Qt::NonModal);
    setModal(false);
    show();
  }
  activateWindow();
}

void AboutWindow::paintLogo(QPainter& painter, const QRectF& rect) {
  // A larkspur spike: a green stem with blue-violet flowers, large at the
  // foot and smaller towards the tip, ending in buds.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(rect.topLeft());
  painter.scale(rect.width() / 32.0, rect.height() / 32.0);

  painter.setPen(QPen(QColor(60, 160, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
  QPainterPath stem;
  stem.moveTo(16, 31);
  stem.cubicTo(16.5, 22, 15, 12, 16.5, 2);
  painter.drawPath(stem);
  painter.setBrush(QColor(70, 170, 70));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRectF(16.5, 26, 7, 2.6));
  painter.drawEllipse(QRectF(8.5, 27.5, 7, 2.6));

  struct Floret {
    double x, y, size;
  };
  const Floret florets[] = {{11.5, 21, 5.0}, {20.5, 18.5, 4.8}, {12.5, 13.5, 4.2},
                            {19.5, 11, 3.8}, {13.5, 7, 3.2},    {18.5, 5, 2.6}};
  for (const Floret& f : florets) {
    painter.setBrush(QColor(90, 110, 235));
    for (int petal = 0; petal < 5; ++petal) {
      const double angle = petal * 2 * std::numbers::pi / 5 - std::numbers::pi / 2;
      const QPointF centre(f.x + std::cos(angle) * f.size * 0.45,
                           f.y + std::sin(angle) * f.size * 0.45);
      painter.drawEllipse(centre, f.size * 0.42, f.size * 0.42);
    }
    painter.setBrush(QColor(250, 245, 255));
    painter.drawEllipse(QPointF(f.x, f.y), f.size * 0.22, f.size * 0.22);
  }
  painter.setBrush(QColor(130, 120, 220));
  painter.drawEllipse(QPointF(16.3, 1.8), 1.3, 1.7);
  painter.drawEllipse(QPointF(14.8, 3.2), 1.1, 1.4);
  painter.restore();
}

}  // namespace larkspur
