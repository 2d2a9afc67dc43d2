#include "ui/win32/text.h"

#include <windows.h>

namespace corvane::win32 {

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  UINT code_page = CP_UTF8;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (n == 0) {
    code_page = CP_ACP;
    n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  }
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, out.data(), n);
  return out;
}

std::string Ansi_Path(std::wstring_view path) {
  if (path.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring Edit_Text(std::string_view log) {
  const std::wstring in = Wide(log);
  std::wstring out;
  out.reserve(in.size() + in.size() / 16);
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == L'\r') {
      out += L"\r\n";
      if (i + 1 < in.size() && in[i + 1] == L'\n') ++i;
    } else if (in[i] == L'\n') {
      out += L"\r\n";
    } else {
      out += in[i];
    }
  }
  return out;
}

std::wstring Dialog_Filter(std::string_view filter) {
  std::wstring out = Wide(filter);
  for (wchar_t& c : out) {
    if (c == L'|') c = L'\0';
  }
  if (out.empty() || out.back() != L'\0') out += L'\0';
  out += L'\0';
  return out;
}

std::wstring Shown_Caption(std::wstring caption) {
  std::wstring out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

}  // namespace corvane::win32
