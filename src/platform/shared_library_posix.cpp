#include <dlfcn.h>

#include "platform/shared_library.h"

namespace corvane::platform {

namespace {

class PosixLibrary final : public SharedLibrary {
 public:
  explicit PosixLibrary(void* handle) : handle_(handle) {}
  ~PosixLibrary() override { ::dlclose(handle_); }
  void* Symbol(const char* name) override { return ::dlsym(handle_, name); }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<SharedLibrary> Load_Shared_Library(const std::string& name, std::string* error) {
  void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = ::dlerror();
    if (error != nullptr) *error = why != nullptr ? why : "cannot be loaded";
    return nullptr;
  }
  return std::make_unique<PosixLibrary>(handle);
}

}  // namespace corvane::platform
