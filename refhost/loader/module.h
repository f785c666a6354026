// A plug-in module loaded as the host loads it: the platform's loader (dlopen,
// or LoadLibraryW on Windows), _mod_descrip, its servers, start-up before use
// and shut-down before closing.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host_abi.h"

namespace refhost {

// A module that cannot be loaded or used; what() names the file and why,
// e.g. "skyrind.p: no _mod_descrip symbol (undefined symbol: _mod_descrip)".
class LoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ServerTag {
  std::string text;
  std::uint32_t tag = 0;
};

struct ServerInfo {
  std::string className;
  std::string name;
  ActivateFunc activate = nullptr;
  std::vector<ServerTag> tags;
  const ServerTagInfo *rawTags = nullptr;  // the module's own list
};

class Module {
 public:
  // Opens the file (a UTF-8 path), checks the descriptor and calls start-up.
  // Throws LoadError.
  explicit Module(const std::string &path);
  ~Module();  // shut-down, then the library is closed
  Module(const Module &) = delete;
  Module &operator=(const Module &) = delete;

  const std::string &path() const { return path_; }
  const ModuleDescriptor &descriptor() const { return *descriptor_; }
  void *startupValue() const { return startupValue_; }
  const std::vector<ServerInfo> &servers() const { return servers_; }
  // The first server of the class (and name, when given). Throws LoadError.
  const ServerInfo &server(const std::string &className, const std::string &name = "") const;

  // Calls the server's activation with (version, global, local, null) and
  // returns its status. Throws LoadError when there is no such server.
  int activate(const std::string &className, int version, GlobalFunc global, void *local,
               const std::string &name = "") const;

 private:
  // Constructor only: releases the library and throws LoadError.
  [[noreturn]] void fail(const std::string &reason);
  void close() noexcept;

  std::string path_;
  void *library_ = nullptr;
  const ModuleDescriptor *descriptor_ = nullptr;
  void *startupValue_ = nullptr;
  std::vector<ServerInfo> servers_;
};

}  // namespace refhost
