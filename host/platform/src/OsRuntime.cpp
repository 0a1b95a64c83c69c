#include "OsRuntime.h"

#include <cstdlib>

namespace {
// Allocations still allowed before the switch trips; negative: never trips.
int gAllocationsLeft = -1;
bool gFailOnlyOne = false;
long long gConsulted = 0;
}  // namespace

void OsFailAllocationsAfter(int n) {
  gAllocationsLeft = n < 0 ? -1 : n;
  gFailOnlyOne = false;
}

void OsFailOneAllocationAfter(int n) {
  OsFailAllocationsAfter(n);
  gFailOnlyOne = gAllocationsLeft >= 0;
}

long long OsAllocationsConsulted() { return gConsulted; }

bool OsAllocationShouldFail() {
  ++gConsulted;
  if (gAllocationsLeft < 0) return false;
  if (gAllocationsLeft == 0) {
    if (gFailOnlyOne) OsFailAllocationsAfter(-1);
    return true;
  }
  --gAllocationsLeft;
  return false;
}

void* OsMalloc(std::size_t size) {
  if (OsAllocationShouldFail()) return nullptr;
  return std::malloc(size);
}

void* OsRealloc(void* block, std::size_t size) {
  // Failing here before realloc leaves the block where and as it was, which is
  // what a real realloc failure does too.
  if (OsAllocationShouldFail()) return nullptr;
  return std::realloc(block, size);
}

void OsFree(void* block) { std::free(block); }
