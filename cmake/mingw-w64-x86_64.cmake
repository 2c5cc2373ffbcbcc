# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix thread model: GoogleTest needs
# std::thread and std::mutex). Executables link the compiler's runtime statically, so they need
# no DLL beside them; tests run through Wine.
#
#   cmake -S . -B build-win -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRELVAN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRELVAN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRELVAN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TRELVAN_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TRELVAN_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TRELVAN_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${TRELVAN_MINGW_TRIPLE})
# wxWidgets for the target lives in its own prefix (scripts/build-wx-mingw): its libraries are
# looked up there too.
if(wxWidgets_CONFIG_EXECUTABLE)
  get_filename_component(TRELVAN_WX_PREFIX "${wxWidgets_CONFIG_EXECUTABLE}" DIRECTORY)
  get_filename_component(TRELVAN_WX_PREFIX "${TRELVAN_WX_PREFIX}" DIRECTORY)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TRELVAN_WX_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static also takes winpthread from its archive instead of libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian installs the 64-bit loader outside PATH; the `wine` wrapper finds it as well.
find_program(TRELVAN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TRELVAN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TRELVAN_WINE})
endif()
