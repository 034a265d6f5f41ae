// Does one thing the test build must refuse to let pass: a signed overflow
// (the undefined-behaviour trap) or an index past a vector's end (the
// standard library's checks). It says what it is about to do first, so a
// run that dies before reaching that point cannot pass for a trap.
#include <cstdio>
#include <cstring>
#include <vector>
#include "EndOnCrash.h"

int main(int argc, char** argv) {
    EndOnCrash();
    if (argc != 2)
        return 2;
    std::fputs("probe reached\n", stdout);
    std::fflush(stdout);
    volatile int nLarge = 0x7fffffff;
    int nResult = 0;
    if (std::strcmp(argv[1], "overflow") == 0) {
        nResult = nLarge + argc;
    } else {
        std::vector<int> values(1);
        nResult = values[static_cast<size_t>(argc)];
    }
    std::printf("not trapped %d\n", nResult);
    return 0;
}
