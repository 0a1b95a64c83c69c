#pragma once
// The module's part of a host document: the document's figures.

#include "BDocument.h"

class TObjectContainer;

class CSketchDocument : public BModuleDocument {
  DECLARE_DYNAMIC(CSketchDocument)

 public:
  CSketchDocument() = default;
  ~CSketchDocument() override;
  // Creates the container; 0 when it cannot be allocated.
  int InitDocument(BDocument* document) override;

  TObjectContainer* fContainer = nullptr;  // owned
};
