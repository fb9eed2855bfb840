# The Windows build (mingw-w64): tovek.dll as the desktop front end loads it,
# the host program tovek.exe, the front-end stand-in that the Windows checks
# run, and the integrator's install layout.
#
# tovek.dll exports one name, ITOVEK, undecorated; on 32-bit x86 the entry is
# stdcall (the callee removes its 8 bytes of arguments). The GCC runtime,
# the C++ library and winpthread are linked in, so the DLL needs nothing
# beside it but the DLLs of every Windows (KERNEL32, msvcrt).

if(NOT MINGW)
  message(FATAL_ERROR "The Windows build of TOVEK is made with mingw-w64 (see cmake/mingw-w64-*.cmake)")
endif()

enable_language(C)

set(TOVEK_DEF_FILE ${CMAKE_SOURCE_DIR}/engine/tovek.def)
set(TOVEK_IS_X86_32 OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TOVEK_IS_X86_32 ON)
endif()

set_target_properties(libtovek PROPERTIES
  PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  LINK_DEPENDS ${TOVEK_DEF_FILE})
target_sources(libtovek PRIVATE ${TOVEK_DEF_FILE})
target_link_options(libtovek PRIVATE -static)
target_link_options(tovek PRIVATE -static)

if(TOVEK_IS_X86_32)
  # The compiler names the stdcall entry ITOVEK@8. The linker matches the
  # module-definition file's ITOVEK to it (stdcall fix-up) and exports it
  # without the suffix (kill-at), as plain ITOVEK only. Its own import
  # library would then offer only the undecorated symbol, which no caller
  # that includes itovek.h refers to, so the import library is made again
  # from the decorated name (ITOVEK@8, imported by the name ITOVEK).
  target_link_options(libtovek PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "dlltool of mingw-w64 not found (set CMAKE_DLLTOOL)")
  endif()
  set(TOVEK_IMPORT_DEF ${CMAKE_BINARY_DIR}/tovek-import.def)
  file(WRITE ${TOVEK_IMPORT_DEF} "LIBRARY tovek.dll\nEXPORTS\n    ITOVEK@8\n")
  add_custom_command(TARGET libtovek POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} --kill-at -d ${TOVEK_IMPORT_DEF} -D tovek.dll -l $<TARGET_LINKER_FILE:libtovek>
    COMMENT "Import library of tovek.dll for stdcall callers"
    VERBATIM)
endif()

# The stand-in for the desktop front end (C): loads tovek.dll by path, finds
# ITOVEK by name and calls it in problem folders.
add_executable(tovek_frontend ${CMAKE_SOURCE_DIR}/tests/windows/frontend.c)
target_include_directories(tovek_frontend PRIVATE ${CMAKE_SOURCE_DIR}/engine)
target_link_options(tovek_frontend PRIVATE -static)
set_target_properties(tovek_frontend PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# What an integrator needs, laid out by cmake --install (or cpack, as a zip).
install(TARGETS libtovek tovek
  RUNTIME DESTINATION bin
  ARCHIVE DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/engine/itovek.h DESTINATION include)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)

if(TOVEK_IS_X86_32)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tovek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
