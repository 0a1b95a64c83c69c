// Editing events made from bytes, run through the host and the loaded module,
// with the undo, redo and ownership invariants checked after every event.

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "EditRun.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The fuzzer reads the module's coverage counters after every input, so the
  // module must stay mapped however often the host unloads it.
  if (dlopen(SKETCH_MODULE_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) == nullptr) {
    std::fprintf(stderr, "fuzz_edit: cannot load %s: %s\n", SKETCH_MODULE_PATH, dlerror());
    std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const EditRunConfig config = [] {
    EditRunConfig c;
    c.modulePath = SKETCH_MODULE_PATH;
    c.events = 300;
    c.roundTripEvery = 16;
    // One process for every input: forking per input would hide the coverage.
    c.isolate = false;
    return c;
  }();
  const EditRunResult result = RunEditEvents(data, size, config);
  if (result.failure) {
    std::fprintf(stderr, "fuzz_edit: %s at event %zu: %s\nthe script:\n%s", result.failure->kind.c_str(),
                 result.failure->event, result.failure->message.c_str(), ScriptOf(result.events).c_str());
    std::abort();
  }
  return 0;
}
