// Tests that make an exception cross between the host's module and the plug-in's.
//
// A 32-bit Windows build made with MinGW-w64 unwinds with DWARF tables that each module's
// own copy of the runtime registers and searches alone, so an exception thrown in one
// module cannot reach a handler in the other and ends the process. The host throws into the
// plug-in wherever a host call fails; the plug-in's shipped Visual Studio DLLs unwind through
// the system's tables, where it can. Such tests say so there and are skipped.
#pragma once

#include <gtest/gtest.h>

#if defined(_WIN32) && !defined(_WIN64) && defined(__GNUC__)
#define SKIP_WHERE_EXCEPTIONS_STAY_IN_THEIR_MODULE()                                          \
    GTEST_SKIP() << "32-bit MinGW: an exception cannot cross between the host's module and " \
                    "the plug-in's"
#else
#define SKIP_WHERE_EXCEPTIONS_STAY_IN_THEIR_MODULE() static_cast<void>(0)
#endif
