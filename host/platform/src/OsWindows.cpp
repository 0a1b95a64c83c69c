#include "OsWindows.h"
#include "OsPlatformHost.h"

#include <vector>

namespace {
int gScreenWidth = 1024;
int gScreenHeight = 768;

// A function-local static so that a beep sounded during another library's static
// initialisation still finds the list constructed.
std::vector<unsigned>& Beeps() {
  static std::vector<unsigned> beeps;
  return beeps;
}
}  // namespace

void OsSetScreenSize(int width, int height) {
  gScreenWidth = width;
  gScreenHeight = height;
}

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN: return gScreenWidth;
    case SM_CYSCREEN: return gScreenHeight;
    default: return 0;
  }
}

BOOL MessageBeep(unsigned type) {
  Beeps().push_back(type);
  return 1;
}

const std::vector<unsigned>& OsGetBeeps() { return Beeps(); }

void OsClearBeeps() { Beeps().clear(); }
