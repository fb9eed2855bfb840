# Cross build for 64-bit x86 Windows with mingw-w64 (Debian package
# g++-mingw-w64-x86-64):
#   cmake -S . -B build-win64 --toolchain cmake/mingw-w64-x86_64.cmake
set(TOVEK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
