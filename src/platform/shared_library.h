// A library of the system or of a driver, loaded at run time rather than linked, so that the
// program starts and says what is missing when it is not installed.
// Implementations: shared_library_posix.cpp, shared_library_windows.cpp (see README.md).
#pragma once

#include <memory>
#include <string>

namespace corvane::platform {

class SharedLibrary {
 public:
  virtual ~SharedLibrary() = default;
  // The address of an exported function, or null when the library has none by that name.
  virtual void* Symbol(const char* name) = 0;
};

// Loads the library by file name, searched for as the system searches for libraries (on Windows
// the program's own folder first). Null with the system's reason when it cannot be loaded.
std::unique_ptr<SharedLibrary> Load_Shared_Library(const std::string& name, std::string* error);

}  // namespace corvane::platform
