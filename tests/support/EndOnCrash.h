// A test process that dies of an unhandled exception (a trapped undefined
// behaviour, say) ends at once with the exception's code: without this,
// wine starts its automatic debugger, which waits for nobody and holds the
// test until its time-out.
#pragma once

#include <windows.h>

inline LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

inline void EndOnCrash() {
    SetUnhandledExceptionFilter(EndWithExceptionCode);
}
