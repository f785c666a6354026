// The platform's loader for a module file: dlopen on Linux and macOS,
// LoadLibraryW on Windows. Paths are UTF-8 on every platform.
#pragma once

#include <string>

namespace refhost {

// An open library handle, or null with reason set to the system's own words
// (dlerror's without the path, or FormatMessage's text for GetLastError).
void *openSharedLibrary(const std::string &utf8Path, std::string &reason);
// The symbol's address, or null with reason set as above.
void *findSharedLibrarySymbol(void *library, const char *name, std::string &reason);
void closeSharedLibrary(void *library);

}  // namespace refhost
