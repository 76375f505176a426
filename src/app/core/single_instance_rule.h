// Whether this copy of the program may run, from what creating the named
// single-instance mutex gave.
#pragma once

enum class InstanceClaim {
    Claimed,         // the mutex is ours: this is the only copy
    AlreadyRunning,  // another copy holds it: say so and leave
    Unguarded,       // no mutex could be made at all: run without the guard
};

// gotHandle: CreateMutexW returned a handle; lastError: GetLastError() right
// after it. A mutex that exists but cannot be opened (another copy runs with
// other rights: access denied) is another copy too: two copies would rewrite
// the same files.
InstanceClaim ClassifyInstanceClaim(bool gotHandle, unsigned long lastError);
