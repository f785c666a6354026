#include <windows.h>

#include <cstdint>
#include <fstream>
#include <optional>

#include "refhost/loader/shared_library.h"

namespace refhost {
namespace {

std::wstring toUtf16(const std::string &utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int count =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (count <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), count);
  return wide;
}

std::string toUtf8(const wchar_t *wide, int length) {
  const int count = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string utf8(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), count, nullptr, nullptr);
  return utf8;
}

// The system's text for an error code, without its closing line break.
std::string systemMessage(DWORD code) {
  wchar_t *text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  std::string message = length ? toUtf8(text, static_cast<int>(length)) : std::string();
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  if (message.empty()) message = "system error";
  // Messages about a file say %1 where the file's name would go.
  for (std::size_t at; (at = message.find("%1")) != std::string::npos;)
    message.replace(at, 2, "the file");
  return message + " (error " + std::to_string(code) + ")";
}

// The machine field of a PE image's file header, or nothing when the file
// is not a PE image at all.
std::optional<unsigned> peMachine(const std::wstring &path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  unsigned char dos[64] = {};
  if (!in.read(reinterpret_cast<char *>(dos), sizeof dos) || dos[0] != 'M' || dos[1] != 'Z')
    return std::nullopt;
  const std::uint32_t peOffset =
      dos[60] | dos[61] << 8 | dos[62] << 16 | std::uint32_t{dos[63]} << 24;
  unsigned char pe[6] = {};
  if (!in.seekg(peOffset) || !in.read(reinterpret_cast<char *>(pe), sizeof pe) || pe[0] != 'P' ||
      pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
    return std::nullopt;
  return pe[4] | pe[5] << 8;
}

}  // namespace

void *openSharedLibrary(const std::string &utf8Path, std::string &reason) {
  const std::wstring path = toUtf16(utf8Path);
  if (path.empty()) {
    reason = "the path is not valid UTF-8";
    return nullptr;
  }
  // A DLL for another machine is refused before the loader maps it (Wine
  // would map a 32-bit one into this 64-bit process), with the words Windows
  // gives for it.
  const std::optional<unsigned> machine = peMachine(path);
  if (machine && *machine != IMAGE_FILE_MACHINE_AMD64) {
    reason =
        (*machine == IMAGE_FILE_MACHINE_I386 ? "a 32-bit (x86) DLL; the host needs a 64-bit one"
                                             : "a DLL for another machine than x64") +
        std::string(": ") + systemMessage(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  // A module that fails to load must not open a system dialog box.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  HMODULE library = LoadLibraryW(path.c_str());
  const DWORD error = library ? 0 : GetLastError();
  SetThreadErrorMode(previousMode, nullptr);
  if (library == nullptr) {
    reason = systemMessage(error);
    if (error == ERROR_BAD_EXE_FORMAT && !machine) reason = "not a Windows DLL: " + reason;
  }
  return reinterpret_cast<void *>(library);
}

void *findSharedLibrarySymbol(void *library, const char *name, std::string &reason) {
  void *symbol = reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
  if (symbol == nullptr) reason = systemMessage(GetLastError());
  return symbol;
}

void closeSharedLibrary(void *library) {
  FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace refhost
