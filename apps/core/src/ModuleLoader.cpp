#include "ModuleLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "OsWindows.h"

namespace {
using EntryPoint = BOOL (*)(OsModuleInstance*, DWORD, void*);
}

namespace {

// Opens the library and checks that it has a module's entry point and exports;
// on failure the library is closed again and the reason returned.
std::string OpenModuleLibrary(const std::string& path, void*& handle) {
  handle = nullptr;
  // The loader would wait on a FIFO for a writer. A bare name is looked up
  // along the library path, which only the loader knows.
  struct stat st {};
  if (path.find('/') != std::string::npos && stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    return path + ": cannot load the module (not a regular file)";
  }
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    return path + ": cannot load the module (" + (why != nullptr ? why : "unknown error") + ")";
  }
  for (const char* name : {"DllMain", "IdentifyModuleInterface", "gModuleInterface"}) {
    if (dlsym(handle, name) == nullptr) {
      dlclose(handle);
      handle = nullptr;
      return path + ": not a module (its entry point or exports are missing)";
    }
  }
  return {};
}

}  // namespace

std::string ModuleLoader::Probe(const std::string& path) {
  void* handle = nullptr;
  std::string error = OpenModuleLibrary(path, handle);
  if (handle != nullptr) dlclose(handle);
  return error;
}

std::string ModuleLoader::Load(const std::string& path) {
  if (fHandle != nullptr) return "a module is already loaded";
  void* handle = nullptr;
  if (std::string error = OpenModuleLibrary(path, handle); !error.empty()) return error;
  auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "DllMain"));
  auto identify = reinterpret_cast<char* (*)()>(dlsym(handle, "IdentifyModuleInterface"));
  auto* module = static_cast<BModuleInterface*>(dlsym(handle, "gModuleInterface"));
  auto* instance = static_cast<OsModuleInstance*>(handle);
  if (!entry(instance, DLL_PROCESS_ATTACH, nullptr)) {
    dlclose(handle);
    return path + ": the module refused to load";
  }
  fHandle = handle;
  fIdentify = identify;
  fInterface = module;
  return {};
}

void ModuleLoader::Unload() {
  if (fHandle == nullptr) return;
  if (auto entry = reinterpret_cast<EntryPoint>(dlsym(fHandle, "DllMain"))) {
    entry(static_cast<OsModuleInstance*>(fHandle), DLL_PROCESS_DETACH, nullptr);
  }
  dlclose(fHandle);
  fHandle = nullptr;
  fInterface = nullptr;
  fIdentify = nullptr;
}

std::string ModuleLoader::Identify() const {
  const char* text = fIdentify != nullptr ? fIdentify() : nullptr;
  return text != nullptr ? text : "";
}

void* ModuleLoader::Symbol(const char* name) const { return fHandle != nullptr ? dlsym(fHandle, name) : nullptr; }

std::string ModuleLoader::DefaultPath() {
  if (const char* path = std::getenv("SKETCH_MODULE"); path != nullptr && *path != '\0') return path;
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "Sketch.MOD";
  std::string dir(self, static_cast<std::size_t>(n));
  dir.resize(dir.rfind('/'));
  // Installed, the module is in the programs' private library folder; in the
  // build tree, in lib/ beside bin/.
  const std::string installed = dir + "/" SKETCH_BIN_TO_MODULEDIR "/Sketch.MOD";
  if (access(installed.c_str(), F_OK) == 0) return installed;
  return dir + "/../lib/Sketch.MOD";
}
