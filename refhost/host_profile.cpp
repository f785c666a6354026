#include "refhost/host_profile.h"

#include <cstdlib>
#include <stdexcept>

#include "host/host_abi.h"

namespace refhost {
namespace {

// Each service's names by generation: 9.x, 2018, 2023.
struct GenerationNames {
  Service service;
  const char *names[3];
};

constexpr GenerationNames kNames[] = {
    {Service::Parameters, {VPARM_FUNCS_NAME, VPARM_FUNCS_NAME_2018, VPARM_FUNCS_NAME_2023}},
    {Service::ItemInfo, {ITEM_INFO_NAME, ITEM_INFO_NAME_2018, ITEM_INFO_NAME_2023}},
    {Service::CameraInfo, {CAMERA_INFO_NAME, CAMERA_INFO_NAME_2018, CAMERA_INFO_NAME_2023}},
    {Service::Time, {TIME_INFO_NAME, TIME_INFO_NAME, TIME_INFO_NAME}},
    {Service::Envelopes, {ENVELOPE_FUNCS_NAME, ENVELOPE_FUNCS_NAME_2018, ENVELOPE_FUNCS_NAME_2023}},
    {Service::Panel, {XPANEL_FUNCS_NAME, XPANEL_FUNCS_NAME_2018, XPANEL_FUNCS_NAME_2023}},
    {Service::InstanceUpdate, {INSTANCE_UPDATE_NAME, INSTANCE_UPDATE_NAME, INSTANCE_UPDATE_NAME}},
};

const GenerationNames &namesOf(Service service) {
  for (const GenerationNames &entry : kNames)
    if (entry.service == service) return entry;
  throw std::logic_error("no such service");
}

int generationIndex(const HostProfile &profile) {
  return profile.name == "9" ? 0 : profile.name == "2018" ? 1 : 2;
}

}  // namespace

std::vector<std::string> allNamesOf(Service service) {
  std::vector<std::string> names;
  for (const char *name : namesOf(service).names)
    if (names.empty() || names.back() != name) names.push_back(name);
  return names;
}

const std::string &HostProfile::nameOf(Service service) const {
  static const auto table = [] {
    std::map<std::pair<int, Service>, std::string> t;
    for (const GenerationNames &entry : kNames)
      for (int g = 0; g < 3; ++g) t[{g, entry.service}] = entry.names[g];
    return t;
  }();
  return table.at({generationIndex(*this), service});
}

bool HostProfile::answers(std::string_view name) const {
  for (const GenerationNames &entry : kNames)
    if (nameOf(entry.service) == name) return true;
  return false;
}

std::vector<std::string> HostProfile::lookupsUntilFound(Service service) const {
  std::vector<std::string> asked;
  for (const std::string &name : allNamesOf(service)) {
    asked.push_back(name);
    if (name == nameOf(service)) break;
  }
  return asked;
}

const HostProfile &HostProfile::lightwave9() {
  static const HostProfile profile{"9",
                                   "LightWave 9.x",
                                   {CAMERA_HANDLER_VERSION},
                                   {CAMERA_INTERFACE_VERSION},
                                   CAMERA_RAY_RECORD_SIZE_9};
  return profile;
}

// Whether the current hosts still answer the older names and versions is
// not documented: these two answer only their own, the harder case.
const HostProfile &HostProfile::lightwave2018() {
  static const HostProfile profile{"2018",
                                   "LightWave 2018 to 2020",
                                   {CAMERA_HANDLER_VERSION_2018, CAMERA_HANDLER_VERSION},
                                   {CAMERA_INTERFACE_VERSION},
                                   CAMERA_RAY_RECORD_SIZE_EYES};
  return profile;
}

const HostProfile &HostProfile::lightwave2023() {
  static const HostProfile profile{
      "2023",
      "LightWave 2023 to 2025",
      {CAMERA_HANDLER_VERSION_2023, CAMERA_HANDLER_VERSION_2018, CAMERA_HANDLER_VERSION},
      {CAMERA_INTERFACE_VERSION_2023, CAMERA_INTERFACE_VERSION},
      CAMERA_RAY_RECORD_SIZE_EYES};
  return profile;
}

const std::vector<const HostProfile *> &HostProfile::all() {
  static const std::vector<const HostProfile *> profiles{&lightwave9(), &lightwave2018(),
                                                         &lightwave2023()};
  return profiles;
}

const HostProfile *HostProfile::named(std::string_view name) {
  for (const HostProfile *profile : all())
    if (profile->name == name) return profile;
  return nullptr;
}

const HostProfile &HostProfile::fromEnvironment() {
  const char *name = std::getenv("SKYRIND_HOST_PROFILE");
  if (name == nullptr || *name == '\0') return lightwave2023();
  if (const HostProfile *profile = named(name)) return *profile;
  throw std::invalid_argument(std::string("SKYRIND_HOST_PROFILE: no host generation \"") + name +
                              "\" (9, 2018 or 2023)");
}

}  // namespace refhost
