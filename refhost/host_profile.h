// The host generations the reference host plays: LightWave 9.x, 2018 to
// 2020 and 2023 to 2025. A profile fixes what a plug-in meets: the
// activation versions offered, the service names answered, whether evaluate
// and preview pass an eye, and the size of the ray record.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace refhost {

// The services a camera plug-in asks for, whatever each generation names them.
enum class Service { Parameters, ItemInfo, CameraInfo, Time, Envelopes, Panel, InstanceUpdate };

// Every name the service had, 9.x first, each once.
std::vector<std::string> allNamesOf(Service service);

struct HostProfile {
  std::string name;   // "9", "2018" or "2023", as `--host` takes it
  std::string title;  // "LightWave 9.x" ...
  // Offered newest first; the host steps down to the next on status 1.
  std::vector<int> handlerVersions;
  std::vector<int> interfaceVersions;
  std::size_t rayRecordSize;  // bytes, the whole host record

  // The name this generation answers for a service.
  const std::string &nameOf(Service service) const;
  bool answers(std::string_view name) const;
  // The names a plug-in that asks the oldest name first looks up, in order,
  // until this generation answers.
  std::vector<std::string> lookupsUntilFound(Service service) const;

  static const HostProfile &lightwave9();
  static const HostProfile &lightwave2018();
  static const HostProfile &lightwave2023();
  // Every profile, oldest first.
  static const std::vector<const HostProfile *> &all();
  // The profile of this name, or null.
  static const HostProfile *named(std::string_view name);
  // The profile SKYRIND_HOST_PROFILE names (how the test suites run under
  // each generation), else 2023, the host users buy today. An unknown name
  // is a std::invalid_argument.
  static const HostProfile &fromEnvironment();
};

}  // namespace refhost
