#pragma once

// The Windows API as the window's files use it: the lean set of headers, and no min and
// max macros to clash with the standard library's.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
