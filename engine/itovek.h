/* The one exported entry of the engine library, for C and C++ callers. */
#ifndef TOVEK_ITOVEK_H
#define TOVEK_ITOVEK_H

#include <stdint.h>

#if defined(_WIN32)
/* The standard convention of Windows exports: on 32-bit x86 the callee
   removes the two arguments (stdcall); 64-bit Windows has one convention. */
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

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one analysis in the process's working folder: reads "names.dat" and
   the problem files it names, writes the report and the plot data file, and
   returns the run status: 0 when the run went through, 1 when it ended
   early. The two arguments carry no problem data. Calls must not overlap. */
TOVEK_API int32_t TOVEK_CALL ITOVEK(int32_t, int32_t);

/* The entry's type, for a caller that finds it by name at run time
   (GetProcAddress(library, "ITOVEK"), dlsym). */
typedef int32_t (TOVEK_CALL *ITOVEK_ENTRY)(int32_t, int32_t);

#ifdef __cplusplus
}
#endif

#endif
