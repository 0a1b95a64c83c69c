// Lets a test make nothrow allocations fail on purpose, through the platform's
// allocation-failure switch, so that the code paths which check `new
// (std::nothrow)` for null can be exercised. Plain new is left alone: code that
// expects it to throw never sees a failure it did not ask for.
//
// Every non-aligned form of new and delete is replaced, all over malloc and
// free, so that whichever pair meets on a block (here, in the shared libraries
// or in the standard library) allocates and frees through the same allocator;
// the sanitizer's allocation/deallocation pairing check then stays quiet. No
// test installs a new-handler, so running out throws at once.

#include <cstdlib>
#include <new>

#include "OsRuntime.h"

namespace {

void* AllocateOrThrow(std::size_t size) {
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept {
  return OsAllocationShouldFail() ? nullptr : std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
