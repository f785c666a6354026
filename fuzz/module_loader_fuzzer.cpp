// The reference host's module loader on hostile modules: files that are not
// shared libraries, a valid module with its ELF identification damaged, and
// a loadable module declaring an arbitrary descriptor, server list and tag
// lists.
//
// Only files that dlopen either rejects before mapping or maps exactly as the
// intact module are handed to it, so no foreign code runs. (The damaged
// module is a plain one: libFuzzer cannot unload coverage-instrumented code.)
//
// Holds for every input: the loader throws LoadError or loads; it loads the
// intact module; a descriptor with a wrong word, no server list, a list
// without its end or a failed start-up is refused; an accepted one lists
// exactly the declared servers and tags, and shut-down runs once on close
// with the start-up value.
#include <dlfcn.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_check.h"
#include "refhost/loader/module.h"

namespace {

constexpr std::size_t kStorage = 65536;
constexpr std::size_t kServerArea = 1024;  // descriptor, then server records
constexpr std::size_t kMaxListed = 300;    // past the loader's own limit of 256
constexpr std::size_t kStringArea = 40000;

std::string tempPath() {
  return "/tmp/skyrind-module-fuzz-" + std::to_string(getpid()) + ".p";
}

// Writes a fresh file (new inode) so a library still mapped is never changed.
void writeModule(const std::string &path, const std::vector<std::uint8_t> &bytes) {
  const std::string partial = path + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  FUZZ_CHECK(std::rename(partial.c_str(), path.c_str()) == 0);
}

bool loads(const std::string &path) {
  try {
    refhost::Module module(path);
    return true;
  } catch (const refhost::LoadError &) {
    return false;
  }
}

const std::vector<std::uint8_t> &plainModuleBytes() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::ifstream in(SKYRIND_PLAIN_FIXTURE, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

void garbageFile(FuzzedDataProvider &in) {
  std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();
  if (bytes.size() >= 4 && std::memcmp(bytes.data(),
                                       "\x7f"
                                       "ELF",
                                       4) == 0)
    bytes[0] ^= 1;
  writeModule(tempPath(), bytes);
  FUZZ_CHECK(!loads(tempPath()));
}

// Identification, type, machine, version and header-entry size: fields the
// dynamic loader checks before mapping anything.
void damagedModule(FuzzedDataProvider &in) {
  static constexpr std::size_t kChecked[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                             12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 54, 55};
  std::vector<std::uint8_t> bytes = plainModuleBytes();
  const int edits = in.ConsumeIntegralInRange<int>(0, 4);
  for (int e = 0; e < edits; ++e)
    bytes[kChecked[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kChecked) - 1)]] =
        in.ConsumeIntegral<std::uint8_t>();
  writeModule(tempPath(), bytes);
  const bool loaded = loads(tempPath());
  if (bytes == plainModuleBytes()) FUZZ_CHECK(loaded);
}

int shutdowns = 0;
void *lastShutdownValue = nullptr;
void *startFour() {
  return reinterpret_cast<void *>(4);
}
void *startNull() {
  return nullptr;
}
void shutDown(void *value) {
  ++shutdowns;
  lastShutdownValue = value;
}
int activate(int, GlobalFunc, void *, void *) {
  return AFUNC_OK;
}

// A C string as the module holds it: up to its first zero byte.
std::string cString(FuzzedDataProvider &in, std::size_t longest) {
  return in.ConsumeRandomLengthString(longest).c_str();
}

struct Declared {
  std::string className, name;
  std::vector<std::pair<std::string, std::uint32_t>> tags;
};

// A bump allocator over the fixture's storage.
class Storage {
 public:
  explicit Storage(unsigned char *base) : base_(base) { std::memset(base, 0, kStorage); }
  unsigned char *at(std::size_t offset) { return base_ + offset; }
  const char *string(const std::string &text) {
    FUZZ_CHECK(strings_ + text.size() + 1 <= kStorage);
    char *place = reinterpret_cast<char *>(base_ + strings_);
    std::memcpy(place, text.c_str(), text.size() + 1);
    strings_ += text.size() + 1;
    return place;
  }
  ServerTagInfo *tags(std::size_t count) {
    FUZZ_CHECK(tags_ + (count + 1) * sizeof(ServerTagInfo) <= kStringArea);
    auto *place = reinterpret_cast<ServerTagInfo *>(base_ + tags_);
    tags_ += (count + 1) * sizeof(ServerTagInfo);
    return place;
  }

 private:
  unsigned char *base_;
  std::size_t tags_ = kServerArea + kMaxListed * sizeof(ServerRecord);
  std::size_t strings_ = kStringArea;
};

