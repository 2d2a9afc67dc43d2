# Cross-building the programs for 32-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-i686-posix). scripts/build-windows.sh --arch i686 uses it.
#   cmake -S . -B build/windows-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCORVANE_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(corvane_triple i686-w64-mingw32)

# The posix-threads flavour: its C++ library has std::thread, std::mutex and
# std::this_thread::sleep_for, which the win32 flavour of GCC 12 lacks.
find_program(CMAKE_CXX_COMPILER NAMES ${corvane_triple}-g++-posix ${corvane_triple}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${corvane_triple}-gcc-posix ${corvane_triple}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${corvane_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${corvane_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread linked in: the .exe runs on a Windows machine with
# nothing else installed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
