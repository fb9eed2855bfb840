# Shared part of the mingw-w64 cross toolchains. The including file sets
# TOVEK_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32) and
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# Debian installs the compilers under the triple, with -win32 and -posix
# variants behind the plain name; either serves, as the runtime libraries
# are linked statically.
find_program(CMAKE_C_COMPILER NAMES ${TOVEK_MINGW_TRIPLE}-gcc ${TOVEK_MINGW_TRIPLE}-gcc-win32
  ${TOVEK_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TOVEK_MINGW_TRIPLE}-g++ ${TOVEK_MINGW_TRIPLE}-g++-win32
  ${TOVEK_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TOVEK_MINGW_TRIPLE}-windres)
find_program(CMAKE_DLLTOOL NAMES ${TOVEK_MINGW_TRIPLE}-dlltool)
find_program(CMAKE_OBJDUMP NAMES ${TOVEK_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TOVEK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
