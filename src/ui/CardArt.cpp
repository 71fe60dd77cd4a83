#include "ui/CardArt.h"

#include <zlib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <utility>

#include "state/GameState.h"
#include "table/TableModel.h"

namespace larkspur {

namespace {

constexpr const char* SuitNames[4] = {"club", "diamond", "heart", "spade"};
constexpr const char* SuitSymbols[4] = {"\u2663", "\u2666", "\u2665", "\u2660"};

QString faceRankName(int faceRank) {
  switch (faceRank) {
    case 11:
      return QStringLiteral("jack");
    case 12:
      return QStringLiteral("queen");
    case 13:
      return QStringLiteral("king");
    default:
      return QString::number(faceRank);
  }
}

QString faceRankText(int faceRank) {
  switch (faceRank) {
    case 1:
      return QStringLiteral("A");
    case 11:
      return QStringLiteral("J");
    case 12:
      return QStringLiteral("Q");
    case 13:
      return QStringLiteral("K");
    default:
      return QString::number(faceRank);
  }
}

bool isRedSuit(int suit) {
  return suit == 1 || suit == 2;
}

bool isXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Reads the deck's text from a place in it in blocks, so that the rest of the
// text is neither decoded nor parsed.
class TextReader {
 public:
  TextReader(const QByteArray& xml, qsizetype start)
      : rest_(QByteArray::fromRawData(xml.constData() + start, xml.size() - start)),
        buffer_(&rest_) {
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
    reader_.setNamespaceProcessing(false);  // the deck's editor attributes need no namespaces
  }
  QXmlStreamReader& reader() { return reader_; }
  // The text read so far; empty unless it is plain ASCII, where the reader's
  // character offsets are byte offsets.
  QByteArrayView readSoFar() const {
    const QByteArrayView text(rest_.constData(), reader_.characterOffset());
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? text : QByteArrayView();
  }

 private:
  QByteArray rest_;
  QBuffer buffer_;
  QXmlStreamReader reader_;
};

// The text of the element whose start tag begins at `start`, to the end of its
// end tag; empty unless a well-formed element stands there.
QByteArrayView elementAt(const QByteArray& xml, qsizetype start) {
  TextReader text(xml, start);
  QXmlStreamReader& reader = text.reader();
  for (int depth = 0; !reader.atEnd();) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) ++depth;
    if (token == QXmlStreamReader::EndElement && --depth == 0) return text.readSoFar();
  }
  return {};
}

// Where the start tag of the element with this id begins, or -1.
qsizetype elementWithId(const QByteArray& xml, QByteArrayView id) {
  const QByteArray attribute = "id=\"" + id.toByteArray() + '"';
  for (qsizetype at = xml.indexOf(attribute); at > 0; at = xml.indexOf(attribute, at + 1)) {
    if (!isXmlSpace(xml[at - 1])) continue;  // the end of another name, as in sodipodi:id
    // No '<' may stand in an attribute's value: the last one before is the tag's.
    return xml.lastIndexOf('<', at);
  }
  return -1;
}

// The ids an element's text refers to: url(#id) in its styles, href="#id" in its links.
QList<QByteArray> referencedIds(QByteArrayView text) {
  QList<QByteArray> ids;
  for (const auto& [open, close] : {std::pair{"url(#", ')'}, {"href=\"#", '"'}}) {
    const QByteArrayView opening(open);
    for (qsizetype at = text.indexOf(opening); at >= 0; at = text.indexOf(opening, at)) {
      at += opening.size();
      const qsizetype end = text.indexOf(close, at);
      if (end < 0) break;
      ids.append(text.sliced(at, end - at).toByteArray());
    }
  }
  return ids;
}

std::unique_ptr<QSvgRenderer> readRenderer(const QByteArray& document) {
  if (document.isEmpty()) return nullptr;
  auto renderer = std::make_unique<QSvgRenderer>(document);
  if (!renderer->isValid() || !renderer->elementExists(QStringLiteral("back"))) return nullptr;
  return renderer;
}

