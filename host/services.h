// Module-wide state: the host's global lookup and the service records taken
// at activation. Written by the activations (the later one wins; the host
// hands both the same lookup), read by everything else.
#pragma once

#include "host/host_abi.h"

namespace skyrind {

struct HostServices {
  GlobalFunc global = nullptr;
  const VParmFuncs *parms = nullptr;
  const ItemInfo *items = nullptr;
  const void *envelopes = nullptr;
  const TimeInfo *time = nullptr;
  const CameraInfo *camera = nullptr;
  const XPanelFuncs *panel = nullptr;
  InstanceUpdateFunc instanceUpdate = nullptr;
  double pi = 0.0;  // 4·atan(1), computed at handler activation
};

extern HostServices services;

// One service's names in the order they are asked for: the 9.x name first,
// then those of 2018 and 2023 (a generation that kept the name repeats it).
struct ServiceNames {
  const char *byGeneration[3];
};

inline constexpr ServiceNames kParameterService{
    {VPARM_FUNCS_NAME, VPARM_FUNCS_NAME_2018, VPARM_FUNCS_NAME_2023}};
inline constexpr ServiceNames kItemInfoService{
    {ITEM_INFO_NAME, ITEM_INFO_NAME_2018, ITEM_INFO_NAME_2023}};
inline constexpr ServiceNames kCameraInfoService{
    {CAMERA_INFO_NAME, CAMERA_INFO_NAME_2018, CAMERA_INFO_NAME_2023}};
inline constexpr ServiceNames kEnvelopeService{
    {ENVELOPE_FUNCS_NAME, ENVELOPE_FUNCS_NAME_2018, ENVELOPE_FUNCS_NAME_2023}};
inline constexpr ServiceNames kPanelService{
    {XPANEL_FUNCS_NAME, XPANEL_FUNCS_NAME_2018, XPANEL_FUNCS_NAME_2023}};
inline constexpr ServiceNames kTimeInfoService{{TIME_INFO_NAME, TIME_INFO_NAME, TIME_INFO_NAME}};
inline constexpr ServiceNames kInstanceUpdateService{
    {INSTANCE_UPDATE_NAME, INSTANCE_UPDATE_NAME, INSTANCE_UPDATE_NAME}};

// Looks a service up through the kept global lookup (use code 0): each of
// its names once, oldest first, until the host answers. Null when none does.
const void *lookupService(const ServiceNames &service);

template <class Record>
const Record *lookupRecord(const ServiceNames &service) {
  return static_cast<const Record *>(lookupService(service));
}

}  // namespace skyrind
