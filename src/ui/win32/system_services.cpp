#include "ui/win32/system_services.h"

#include <windows.h>

#include <vector>

#include "ui/win32/text.h"

namespace corvane::win32 {

namespace {

HKEY Root_Key(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::Users:
      return HKEY_USERS;
    case RegistryRoot::LocalMachine:
    default:
      return HKEY_LOCAL_MACHINE;
  }
}

// "files/lastFolder" -> the sub-key "<root>\files" and the value "lastFolder".
void Split_Key(const std::string& root, std::string_view key, std::wstring* sub_key,
               std::wstring* value) {
  const std::size_t slash = key.rfind('/');
  std::string path = root;
  if (slash != std::string_view::npos) {
    std::string folder(key.substr(0, slash));
    for (char& c : folder) {
      if (c == '/') c = '\\';
    }
    path += "\\" + folder;
  }
  *sub_key = Wide(path);
  *value = Wide(slash == std::string_view::npos ? key : key.substr(slash + 1));
}

}  // namespace

bool SystemRegistry::Open_Key(RegistryRoot root, std::string_view sub_key, std::uint32_t access,
                              Key* key) {
  HKEY opened = nullptr;
  const std::string name(sub_key);
  if (RegOpenKeyExA(Root_Key(root), name.c_str(), 0, access, &opened) != ERROR_SUCCESS) {
    return false;
  }
  *key = reinterpret_cast<Key>(opened);
  return true;
}

bool SystemRegistry::Query_Value(Key key, std::string_view value_name, std::uint32_t* type,
                                 char* data, std::uint32_t* size) {
  const std::string name(value_name);
  DWORD t = 0;
  DWORD n = *size;
  if (RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &t,
                       reinterpret_cast<BYTE*>(data), &n) != ERROR_SUCCESS) {
    return false;
  }
  *type = t;
  *size = n;
  return true;
}

void SystemRegistry::Close_Key(Key key) {
  RegCloseKey(reinterpret_cast<HKEY>(key));
}

bool SystemLauncher::File_Exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SystemLauncher::Start(const std::string& path) {
  std::wstring command = L"\"" + Wide(path) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::string RegistrySettings::Value(std::string_view key) const {
  std::wstring sub_key, value;
  Split_Key(root_, key, &sub_key, &value);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, sub_key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return "";
  }
  std::vector<wchar_t> buffer(4096, L'\0');
  DWORD type = 0;
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  const LONG status = RegQueryValueExW(opened, value.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &bytes);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS || type != REG_SZ) return "";
  std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return Utf8(text);
}

void RegistrySettings::Set_Value(std::string_view key, std::string_view value) {
  std::wstring sub_key, name;
  Split_Key(root_, key, &sub_key, &name);
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, sub_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS) {
    return;  // settings that cannot be kept are not kept: the program works on without them
  }
  const std::wstring text = Wide(value);
  RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
}

}  // namespace corvane::win32
