#include "ui/win32/look.h"

#include "ui/text_fit.h"

namespace corvane::win32 {

Look::Look() {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi_ <= 0) dpi_ = 96;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    base_ = metrics.lfMessageFont;
  } else {
    base_.lfHeight = -MulDiv(8, dpi_, 72);
    lstrcpyW(base_.lfFaceName, L"MS Shell Dlg");
  }
  if (base_.lfFaceName[0] == L'\0') lstrcpyW(base_.lfFaceName, L"MS Shell Dlg");
  base_pixels_ =
      base_.lfHeight < 0 ? -base_.lfHeight : (base_.lfHeight > 0 ? base_.lfHeight : S(12));
  measure_ = CreateCompatibleDC(nullptr);
}

Look::~Look() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  if (fixed_) DeleteObject(fixed_);
  if (measure_) DeleteDC(measure_);
}

HFONT Look::Font(int pixels, int weight, const wchar_t* face) {
  const std::wstring name = face ? face : base_.lfFaceName;
  const auto key = std::make_pair(name, std::make_pair(pixels, weight));
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf = base_;
  lf.lfHeight = -pixels;
  lf.lfWidth = 0;
  lf.lfWeight = weight;
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  fonts_.emplace(key, font);
  return font;
}

HFONT Look::Fixed_Font() {
  if (!fixed_) {
    LOGFONTW lf = {};
    lf.lfHeight = -S(12);
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpyW(lf.lfFaceName, L"Courier New");
    fixed_ = CreateFontIndirectW(&lf);
  }
  return fixed_;
}

int Look::Text_Width(HFONT font, const std::wstring& text) const {
  HGDIOBJ old = SelectObject(measure_, font);
  SIZE size = {};
  GetTextExtentPoint32W(measure_, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(measure_, old);
  return size.cx;
}

HFONT Look::Fitted_Font(const std::wstring& text, int room) {
  const int px =
      Pixels_To_Fit(base_pixels_, room, [&](int p) { return Text_Width(Font(p), text); });
  return Font(px);
}

HBRUSH Look::Brush(Rgb colour) {
  const int key = (colour.r << 16) | (colour.g << 8) | colour.b;
  auto it = brushes_.find(key);
  if (it != brushes_.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(Colour(colour));
  brushes_.emplace(key, brush);
  return brush;
}

namespace {

void Fill(HDC dc, int x, int y, int w, int h, COLORREF colour) {
  RECT r{x, y, x + w, y + h};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

void Draw_Chip(HDC dc, int x, int y, int size) {
  auto s = [size](int v) { return MulDiv(v, size, 32); };
  // Pins on both long sides, then the package with its notch and its name.
  for (int i = 0; i < 5; ++i) {
    Fill(dc, x + s(4), y + s(5 + i * 5), s(5), std::max(1, s(2)), RGB(192, 192, 192));
    Fill(dc, x + s(23), y + s(5 + i * 5), s(5), std::max(1, s(2)), RGB(192, 192, 192));
  }
  Fill(dc, x + s(8), y + s(2), s(16), s(28), RGB(40, 40, 40));
  HBRUSH green = CreateSolidBrush(RGB(0, 192, 0));
  HGDIOBJ old_brush = SelectObject(dc, green);
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, x + s(13), y + s(1), x + s(19), y + s(7));
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(green);
  HFONT font = CreateFontW(-std::max(6, s(7)), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                           0, L"Arial");
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 0));
  RECT r{x + s(8), y + s(10), x + s(24), y + s(26)};
  DrawTextW(dc, L"PIC", 3, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  SelectObject(dc, old_font);
  DeleteObject(font);
}

void Draw_Logo(HDC dc, const Look& look, int x, int y) {
  Fill(dc, x, y, look.S(111), look.S(40), RGB(0, 0, 128));
  Draw_Chip(dc, x + look.S(4), y + look.S(4), look.S(32));
  HFONT font = CreateFontW(-look.S(16), 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Times New Roman");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 0));
  RECT r{x + look.S(36), y, x + look.S(111), y + look.S(40)};
  DrawTextW(dc, L"Corvane", 7, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
}

HICON Make_Chip_Icon(int size) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(dc, colour);
  Fill(dc, 0, 0, size, size, RGB(0, 0, 0));
  Draw_Chip(dc, 0, 0, size);
  // The mask: the background (black) transparent, the chip opaque.
  HDC mask_dc = CreateCompatibleDC(screen);
  HGDIOBJ old_mask = SelectObject(mask_dc, mask);
  SetBkColor(dc, RGB(0, 0, 0));
  BitBlt(mask_dc, 0, 0, size, size, dc, 0, 0, SRCCOPY);
  SelectObject(mask_dc, old_mask);
  DeleteDC(mask_dc);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask;
  info.hbmColor = colour;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

}  // namespace corvane::win32