// One card's picture at a size, from the deck, or the plain card without it.
QImage drawCard(QSvgRenderer* svg, int image, QSize size, qreal dpr) {
  QImage picture(size * dpr, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(dpr);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  const QRectF rect(QPointF(0, 0), QSizeF(size));
  if (svg) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg->render(&p, deckElementId(image), rect);
  } else {
    drawFallbackCard(p, rect, image);
  }
  return picture;
}

}  // namespace

QString deckElementId(int image) {
  if (image < 1 || image > CardCount) return QStringLiteral("back");
  const CardFace face = FaceOfCard(image);
  if (face.faceRank == 0)
    return face.redJoker ? QStringLiteral("red_joker") : QStringLiteral("black_joker");
  return faceRankName(face.faceRank) + QLatin1Char('_') + QLatin1String(SuitNames[face.suit]);
}

QByteArray readDeck(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray packed = file.readAll();
  if (!packed.startsWith("\x1f\x8b")) return packed;
  QByteArray text(packed.size() * 8, Qt::Uninitialized);
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return {};  // 16: a gzip header
  stream.next_in = reinterpret_cast<Bytef*>(packed.data());
  stream.avail_in = static_cast<uInt>(packed.size());
  int result = Z_OK;
  while (result == Z_OK) {
    if (stream.total_out == static_cast<uLong>(text.size())) text.resize(text.size() * 2);
    stream.next_out = reinterpret_cast<Bytef*>(text.data()) + stream.total_out;
    stream.avail_out = static_cast<uInt>(text.size() - stream.total_out);
    result = inflate(&stream, Z_NO_FLUSH);
  }
  text.resize(result == Z_STREAM_END ? qsizetype(stream.total_out) : 0);
  inflateEnd(&stream);
  return text;
}

// The back's ancestors in the deck are plain groups, without transforms or
// styles of their own, so the back drawn from this document is the back drawn
// from the deck (the card art's test compares the two).
QByteArray deckBackDocument(const QByteArray& deck) {
  // The root's start tag, with the deck's size and namespaces.
  TextReader root(deck, 0);
  while (!root.reader().atEnd() && root.reader().readNext() != QXmlStreamReader::StartElement) {
  }
  if (!root.reader().isStartElement()) return {};
  const QByteArray rootName = root.reader().qualifiedName().toLatin1();
  const QByteArrayView rootTag = root.readSoFar();
  if (rootTag.isEmpty()) return {};
  const qsizetype backStart = elementWithId(deck, "back");
  if (backStart < 0) return {};
  const QByteArrayView back = elementAt(deck, backStart);
  if (back.isEmpty()) return {};
  const qsizetype backEnd = backStart + back.size();

  // The definitions the back refers to, and those they refer to in turn.
  QByteArray definitions;
  QSet<QByteArray> seen;
  QList<QByteArray> wanted = referencedIds(back);
  while (!wanted.isEmpty()) {
    const QByteArray id = wanted.takeLast();
    if (seen.contains(id)) continue;
    seen.insert(id);
    const qsizetype start = elementWithId(deck, id);
    if (start >= backStart && start < backEnd) continue;  // within the back itself
    const QByteArrayView element = start < 0 ? QByteArrayView() : elementAt(deck, start);
    if (element.isEmpty()) return {};
    definitions += element;
    definitions += '\n';
    wanted += referencedIds(element);
  }
  return rootTag.toByteArray() + "\n<defs>\n" + definitions + "</defs>\n" + back.toByteArray() +
         "\n</" + rootName + ">\n";
}

