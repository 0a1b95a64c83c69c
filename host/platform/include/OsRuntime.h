#pragma once
// The runtime library's allocation calls as the module makes them, with a switch
// through which tests make allocations fail on purpose.

#include <cstddef>

void* OsMalloc(std::size_t size);
void* OsRealloc(void* block, std::size_t size);
void OsFree(void* block);

// Allocation-failure switch, for tests: after `n` more allocations succeed,
// every following one fails, until the switch is reset with a negative n (the
// default). OsMalloc and OsRealloc consult it; a test binary's nothrow operator
// new may consult it too through OsAllocationShouldFail, which counts one
// allocation per call.
void OsFailAllocationsAfter(int n);
// The same, except that only that one allocation fails: the switch then resets
// itself, as when memory comes back at once.
void OsFailOneAllocationAfter(int n);
bool OsAllocationShouldFail();
// How many allocations have consulted the switch so far, set or not; a test
// counts a run's allocations with it to know which ones it can make fail.
long long OsAllocationsConsulted();
