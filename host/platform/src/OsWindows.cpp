#include "OsWindows.h"
#include "OsPlatformHost.h"

namespace {
int gScreenWidth = 1024;
int gScreenHeight = 768;
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