void drawFallbackCard(QPainter& p, const QRectF& rect, int image) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF card = rect.adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = rect.width() / 12;
  if (image < 1 || image > CardCount) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(30, 50, 140));
    p.drawRoundedRect(card, radius, radius);
    p.setPen(QPen(QColor(120, 150, 230), 1));
    const QRectF inner = card.adjusted(4, 4, -4, -4);
    p.setClipRect(inner);
    for (qreal x = inner.left() - inner.height(); x < inner.right(); x += 6)
      p.drawLine(QPointF(x, inner.bottom()), QPointF(x + inner.height(), inner.top()));
    p.restore();
    return;
  }
  const CardFace face = FaceOfCard(image);
  const bool red = face.faceRank == 0 ? face.redJoker : isRedSuit(face.suit);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(card, radius, radius);
  p.setPen(red ? QColor(200, 0, 0) : Qt::black);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(qMax(6, qRound(rect.height() / 6)));
  p.setFont(font);
  const QRectF corner = card.adjusted(3, 2, -3, -2);
  if (face.faceRank == 0) {
    p.drawText(card, Qt::AlignCenter, QStringLiteral("JOKER"));
  } else {
    const QString symbol = QString::fromUtf8(SuitSymbols[face.suit]);
    p.drawText(corner, Qt::AlignLeft | Qt::AlignTop, faceRankText(face.faceRank) + '\n' + symbol);
    font.setPixelSize(qMax(8, qRound(rect.height() / 3)));
    p.setFont(font);
    p.drawText(card, Qt::AlignCenter, symbol);
  }
  p.restore();
}

CardArt::CardArt(const QString& deckPath)
    : deckPath_(deckPath),
      backLoading_(std::async(
          std::launch::async, [deckPath, dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0] {
            Back back{readRenderer(deckBackDocument(readDeck(deckPath))), {}};
            // The stock shows it in the window's first paint, at the table's own size.
            const QSize size(CardWidth / TwipsPerPixel, CardHeight / TwipsPerPixel);
            if (!back.renderer) return back;
            back.picture = drawCard(back.renderer.get(), BackImage, size, dpr);
            // Read on this worker, drawn from now on on the window's thread.
            if (auto* app = QCoreApplication::instance())
              back.renderer->moveToThread(app->thread());
            return back;
          })) {}

CardArt::~CardArt() {
  if (backLoading_.valid()) backLoading_.wait();
}

QSvgRenderer* CardArt::back() {
  if (!backLoaded_) {
    Back back = backLoading_.get();
    back_ = std::move(back.renderer);
    backPicture_ = std::move(back.picture);
    backLoaded_ = true;
  }
  // A deck whose back could not be cut out still draws it whole.
  return back_ ? back_.get() : deck();
}

QSvgRenderer* CardArt::deck() {
  if (!deckLoaded_) {
    deck_ = readRenderer(readDeck(deckPath_));
    deckLoaded_ = true;
  }
  return deck_.get();
}

bool CardArt::hasDeck() {
  return deck() != nullptr;
}

QPixmap CardArt::render(int image, QSize size, qreal dpr) {
  if (image != BackImage) return QPixmap::fromImage(drawCard(deck(), image, size, dpr));
  QSvgRenderer* svg = back();
  // The worker's picture, when it was drawn for this size.
  QImage picture = std::exchange(backPicture_, QImage());
  if (picture.isNull() || picture.deviceIndependentSize() != QSizeF(size) ||
      picture.devicePixelRatio() != dpr)
    picture = drawCard(svg, image, size, dpr);
  return QPixmap::fromImage(std::move(picture));
}

QPixmap CardArt::pixmap(int image, QSize size, qreal dpr) {
  if (image < 1 || image > BackImage) image = BackImage;
  if (size.isEmpty()) return {};
  if (size != cacheSize_ || dpr != cacheDpr_) {
    cache_.fill(QPixmap());
    cacheSize_ = size;
    cacheDpr_ = dpr;
  }
  QPixmap& cached = cache_[static_cast<std::size_t>(image)];
  if (cached.isNull()) cached = render(image, size, dpr);
  return cached;
}

}  // namespace larkspur
