// The stand-in's two switches for finding and proving races, read once per
// program from its environment:
//  - MOBILESHELL_TRACE names a file: every program that uses the stand-in
//    appends one line per decision, stamped with the tick count, its process
//    and its thread;
//  - MOBILESHELL_WITHOUT lists numbers of window_order_differences.h (for
//    instance "3,5"): those work-arounds are switched off, so a test can be
//    seen to fail without the one it guards (tools/guard-check).
// Unset (the default), each call costs one test of a cached word.
#include "shell_internal.h"

#include <stdarg.h>

namespace mobileshell {
namespace {

constexpr wchar_t kTraceVariable[] = L"MOBILESHELL_TRACE";
constexpr wchar_t kWithoutVariable[] = L"MOBILESHELL_WITHOUT";

// Written once, by whichever thread reads the environment first, before
// g_read is set; read by every thread after it (the interlocked exchanges
// order the two).
HANDLE g_traceFile = nullptr;
LONG g_switchedOff = 0;  // bit n: difference n is not evened out
LONG g_read = 0;         // 2 once read
SRWLOCK g_readLock = SRWLOCK_INIT;

LONG ParseNumbers(const wchar_t *text) {
    LONG bits = 0;
    int number = 0;
    for (const wchar_t *c = text;; ++c) {
        if (*c >= L'0' && *c <= L'9') {
            number = number * 10 + (*c - L'0');
            if (number > 30) number = 31;
            continue;
        }
        if (number > 0 && number < 31) bits |= 1L << number;
        number = 0;
        if (!*c) return bits;
    }
}

void ReadSwitches() {
    if (InterlockedCompareExchange(&g_read, 0, 0) == 2) return;
    AcquireSRWLockExclusive(&g_readLock);
    if (g_read != 2) {
        wchar_t value[MAX_PATH];
        DWORD n = GetEnvironmentVariableW(kTraceVariable, value, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            HANDLE file = CreateFileW(value, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) g_traceFile = file;
        }
        n = GetEnvironmentVariableW(kWithoutVariable, value, MAX_PATH);
        if (n > 0 && n < MAX_PATH) g_switchedOff = ParseNumbers(value);
        InterlockedExchange(&g_read, 2);
    }
    ReleaseSRWLockExclusive(&g_readLock);
}

}  // namespace

bool Tracing() {
    ReadSwitches();
    return g_traceFile != nullptr;
}

bool Evens(Difference difference) {
    ReadSwitches();
    return !(g_switchedOff & (1L << difference));
}

void Trace(const char *format, ...) {
    ReadSwitches();
    if (!g_traceFile) return;
    // wsprintf writes at most 1024 characters: the stamp and the text fit.
    char line[1100];
    int n = wsprintfA(line, "%lu %lu/%lu ", GetTickCount(), GetCurrentProcessId(),
                      GetCurrentThreadId());
    va_list args;
    va_start(args, format);
    n += wvsprintfA(line + n, format, args);
    va_end(args);
    line[n++] = '\n';
    DWORD written;
    WriteFile(g_traceFile, line, static_cast<DWORD>(n), &written, nullptr);
}

}  // namespace mobileshell
