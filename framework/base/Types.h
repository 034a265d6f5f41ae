// Basic types and the handful of framework-wide definitions every part uses.
#pragma once

#include <windows.h>

// Leftovers of 16-bit Windows that would shadow CTime::GetCurrentTime and
// the program's own GetFreeSpace.
#undef GetCurrentTime
#undef GetFreeSpace

// A position in one of the framework's lists; null past the end.
struct __POSITION {};
typedef __POSITION* POSITION;
