// rand_s is declared only with this macro, before the first C library header.
#define _CRT_RAND_S
#include "win/random_number.h"

#include <stdlib.h>

#include <windows.h>

std::uint32_t RandomNumber() {
    unsigned int value = 0;
    if (rand_s(&value) == 0) return value;
    // Never seen to fail; the clock still tells two machines apart.
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<std::uint32_t>(now.QuadPart ^ (now.QuadPart >> 32) ^ GetCurrentProcessId());
}
