// Numbers no other machine or process can guess in advance.
#pragma once

#include <cstdint>

// A random 32-bit number from the system's generator (never the same
// sequence twice, whatever the clock).
std::uint32_t RandomNumber();
