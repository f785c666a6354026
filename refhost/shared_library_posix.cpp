#include <dlfcn.h>

#include "refhost/shared_library.h"

namespace refhost {

void *openSharedLibrary(const std::string &utf8Path, std::string &reason) {
  dlerror();
  void *library = dlopen(utf8Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char *why = dlerror();
    reason = why ? why : "unknown reason";
  }
  return library;
}

void *findSharedLibrarySymbol(void *library, const char *name) {
  return dlsym(library, name);
}

void closeSharedLibrary(void *library) {
  dlclose(library);
}

}  // namespace refhost
