#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property every input must keep. Breaking it aborts, which libFuzzer
// reports as a crash and saves the input that caused it.
#define FUZZ_REQUIRE(property)                                                                                         \
    do {                                                                                                               \
        if (!(property)) {                                                                                             \
            std::fprintf(stderr, "Broken property: %s (%s:%d)\n", #property, __FILE__, __LINE__);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
