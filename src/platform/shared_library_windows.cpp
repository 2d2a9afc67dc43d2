#include <windows.h>

#include <string>

#include "platform/shared_library.h"

namespace corvane::platform {

namespace {

class WindowsLibrary final : public SharedLibrary {
 public:
  explicit WindowsLibrary(HMODULE module) : module_(module) {}
  ~WindowsLibrary() override { ::FreeLibrary(module_); }
  void* Symbol(const char* name) override {
    return reinterpret_cast<void*>(::GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
};

std::string Error_Text(DWORD code) {
  char* text = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string s = n > 0 && text != nullptr ? std::string(text, n) : std::string();
  if (text != nullptr) ::LocalFree(text);
  while (!s.empty() &&
         (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.')) {
    s.pop_back();
  }
  return s.empty() ? "error " + std::to_string(code) : s;
}

}  // namespace

std::unique_ptr<SharedLibrary> Load_Shared_Library(const std::string& name, std::string* error) {
  const std::wstring wide(name.begin(), name.end());  // the names we load are plain ASCII
  HMODULE module = ::LoadLibraryW(wide.c_str());
  if (module == nullptr) {
    if (error != nullptr) *error = Error_Text(::GetLastError());
    return nullptr;
  }
  return std::make_unique<WindowsLibrary>(module);
}

}  // namespace corvane::platform
