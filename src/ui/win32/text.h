// Text between the window's logic (UTF-8, CR LF line ends) and the Windows API (UTF-16).
#pragma once

#include <string>
#include <string_view>

namespace corvane::win32 {

// The logic's texts are UTF-8, except the file names in them, which are in the ANSI code page as
// the system's narrow calls take them: a text that is not valid UTF-8 is read in that code page.
std::wstring Wide(std::string_view text);
std::string Utf8(std::wstring_view wide);
// A file name as the logic takes it: in the ANSI code page.
std::string Ansi_Path(std::wstring_view path);

// The log as a multi-line edit box needs it: every line end CR LF, a lone CR or LF included.
std::wstring Edit_Text(std::string_view log);

// A filter of "description|pattern|" pairs as the file dialogs take it: NUL-separated, ending in
// two NULs.
std::wstring Dialog_Filter(std::string_view filter);

// A caption as shown: without its mnemonic marks ("&Infos système..." -> "Infos système...").
std::wstring Shown_Caption(std::wstring caption);

}  // namespace corvane::win32
