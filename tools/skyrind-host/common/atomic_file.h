// Writing a file so that a failed run never leaves a half file: the content
// goes to a temporary name in the same folder, which is renamed on success.
#pragma once

#include <functional>
#include <string>

namespace skyhost {

// write(temporaryPath) returns false or throws on failure. Throws InputError
// naming path when writing or renaming fails; the temporary file is removed.
void writeAtomically(const std::string &path,
                     const std::function<bool(const std::string &)> &write);
// The same with the whole content at hand.
void writeAtomically(const std::string &path, const std::string &bytes);

// Throws InputError "PATH: no such folder" when the folder the file would be
// written in does not exist (a bare file name is in the current folder).
void checkFolderExists(const std::string &path);

}  // namespace skyhost
