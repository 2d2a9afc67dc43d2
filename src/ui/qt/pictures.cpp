#include "ui/qt/pictures.h"

#include <QFont>
#include <QPainter>

namespace corvane::qt {

QPixmap Chip_Icon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // Pins on both long sides, then the package with its notch.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(192, 192, 192));
  for (int i = 0; i < 5; ++i) {
    p.drawRect(4, 5 + i * 5, 5, 2);
    p.drawRect(23, 5 + i * 5, 5, 2);
  }
  p.setBrush(QColor(40, 40, 40));
  p.drawRoundedRect(8, 2, 16, 28, 2, 2);
  p.setBrush(QColor(0, 192, 0));
  p.drawEllipse(QPointF(16, 4), 3, 3);
  p.setPen(QColor(255, 255, 0));
  QFont f;
  f.setPixelSize(7);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRect(8, 10, 16, 16), Qt::AlignCenter, QStringLiteral("PIC"));
  return pixmap;
}

QPixmap Logo() {
  QPixmap pixmap(111, 40);
  pixmap.fill(QColor(0, 0, 128));
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.drawPixmap(4, 4, Chip_Icon());
  p.setPen(QColor(255, 255, 0));
  QFont f(QStringLiteral("Times New Roman"));
  f.setStyleHint(QFont::Serif);
  f.setPixelSize(16);
  f.setBold(true);
  f.setItalic(true);
  p.setFont(f);
  p.drawText(QRect(36, 0, 75, 40), Qt::AlignCenter, QStringLiteral("Corvane"));
  return pixmap;
}

}  // namespace corvane::qt
