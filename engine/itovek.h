// The one exported entry of the engine library.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define TOVEK_CALL __stdcall
#if defined(TOVEK_BUILDING_LIBRARY)
#define TOVEK_API __declspec(dllexport)
#else
#define TOVEK_API __declspec(dllimport)
#endif
#else
#define TOVEK_CALL
#define TOVEK_API __attribute__((visibility("default")))
#endif

// Runs one analysis in the process's working folder and returns the run
// status: 0 when the run went through, 1 when it ended early.
extern "C" TOVEK_API int32_t TOVEK_CALL ITOVEK(int32_t, int32_t);
