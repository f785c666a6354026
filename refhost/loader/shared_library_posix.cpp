#include <dlfcn.h>

#include "refhost/loader/shared_library.h"

namespace refhost {

void *openSharedLibrary(const std::string &utf8Path, std::string &reason) {
  dlerror();
  void *library = dlopen(utf8Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char *why = dlerror();
    reason = why ? why : "unknown reason";
    // dlerror starts with the path, which the caller names already.
    if (reason.rfind(utf8Path + ": ", 0) == 0) reason.erase(0, utf8Path.size() + 2);
  }
  return library;
}

void *findSharedLibrarySymbol(void *library, const char *name, std::string &reason) {
  dlerror();
  void *symbol = dlsym(library, name);
  if (symbol == nullptr) {
    const char *why = dlerror();
    reason = why ? why : "the symbol's value is null";
    // dlerror names the library's path first, which the caller names already.
    if (const std::size_t colon = reason.find(": "); why && colon != std::string::npos)
      reason.erase(0, colon + 2);
  }
  return symbol;
}

void closeSharedLibrary(void *library) {
  dlclose(library);
}

}  // namespace refhost
