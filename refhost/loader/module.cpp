#include "refhost/loader/module.h"

#include <cstdio>
#include <filesystem>

#include "refhost/loader/shared_library.h"

namespace refhost {
namespace {

// Lists longer than this are taken as missing their zero entry.
constexpr std::size_t kMaxServers = 256;
constexpr std::size_t kMaxTags = 256;

std::string hex(std::uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", value);
  return buf;
}

}  // namespace

Module::Module(const std::string &path) : path_(path) {
  // The loaders search their library paths for a name without a folder, or
  // relative to one: the module is this file, so it goes to them absolute.
  std::error_code ec;
  const std::filesystem::path file(std::u8string(path_.begin(), path_.end()));
  const std::u8string absolute = std::filesystem::absolute(file, ec).u8string();
  std::string why;
  library_ = openSharedLibrary(ec ? path_ : std::string(absolute.begin(), absolute.end()), why);
  if (library_ == nullptr) {
    if (!std::filesystem::exists(file, ec)) fail("no such file (" + why + ")");
    if (std::filesystem::is_directory(file, ec)) fail("is a directory (" + why + ")");
    fail("not a loadable shared library (" + why + ")");
  }

  descriptor_ =
      static_cast<const ModuleDescriptor *>(findSharedLibrarySymbol(library_, "_mod_descrip", why));
  if (descriptor_ == nullptr) fail("no _mod_descrip symbol (" + why + ")");
  if (descriptor_->sync != MODULE_SYNC)
    fail("bad synchronisation word " + hex(descriptor_->sync) + ", expected " + hex(MODULE_SYNC));
  if (descriptor_->sysVersion != MODULE_SYSTEM_VERSION)
    fail("system version " + std::to_string(descriptor_->sysVersion) + ", expected " +
         std::to_string(MODULE_SYSTEM_VERSION));
  if (descriptor_->machine != MODULE_MACHINE)
    fail("machine code " + hex(descriptor_->machine) + ", expected " + hex(MODULE_MACHINE));
  if (descriptor_->servers == nullptr) fail("no server list");

  for (std::size_t i = 0;; ++i) {
    if (i == kMaxServers) fail("server list has no end");
    const ServerRecord &record = descriptor_->servers[i];
    if (record.className == nullptr) break;
    ServerInfo info{
        record.className, record.name ? record.name : "", record.activate, {}, record.tags};
    // As the host reads it: the first tag word 0 ends the list.
    for (std::size_t t = 0; record.tags; ++t) {
      if (t == kMaxTags) fail("tag list of server " + info.name + " has no end");
      if (record.tags[t].tag == 0) break;
      info.tags.push_back({record.tags[t].string ? record.tags[t].string : "", record.tags[t].tag});
    }
    servers_.push_back(std::move(info));
  }

  if (descriptor_->startup) {
    startupValue_ = descriptor_->startup();
    if (startupValue_ == nullptr) fail("start-up failed (returned null)");
  }
}

Module::~Module() {
  if (descriptor_ && descriptor_->shutdown && startupValue_) descriptor_->shutdown(startupValue_);
  close();
}

void Module::close() noexcept {
  if (library_) closeSharedLibrary(library_);
  library_ = nullptr;
  descriptor_ = nullptr;
}

void Module::fail(const std::string &reason) {
  // A constructor that throws runs no destructor: release the library here.
  close();
  throw LoadError(path_ + ": " + reason);
}

const ServerInfo &Module::server(const std::string &className, const std::string &name) const {
  for (const ServerInfo &info : servers_)
    if (info.className == className && (name.empty() || info.name == name)) return info;
  std::string what = "no server of class " + className;
  if (!name.empty()) what += " named " + name;
  throw LoadError(path_ + ": " + what);
}

int Module::activate(const std::string &className, int version, GlobalFunc global, void *local,
                     const std::string &name) const {
  const ServerInfo &info = server(className, name);
  if (info.activate == nullptr)
    throw LoadError(path_ + ": server " + info.name + " of class " + className +
                    " has no activation");
  return info.activate(version, global, local, nullptr);
}

}  // namespace refhost
