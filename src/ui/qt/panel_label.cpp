#include "ui/qt/panel_label.h"

#include <QFontMetrics>

namespace corvane::qt {

namespace {

int Text_Width(const QFont& font, const QString& text) {
  return QFontMetrics(font).horizontalAdvance(text);
}

int Pixel_Size(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return QFontMetrics(font).height();
}

}  // namespace

QFont Font_To_Fit(const QFont& base, const QString& text, int room) {
  QFont font = base;
  font.setPixelSize(Pixels_To_Fit(Pixel_Size(base), room, [&](int px) {
    QFont sized = base;
    sized.setPixelSize(px);
    return Text_Width(sized, text);
  }));
  return font;
}

PanelLabel::PanelLabel(const QString& description, int width, QWidget* parent)
    : QLabel(parent), description_(description), base_(font()), base_metrics_(base_) {
  setFixedWidth(width);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setIndent(3);
  setToolTip(description_);
}

int PanelLabel::Text_Room() const {
  // One pixel spare on the right, so the last letter never touches the frame.
  return contentsRect().width() - indent() - 1;
}

void PanelLabel::Set_Base_Font(const QFont& font) {
  base_ = font;
  base_metrics_ = QFontMetrics(font);
  Show_Text(full_text_);
}

void PanelLabel::Show_Text(const QString& text) {
  full_text_ = text;
  const int room = Text_Room();
  // The usual case, once per word during a block read: the text fits in the panels' font.
  if (base_metrics_.horizontalAdvance(text) <= room) {
    if (font() != base_) setFont(base_);
    setText(text);
    setToolTip(description_);
    return;
  }
  const QFont font = Font_To_Fit(base_, text, room);
  setFont(font);
  const QFontMetrics metrics(font);
  if (metrics.horizontalAdvance(text) <= room) {
    setText(text);
    setToolTip(description_);
    return;
  }
  setText(metrics.elidedText(text, Qt::ElideRight, room));
  setToolTip(description_ + QStringLiteral(": ") + text);
}

}  // namespace corvane::qt
