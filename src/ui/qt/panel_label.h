// A panel of the status bar: a sunken label of fixed width whose text always shows whole. The
// panels share one font, the largest that fits each panel's widest usual text; a longer text gets
// a smaller font for as long as it stays, and only a text too long even for the smallest one is
// shortened with an ellipsis, whole in the tool tip.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QString>

#include "ui/text_fit.h"

namespace corvane::qt {

inline constexpr int kSmallestPanelPixels = kSmallestTextPixels;

class PanelLabel final : public QLabel {
 public:
  // description: the panel's tool tip.
  PanelLabel(const QString& description, int width, QWidget* parent);

  // The font the panel uses for texts that fit it.
  void Set_Base_Font(const QFont& font);
  void Show_Text(const QString& text);
  // The width the text has inside the frame and the indent.
  int Text_Room() const;
  const QString& full_text() const { return full_text_; }

 private:
  QString description_;
  QString full_text_;
  QFont base_;
  QFontMetrics base_metrics_;
};

// The largest font no larger than `base`, and no smaller than kSmallestPanelPixels, in which
// `text` is at most `room` pixels wide; the smallest one when none is.
QFont Font_To_Fit(const QFont& base, const QString& text, int room);

}  // namespace corvane::qt
