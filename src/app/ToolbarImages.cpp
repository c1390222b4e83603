#include "app/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

QIcon Draw(int size, const Drawing& draw) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  draw(painter);
  return QIcon(pixmap);
}

void Box(QPainter& p, bool ticked) {
  p.setPen(QPen(QColor(40, 60, 110), 2));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(5, 5, 22, 22), 3, 3);
  if (!ticked) return;
  p.setPen(QPen(QColor(20, 140, 40), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({{9, 16}, {14, 22}, {24, 9}}));
}

void Refresh(QPainter& p) {
  p.setPen(QPen(QColor(30, 110, 200), 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 110, 200));
  p.drawPolygon(QPolygonF({{18, 2}, {26, 8}, {17, 12}}));
}

void Privacy(QPainter& p) {
  QPainterPath shield;
  shield.moveTo(16, 3);
  shield.lineTo(27, 7);
  shield.cubicTo(27, 18, 22, 25, 16, 29);
  shield.cubicTo(10, 25, 5, 18, 5, 7);
  shield.closeSubpath();
  p.setPen(QPen(QColor(30, 60, 120), 2));
  p.setBrush(QColor(90, 150, 220));
  p.drawPath(shield);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(240, 200, 60));
  p.drawRoundedRect(QRectF(11, 14, 10, 8), 1, 1);
  p.setPen(QPen(QColor(240, 200, 60), 2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(12, 9, 8, 9), 0, 180 * 16);
}

void Delete(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 2));
  p.setBrush(QColor(200, 200, 205));
  p.drawRect(QRectF(8, 10, 16, 19));
  p.drawRect(QRectF(6, 6, 20, 4));
  p.drawRect(QRectF(13, 3, 6, 3));
  for (int x : {12, 16, 20}) p.drawLine(QPointF(x, 13), QPointF(x, 26));
}

void Close(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 40, 40));
  p.drawEllipse(QRectF(4, 4, 24, 24));
  p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 11), QPointF(21, 21));
  p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void Cookie(QPainter& p) {
  p.setPen(QPen(QColor(120, 70, 20), 2));
  p.setBrush(QColor(215, 160, 80));
  p.drawEllipse(QRectF(3, 3, 26, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 50, 20));
  for (const QPointF& chip :
       {QPointF(11, 11), QPointF(20, 10), QPointF(15, 18), QPointF(22, 21), QPointF(10, 22)}) {
    p.drawEllipse(chip, 2.2, 2.2);
  }
}

}  // namespace

std::vector<QIcon> ToolbarImages() {
  return {
      Draw(32, [](QPainter& p) { Box(p, true); }),
      Draw(32, [](QPainter& p) { Box(p, false); }),
      Draw(32, Refresh),
      Draw(32, Privacy),
      Draw(32, Delete),
      Draw(32, Close),
  };
}

QIcon WindowIcon() {
  return Draw(16, Cookie);
}

QIcon ApplicationIcon() {
  return Draw(32, Cookie);
}
