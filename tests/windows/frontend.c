/* A stand-in for the desktop front end: loads tovek.dll as the front end
   does and runs the engine in problem folders, one after the other, in one
   process.

   Usage: tovek_frontend DLL FOLDER...

   DLL is loaded once with LoadLibrary; the entry is looked up with
   GetProcAddress under the exact name "ITOVEK" and called through a stdcall
   function pointer with each FOLDER in turn made the working folder
   (SetCurrentDirectory). Each call must leave the stack pointer where it was
   before the call: on 32-bit x86 the entry has to remove its two arguments
   itself.

   For every run one line goes to the standard error:
     tovek_frontend: run K in FOLDER: status S
   Exit status: with one folder its run status; with more, 0 when every run
   returned 0 and 1 otherwise. When the stand-in itself cannot go on:
     2 wrong usage, 3 the DLL cannot be loaded, 4 it has no export named
     ITOVEK, 5 a folder cannot be made the working folder, 6 a call moved the
     stack pointer, 7 the stack check itself failed (it is tried on a cdecl
     and a stdcall function first). */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "itovek.h"

/* Calls the entry with two zero arguments. *moved receives how far the
   stack pointer moved over the call, in bytes: 0 when the callee kept the
   convention. */
static int32_t call_entry(ITOVEK_ENTRY entry, long *moved)
{
#if defined(__i386__)
    /* The stdcall call sequence, written out so that nothing between the
       two readings of the stack pointer but the callee can move it: push
       the two arguments, call, and compare with the stack pointer before
       the pushes. */
    int32_t status;
    long saved;
    long difference;
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "andl $-16, %%esp\n\t"
        "subl $8, %%esp\n\t"
        "movl %%esp, %%edi\n\t"
        "pushl $0\n\t"
        "pushl $0\n\t"
        "call *%%ebx\n\t"
        "subl %%esp, %%edi\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(status), "=&S"(saved), "=&D"(difference)
        : "b"(entry)
        : "ecx", "edx", "memory", "cc");
    (void)saved;
    *moved = difference;
    return status;
#elif defined(__x86_64__)
    /* One calling convention: the caller owns the stack; the callee must
       return with it as it found it. */
    char *before;
    char *after;
    int32_t status;
    __asm__ volatile("movq %%rsp, %0" : "=r"(before) : : "memory");
    status = entry(0, 0);
    __asm__ volatile("movq %%rsp, %0" : "=r"(after) : : "memory");
    *moved = (long)(before - after);
    return status;
#else
#error "the stand-in checks the stack pointer on x86 and x86-64 only"
#endif
}

#if defined(__i386__)
/* Two entries of the entry's shape, one for each convention: the stand-in
   first makes sure that its stack check tells them apart. */
static int32_t __cdecl leaves_its_arguments(int32_t a, int32_t b)
{
    return a + b;
}

static int32_t __stdcall removes_its_arguments(int32_t a, int32_t b)
{
    return a + b;
}

static int stack_check_works(void)
{
    long cdecl_moved = 0;
    long stdcall_moved = 0;
    call_entry((ITOVEK_ENTRY)(void (*)(void))leaves_its_arguments, &cdecl_moved);
    call_entry(removes_its_arguments, &stdcall_moved);
    return cdecl_moved == 8 && stdcall_moved == 0;
}
#else
static int stack_check_works(void)
{
    return 1;
}
#endif

static int full_path(const char *name, char *out, DWORD size)
{
    const DWORD length = GetFullPathNameA(name, size, out, NULL);
    return length > 0 && length < size;
}

int main(int argc, char **argv)
{
    char dll_path[MAX_PATH];
    char start[MAX_PATH];
    DWORD start_length;
    HMODULE library;
    ITOVEK_ENTRY entry;
    int any_failed = 0;
    int32_t last_status = 0;
    int k;

    if (argc < 3) {
        fprintf(stderr, "Usage: tovek_frontend DLL FOLDER...\n");
        return 2;
    }
    if (!stack_check_works()) {
        fprintf(stderr, "tovek_frontend: the stack check does not tell a cdecl callee from a stdcall one\n");
        return 7;
    }
    if (!full_path(argv[1], dll_path, sizeof dll_path)) {
        fprintf(stderr, "tovek_frontend: cannot make a full path of %s\n", argv[1]);
        return 3;
    }
    library = LoadLibraryA(dll_path);
    if (library == NULL) {
        fprintf(stderr, "tovek_frontend: LoadLibrary(%s) failed, error %lu\n", dll_path,
                (unsigned long)GetLastError());
        return 3;
    }
    /* FARPROC goes through the generic function pointer type to the
       entry's own type. */
    entry = (ITOVEK_ENTRY)(void (*)(void))GetProcAddress(library, "ITOVEK");
    if (entry == NULL) {
        fprintf(stderr, "tovek_frontend: %s has no export named ITOVEK\n", dll_path);
        FreeLibrary(library);
        return 4;
    }

    /* Relative folder names are taken from the folder the stand-in started
       in, whichever folder the run before made the working folder. */
    start_length = GetCurrentDirectoryA(sizeof start, start);
    if (start_length == 0 || start_length >= sizeof start) {
        fprintf(stderr, "tovek_frontend: cannot read the working folder\n");
        FreeLibrary(library);
        return 5;
    }
    for (k = 2; k < argc; ++k) {
        char folder[MAX_PATH];
        long moved = 0;
        if (!SetCurrentDirectoryA(start) || !full_path(argv[k], folder, sizeof folder) ||
            !SetCurrentDirectoryA(folder)) {
            fprintf(stderr, "tovek_frontend: cannot make %s the working folder\n", argv[k]);
            FreeLibrary(library);
            return 5;
        }
        last_status = call_entry(entry, &moved);
        fflush(stdout);
        if (moved != 0) {
            fprintf(stderr, "tovek_frontend: run %d in %s: the stack pointer moved by %ld bytes over the call\n",
                    k - 1, argv[k], moved);
            FreeLibrary(library);
            return 6;
        }
        fprintf(stderr, "tovek_frontend: run %d in %s: status %ld\n", k - 1, argv[k], (long)last_status);
        if (last_status != 0) any_failed = 1;
    }
    FreeLibrary(library);
    if (argc == 3) return (int)last_status;
    return any_failed;
}
