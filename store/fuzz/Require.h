#pragma once

#include <cstdio>
#include <cstdlib>

// A fuzz target's assertion: report the failed condition and abort, which
// libFuzzer takes as a crash and saves the input for.
#define REQUIRE(condition)                                                          \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "%s:%d: REQUIRE(%s) failed\n", __FILE__, __LINE__, \
                         #condition);                                               \
            std::abort();                                                           \
        }                                                                           \
    } while (0)
