#pragma once
// Loads a module library the way the editor always has: open it, run its entry
// point with attach, and look up its two exports by their plain names. Unloading
// runs the entry point with detach, then closes the library.

#include <string>

class BModuleInterface;

class ModuleLoader {
 public:
  ModuleLoader() = default;
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;
  ~ModuleLoader() { Unload(); }

  // Empty on success, otherwise what went wrong.
  std::string Load(const std::string& path);
  // Whether Load would find a module there, without attaching it.
  static std::string Probe(const std::string& path);
  void Unload();
  bool IsLoaded() const { return fHandle != nullptr; }

  // The identification text, fetched afresh.
  std::string Identify() const;
  BModuleInterface* Interface() const { return fInterface; }
  // Another exported symbol of the module (classes' static members, module-wide
  // values), or null.
  void* Symbol(const char* name) const;

  // Where the module is expected beside the running program: ../lib/Sketch.MOD,
  // unless SKETCH_MODULE names another file.
  static std::string DefaultPath();

 private:
  void* fHandle = nullptr;
  BModuleInterface* fInterface = nullptr;
  char* (*fIdentify)() = nullptr;
};
