# Cross build for 32-bit x86 Windows with mingw-w64 (Debian package
# g++-mingw-w64-i686):
#   cmake -S . -B build-win32 --toolchain cmake/mingw-w64-i686.cmake
set(TOVEK_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