void declaredDescriptor(FuzzedDataProvider &in) {
  static void *fixture = dlopen(SKYRIND_DESCRIPTOR_FIXTURE, RTLD_NOW | RTLD_LOCAL);
  FUZZ_CHECK(fixture != nullptr);
  Storage storage(static_cast<unsigned char *>(dlsym(fixture, "_mod_descrip")));
  auto *descriptor = reinterpret_cast<ModuleDescriptor *>(storage.at(0));

  const bool declaredRight = in.ConsumeIntegralInRange<int>(0, 7) != 0;
  descriptor->sync = declaredRight ? MODULE_SYNC : in.ConsumeIntegral<std::uint32_t>();
  descriptor->sysVersion =
      declaredRight ? MODULE_SYSTEM_VERSION : in.ConsumeIntegral<std::uint32_t>();
  descriptor->machine = declaredRight ? MODULE_MACHINE : in.ConsumeIntegral<std::uint32_t>();
  const int start = in.ConsumeIntegralInRange<int>(0, 5);
  descriptor->startup = start == 0 ? nullptr : start == 1 ? startNull : startFour;
  descriptor->shutdown = in.ConsumeIntegralInRange<int>(0, 5) == 0 ? nullptr : shutDown;
  const bool hasList = in.ConsumeIntegralInRange<int>(0, 15) != 0;
  auto *servers = reinterpret_cast<ServerRecord *>(storage.at(kServerArea));
  descriptor->servers = hasList ? servers : nullptr;

  // Servers, then the zero record ending the list; a list of kMaxListed has
  // no end within the loader's limit.
  std::vector<Declared> declared;
  const std::size_t records = in.ConsumeBool()
                                  ? in.ConsumeIntegralInRange<std::size_t>(0, 4)
                                  : in.ConsumeIntegralInRange<std::size_t>(0, kMaxListed);
  for (std::size_t i = 0; i < records; ++i) {
    ServerRecord &record = servers[i];
    Declared d;
    d.className = cString(in, 12);
    record.className = storage.string(d.className);
    if (in.ConsumeIntegralInRange<int>(0, 7) != 0) {
      d.name = cString(in, 12);
      record.name = storage.string(d.name);
    }
    record.activate = in.ConsumeBool() ? activate : nullptr;
    if (in.ConsumeBool()) {
      const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 3);
      ServerTagInfo *tags = storage.tags(count);
      for (std::size_t t = 0; t < count; ++t) {
        const std::string text = cString(in, 8);
        tags[t].string = in.ConsumeBool() ? storage.string(text) : nullptr;
        tags[t].tag = in.ConsumeIntegral<std::uint32_t>();
        // The host ends a tag list at its first tag word 0, whatever its text.
        if (tags[t].tag == 0) break;
        d.tags.emplace_back(tags[t].string ? text : "", tags[t].tag);
      }
      record.tags = tags;
    }
    declared.push_back(std::move(d));
  }

  const bool rightWords = descriptor->sync == MODULE_SYNC &&
                          descriptor->sysVersion == MODULE_SYSTEM_VERSION &&
                          descriptor->machine == MODULE_MACHINE;
  const bool acceptable = rightWords && hasList && start != 1 && declared.size() < 256;
  shutdowns = 0;
  try {
    refhost::Module module(SKYRIND_DESCRIPTOR_FIXTURE);
    FUZZ_CHECK(acceptable);
    FUZZ_CHECK(module.servers().size() == declared.size());
    for (std::size_t i = 0; i < declared.size(); ++i) {
      const refhost::ServerInfo &server = module.servers()[i];
      FUZZ_CHECK(server.className == declared[i].className && server.name == declared[i].name);
      FUZZ_CHECK(server.tags.size() == declared[i].tags.size());
      for (std::size_t t = 0; t < server.tags.size(); ++t)
        FUZZ_CHECK(server.tags[t].text == declared[i].tags[t].first &&
                   server.tags[t].tag == declared[i].tags[t].second);
    }
  } catch (const refhost::LoadError &) {
    FUZZ_CHECK(!acceptable);
  }
  const bool startedAndShut = acceptable && start >= 2 && descriptor->shutdown;
  FUZZ_CHECK(shutdowns == (startedAndShut ? 1 : 0));
  if (startedAndShut) FUZZ_CHECK(lastShutdownValue == reinterpret_cast<void *>(4));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 9)) {
    case 0:
      garbageFile(in);
      break;
    case 1:
      damagedModule(in);
      break;
    default:
      declaredDescriptor(in);
      break;
  }
  return 0;
}
