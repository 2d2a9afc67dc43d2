// What the Win32 windows look like beyond the layout's numbers: the system's dialog font at the
// screen's scale, captions fitted to their controls, the colours' brushes and the drawn pictures.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "ui/layout.h"

namespace corvane::win32 {

// Pixels of the layout (at 96 dots per inch) to pixels of the screen, and the fonts in use.
class Look {
 public:
  Look();
  ~Look();
  Look(const Look&) = delete;
  Look& operator=(const Look&) = delete;

  int dpi() const { return dpi_; }
  int S(int layout_pixels) const { return MulDiv(layout_pixels, dpi_, 96); }
  // The dialog font's height in screen pixels (Segoe UI, or MS Shell Dlg before Vista).
  int base_pixels() const { return base_pixels_; }
  // The dialog font at `pixels` (screen pixels); kept until the Look goes.
  HFONT Font(int pixels, int weight = FW_NORMAL, const wchar_t* face = nullptr);
  HFONT Dialog_Font() { return Font(base_pixels_); }
  // A fixed-pitch font for the log and the memory view.
  HFONT Fixed_Font();
  // The text's width in pixels in a font.
  int Text_Width(HFONT font, const std::wstring& text) const;
  // The largest dialog font, no larger than the base one, in which `text` fits `room` pixels.
  HFONT Fitted_Font(const std::wstring& text, int room);
  HBRUSH Brush(Rgb colour);

 private:
  int dpi_ = 96;
  int base_pixels_ = 12;
  LOGFONTW base_{};
  HDC measure_ = nullptr;
  std::map<std::pair<std::wstring, std::pair<int, int>>, HFONT> fonts_;
  std::map<int, HBRUSH> brushes_;
  HFONT fixed_ = nullptr;
};

inline COLORREF Colour(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

// The chip in its socket (the window's icon), 32 x 32 layout pixels from (x, y), drawn at `scale`
// screen pixels per 32.
void Draw_Chip(HDC dc, int x, int y, int size);
// The about box's 111 x 40 logo at (x, y), scaled by the Look.
void Draw_Logo(HDC dc, const Look& look, int x, int y);
// The window's icon, drawn.
HICON Make_Chip_Icon(int size);

}  // namespace corvane::win32
