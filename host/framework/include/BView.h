#pragma once
// The host's view of a document, as far as the module's figures look at it: the
// zoom through which image coordinates become view pixels.

#include "BZoom.h"
#include "OsAfx.h"

class BView : public CObject {
  DECLARE_DYNAMIC(BView)

 public:
  BView() = default;

  BZoom& GetZoom() { return fZoom; }
  const BZoom& GetZoom() const { return fZoom; }

 private:
  BZoom fZoom;
};
