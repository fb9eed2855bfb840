// How the report and the plot data file are opened: as the platform's text
// files. The engine ends every line with '\n'; on Windows the file turns it
// into CR LF, which the line-input routines of front ends there expect, and
// elsewhere it is written as it stands.
#pragma once

#include <ios>

namespace tovek {

#if defined(_WIN32)
inline constexpr std::ios::openmode kTextOutputMode = std::ios::out | std::ios::trunc;
#else
inline constexpr std::ios::openmode kTextOutputMode = std::ios::out | std::ios::trunc | std::ios::binary;
#endif

} // namespace tovek
