#include "ui/win32/boxes.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "ui/about_model.h"
#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {

std::string Run_File_Dialog(HWND owner, bool save, std::string_view filter,
                            std::string_view default_extension, const std::string& start_folder) {
  const std::wstring filters = Dialog_Filter(filter);
  const std::wstring extension = Wide(default_extension);
  const std::wstring folder = Wide(start_folder);
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  BOOL chosen = FALSE;
  if (save) {
    ofn.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameW(&ofn);
  } else {
    ofn.Flags |= OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameW(&ofn);
  }
  return chosen ? Ansi_Path(file.data()) : std::string();
}

}  // namespace

void SystemBoxes::Message_Box(HWND owner, std::string_view text) {
  MessageBoxW(owner, Wide(text).c_str(), Wide(kAppTitle).c_str(), MB_OK);
}

Answer SystemBoxes::Ask(HWND owner, std::string_view text) {
  switch (MessageBoxW(owner, Wide(text).c_str(), Wide(kAppTitle).c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1)) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    default:
      return Answer::kStop;
  }
}

std::string SystemBoxes::Open_File(HWND owner, std::string_view filter,
                                   std::string_view default_extension,
                                   const std::string& start_folder) {
  return Run_File_Dialog(owner, false, filter, default_extension, start_folder);
}

std::string SystemBoxes::Save_File(HWND owner, std::string_view filter,
                                   std::string_view default_extension,
                                   const std::string& start_folder) {
  return Run_File_Dialog(owner, true, filter, default_extension, start_folder);
}

}  // namespace corvane::win32
