#include "module/CSketchDocument.h"

#include <new>

#include "container/TObjectContainer.h"

IMPLEMENT_DYNAMIC(CSketchDocument, BModuleDocument)

CSketchDocument::~CSketchDocument() {
  delete fContainer;
  fContainer = nullptr;
}

int CSketchDocument::InitDocument(BDocument* document) {
  BModuleDocument::InitDocument(document);
  fContainer = new (std::nothrow) TObjectContainer;
  if (fContainer == nullptr) return 0;
  fContainer->IObjectContainer();
  return 1;
}
