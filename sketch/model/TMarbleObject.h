#pragma once
// The root of everything a container holds, figures and their vertices alike:
// each knows the container it belongs to (not owned), through which it finds
// the view and so the zoom.

#include "OsAfx.h"

class TObjectContainer;

class TMarbleObject : public CObject {
  DECLARE_DYNAMIC(TMarbleObject)

 public:
  virtual void SetContainer(TObjectContainer* container) { fContainer = container; }
  // Classes made of parts override this to hand the container on to them.
  virtual void AttachContainer(TObjectContainer* container) { fContainer = container; }

  TObjectContainer* fContainer = nullptr;
};
