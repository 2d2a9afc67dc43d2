// The size a text is shown in where its room is fixed (a status panel, a button's caption): the
// largest font no larger than the base one, and no smaller than kSmallestTextPixels, in which the
// text fits; the smallest one when none does (the text is then shortened with an ellipsis). The
// same rule for every view of the window; each measures text in its own toolkit.
#pragma once

#include <functional>

namespace corvane {

inline constexpr int kSmallestTextPixels = 8;

// width_at(px): the text's width in a font of px pixels.
inline int Pixels_To_Fit(int base_px, int room, const std::function<int(int px)>& width_at) {
  for (int px = base_px; px > kSmallestTextPixels; --px) {
    if (width_at(px) <= room) return px;
  }
  return kSmallestTextPixels;
}

}  // namespace corvane
