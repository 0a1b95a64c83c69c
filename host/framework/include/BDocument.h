#pragma once
// A host document and the per-module objects it keeps: each loaded module may
// attach one module document under its identifier. The document owns them.

#include <map>
#include <memory>
#include <string>

#include "OsAfx.h"

class BDocument;

class BModuleDocument : public CObject {
  DECLARE_DYNAMIC(BModuleDocument)

 public:
  BModuleDocument() = default;
  ~BModuleDocument() override = default;
  virtual int InitDocument(BDocument* document);

  BDocument* fDocument = nullptr;
};

class BDocument : public CObject {
  DECLARE_DYNAMIC(BDocument)

 public:
  explicit BDocument(std::string name = {}) : fName(std::move(name)) {}
  ~BDocument() override;

  BModuleDocument* GetModuleDocument(int moduleId) const;
  // Takes ownership; a previous module document under the id is destroyed.
  void SetModuleDocument(int moduleId, BModuleDocument* document);
  // Destroys every module document, newest identifier first.
  void DestroyModuleDocuments();

  std::string fName;

 private:
  std::map<int, std::unique_ptr<BModuleDocument>> fModuleDocuments;
};
