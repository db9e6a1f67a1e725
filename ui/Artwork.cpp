#include "ui/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vael::ui {
namespace {

const QColor kInk(40, 28, 16);
const QColor kBrown(122, 82, 40);
const QColor kGold(214, 170, 84);
const QColor kNavy(0, 0, 128);

QPixmap Canvas(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void DrawGlyph(QPainter& p, Glyph glyph) {
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(kNavy, 1.6);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::Help: {
      QFont font(QStringLiteral("DejaVu Sans"));
      font.setPixelSize(11);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case Glyph::Minimize:
      p.setPen(QPen(Qt::white, 2));
      p.drawLine(QPointF(4, 11), QPointF(12, 11));
      break;
    case Glyph::Close:
      p.setPen(QPen(Qt::white, 2));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case Glyph::Log:
      p.drawRect(QRectF(3, 2, 10, 12));
      for (int y = 5; y <= 11; y += 3) p.drawLine(QPointF(5, y), QPointF(11, y));
      break;
    case Glyph::Info:
      p.drawEllipse(QRectF(2, 2, 12, 12));
      p.drawLine(QPointF(8, 7), QPointF(8, 11.5));
      p.drawPoint(QPointF(8, 4.8));
      break;
    case Glyph::GeneratePage:
      p.drawRect(QRectF(5, 2, 8, 10));
      p.drawRect(QRectF(3, 4, 8, 10));
      p.drawLine(QPointF(5, 8), QPointF(9, 8));
      p.drawLine(QPointF(5, 11), QPointF(9, 11));
      break;
    case Glyph::GenerateNext: {
      QPainterPath arrow;
      arrow.moveTo(4, 3);
      arrow.lineTo(12, 8);
      arrow.lineTo(4, 13);
      arrow.closeSubpath();
      p.setBrush(kNavy);
      p.drawPath(arrow);
      break;
    }
    case Glyph::Save:
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      p.drawRect(QRectF(5, 2.5, 6, 4));
      p.drawRect(QRectF(4.5, 9, 7, 4.5));
      break;
    case Glyph::Copy:
      p.drawRect(QRectF(2.5, 2.5, 7, 8));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6.5, 5.5, 7, 8));
      break;
    case Glyph::Clear:
      p.setPen(QPen(QColor(160, 20, 20), 2));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case Glyph::SelectAll:
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      p.drawLine(QPointF(4.5, 8), QPointF(7, 11));
      p.drawLine(QPointF(7, 11), QPointF(12, 4.5));
      break;
    case Glyph::InvertSelection:
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      p.setBrush(kNavy);
      p.drawPolygon(QPolygonF({QPointF(2.5, 2.5), QPointF(13.5, 2.5), QPointF(2.5, 13.5)}));
      break;
    case Glyph::DeselectAll:
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      break;
  }
}

}  // namespace

QPixmap BackgroundPicture() {
  QPixmap picture(370, 337);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);

  // Body: parchment with a brown edge, so the panels on it blend in.
  p.setPen(QPen(kBrown, 2));
  p.setBrush(kParchment);
  p.drawRoundedRect(QRectF(1, 35, 368, 301), 6, 6);

  // Title strip behind the help button, the title, the status and the two
  // window buttons.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRect(QRect(4, 38, 362, 19));

  // A thin rule where the collapsed window ends.
  p.setPen(QPen(kBrown.lighter(130), 1));
  p.drawLine(QPointF(8, 158.5), QPointF(362, 158.5));

  // Crest above the medallion.
  QRadialGradient crest(183, 18, 22);
  crest.setColorAt(0, kGold.lighter(130));
  crest.setColorAt(1, kBrown);
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(crest);
  p.drawEllipse(QRectF(164.5, 2.5, 37, 42));

  // Medallion with a ring and the small gem that is the hot spot.
  QRadialGradient medal(185, 45, 44);
  medal.setColorAt(0, kGold.lighter(125));
  medal.setColorAt(0.8, kGold);
  medal.setColorAt(1, kBrown);
  p.setBrush(medal);
  p.drawEllipse(QRectF(143.5, 7.5, 83, 83));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBrown, 1.2));
  p.drawEllipse(QRectF(151, 15, 68, 68));

  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(30);
  font.setItalic(true);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(143, 22, 84, 50), Qt::AlignCenter, QStringLiteral("V"));

  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kNavy);
  p.drawEllipse(QRectF(183.5, 76.5, 5, 5));
  return picture;
}

QIcon GlyphIcon(Glyph glyph) {
  QPixmap pixmap = Canvas(16);
  QPainter painter(&pixmap);
  DrawGlyph(painter, glyph);
  painter.end();
  return QIcon(pixmap);
}

QIcon OptionsImage(int index) {
  QPixmap pixmap = Canvas(16);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  QPainterPath arrow;
  if (index == 0) {
    arrow.moveTo(3, 5);
    arrow.lineTo(13, 5);
    arrow.lineTo(8, 12);
  } else {
    arrow.moveTo(3, 11);
    arrow.lineTo(13, 11);
    arrow.lineTo(8, 4);
  }
  arrow.closeSubpath();
  p.drawPath(arrow);
  p.end();
  return QIcon(pixmap);
}

QRegion WindowRegion() {
  return QRegion(QRect(0, 34, 370, 486)) + QRegion(QRect(164, 2, 38, 43), QRegion::Ellipse) +
         QRegion(QRect(143, 7, 84, 84), QRegion::Ellipse);
}

}  // namespace vael::ui
