#include "BDocument.h"

IMPLEMENT_DYNAMIC(BModuleDocument, CObject)
IMPLEMENT_DYNAMIC(BDocument, CObject)

int BModuleDocument::InitDocument(BDocument* document) {
  fDocument = document;
  return 1;
}

BDocument::~BDocument() { DestroyModuleDocuments(); }

BModuleDocument* BDocument::GetModuleDocument(int moduleId) const {
  auto it = fModuleDocuments.find(moduleId);
  return it != fModuleDocuments.end() ? it->second.get() : nullptr;
}

void BDocument::SetModuleDocument(int moduleId, BModuleDocument* document) {
  fModuleDocuments[moduleId].reset(document);
}

void BDocument::DestroyModuleDocuments() {
  while (!fModuleDocuments.empty()) fModuleDocuments.erase(std::prev(fModuleDocuments.end()));
}
