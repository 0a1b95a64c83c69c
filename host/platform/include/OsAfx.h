#pragma once
// Stand-in for the class library's object root: CObject with run-time class
// records, and the memory exception. Only what the module's classes use.
//
// A class with a record declares DECLARE_DYNAMIC(Name) in its body and
// IMPLEMENT_DYNAMIC(Name, Base) in one source file; RUNTIME_CLASS(Name) is then
// the address of its record, unique in the process, and IsKindOf walks the chain
// of base records.

class CArchive;
class CDumpContext;

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;

  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  // The slot order matters to the host: GetRuntimeClass, the destructor,
  // Serialize, AssertValid, Dump.
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& archive);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  bool IsKindOf(const CRuntimeClass* cls) const;

  static const CRuntimeClass classCObject;

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define DECLARE_DYNAMIC(name)             \
 public:                                  \
  static const CRuntimeClass class##name; \
  const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(name, base)                                   \
  const CRuntimeClass name::class##name = {#name, RUNTIME_CLASS(base)}; \
  const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }

// The class library's out-of-memory exception, thrown by AfxThrowMemoryException
// and caught by the host around every call into the module.
class CMemoryException {};
[[noreturn]] void AfxThrowMemoryException();
