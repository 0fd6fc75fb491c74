# Cross-compiling Velune for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread needs):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The programs link the C and C++ runtimes and winpthread statically, so that they need
# no DLL of the compiler's: only Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# Libraries and headers come from the MinGW-w64 tree alone; the build machine's
# programs (icotool, gzip...) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Programs built for Windows run under Wine where CMake runs them (ctest, add_test with a
# target as its command): see scripts/wine-run.
get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ABSOLUTE)

# The header-only libraries of the build machine (nlohmann/json and CLI11) serve Windows
# as they are, but the rest of /usr/include is Linux's and must stay out of the way:
# VELUNE_HOST_HEADERS is a folder of the build tree with links to just those two.
get_property(velune_in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(NOT velune_in_try_compile)
  set(VELUNE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers CACHE PATH
      "Folder with links to the header-only libraries of the build machine")
  file(MAKE_DIRECTORY ${VELUNE_HOST_HEADERS})
  foreach(library nlohmann CLI)
    if(NOT EXISTS /usr/include/${library})
      message(FATAL_ERROR "/usr/include/${library} is missing: install nlohmann-json3-dev and libcli11-dev")
    endif()
    file(CREATE_LINK /usr/include/${library} ${VELUNE_HOST_HEADERS}/${library} SYMBOLIC)
  endforeach()
endif()
