#include "panel/control_panel.h"

#include <cstdint>
#include <cstring>

#include "camera/instance.h"
#include "host/activation.h"
#include "host/services.h"

namespace skyrind {
namespace {

// Panel hint tags (the host's XPanel hint codes).
constexpr XPanelHint kGroupHint = 0x3D01FE81;
constexpr XPanelHint kTitleHint = 0x3D000B03;
constexpr XPanelHint kNotifyHint = 0x3D000F01;
constexpr XPanelHint kChangeNotifyHint = 0x3D001302;
constexpr XPanelHint kMinimumHint = 0x3D014002;
constexpr XPanelHint kRangeHint = 0x3D014202;
constexpr XPanelHint kMaximumHint = 0x3D014102;
constexpr XPanelHint kPanelWideHint = 0x3D001201;

void ignoreNotification() {}

XPanelHint word(const void *address) {
  return reinterpret_cast<XPanelHint>(address);
}
XPanelHint word(void (*function)()) {
  return reinterpret_cast<XPanelHint>(function);
}

CameraInstance *cameraOf(void *instance) {
  return static_cast<CameraInstance *>(instance);
}

}  // namespace

const XPanelControl kPanelControls[] = {
    {kHorizontalFov, "Horizontal FOV", "angle-env"},
    {kHorizontalPerspective, "Perspective", "iBoolean"},
    {kAutoHorizontalFov, "Auto Horizontal FOV", "iBoolean"},
    {kVerticalFov, "Vertical FOV", "angle-env"},
    {kVerticalPerspective, "Perspective", "iBoolean"},
    {kAutoVerticalFov, "Auto Vertical FOV", "iBoolean"},
    {kVerticalPanorama, "Vertical Panorama", "iBoolean"},
    {kHorizontalShift, "Horizontal Shift", "percent-env"},
    {kVerticalShift, "Vertical Shift", "percent-env"},
    {0, nullptr, nullptr},
};

const XPanelDataDesc kPanelData[] = {
    {kHorizontalFov, "", "angle-env"},     {kHorizontalPerspective, "", "integer"},
    {kAutoHorizontalFov, "", "integer"},   {kVerticalFov, "", "angle-env"},
    {kVerticalPerspective, "", "integer"}, {kAutoVerticalFov, "", "integer"},
    {kVerticalPanorama, "", "integer"},    {kHorizontalShift, "", "percent-env"},
    {kVerticalShift, "", "percent-env"},   {0, nullptr, nullptr},
};

// clang-format off
const XPanelHint kPanelHints[] = {
    kGroupHint, kFieldOfViewGroup, kHorizontalFov, kHorizontalPerspective, kAutoHorizontalFov,
        kVerticalFov, kVerticalPerspective, kAutoVerticalFov, kVerticalPanorama, 0,
    kGroupHint, kShiftGroup, kHorizontalShift, kVerticalShift, 0,
    kTitleHint, 0, word("Skyrind"), 0,
    kNotifyHint, word(ignoreNotification),
    kChangeNotifyHint, word(ignoreNotification), 0,
    kMinimumHint, kHorizontalFov, 0,
    kRangeHint, kHorizontalFov, 1,
    kMinimumHint, kVerticalFov, 0,
    kRangeHint, kVerticalFov, 1,
    kMinimumHint, kHorizontalShift, -1000,
    kMaximumHint, kHorizontalShift, 1000,
    kMinimumHint, kVerticalShift, -1000,
    kMaximumHint, kVerticalShift, 1000,
    kPanelWideHint, -1,
    0,
};
// clang-format on

void *getControl(void *instance, unsigned long id) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera) return nullptr;
  switch (id) {
    case kHorizontalFov:
      return camera->hFovParm;
    case kVerticalFov:
      return camera->vFovParm;
    case kHorizontalShift:
      return camera->hShiftParm;
    case kVerticalShift:
      return camera->vShiftParm;
    case kHorizontalPerspective:
      return &camera->hPerspective;
    case kVerticalPerspective:
      return &camera->vPerspective;
    case kVerticalPanorama:
      return &camera->verticalPanorama;
    case kAutoHorizontalFov:
      return &camera->autoHFov;
    case kAutoVerticalFov:
      return &camera->autoVFov;
    default:
      return nullptr;
  }
}

int setControl(void *instance, unsigned long id, void *value) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera || !value) return 0;
  // Values may come unaligned from a host buffer: copy them out bytewise.
  const auto readDouble = [value] {
    double v;
    std::memcpy(&v, value, sizeof v);
    return v;
  };
  const auto readInt = [value] {
    int32_t v;
    std::memcpy(&v, value, sizeof v);
    return v;
  };
  switch (id) {
    case kHorizontalFov:
      camera->hFov = readDouble();
      break;
    case kVerticalFov:
      camera->vFov = readDouble();
      break;
    case kHorizontalShift:
      camera->hShift = readDouble();
      break;
    case kVerticalShift:
      camera->vShift = readDouble();
      break;
    case kHorizontalPerspective:
      camera->hPerspective = readInt();
      break;
    case kVerticalPerspective:
      camera->vPerspective = readInt();
      break;
    case kVerticalPanorama:
      camera->verticalPanorama = readInt();
      break;
    case kAutoHorizontalFov:
      camera->autoHFov = readInt();
      if (camera->autoHFov) camera->autoVFov = 0;
      break;
    case kAutoVerticalFov:
      camera->autoVFov = readInt();
      if (camera->autoVFov) camera->autoHFov = 0;
      break;
    default:
      return 0;
  }
  if (services.instanceUpdate) services.instanceUpdate(CAMERA_HANDLER_CLASS, camera);
  return 1;
}

int activateInterface(int version, GlobalFunc global, void *local, void *) {
  if (version != CAMERA_INTERFACE_VERSION) return AFUNC_BADVERSION;
  services.global = global;
  services.instanceUpdate =
      reinterpret_cast<InstanceUpdateFunc>(const_cast<void *>(lookupService(INSTANCE_UPDATE_NAME)));
  services.panel = static_cast<const XPanelFuncs *>(lookupService(XPANEL_FUNCS_NAME));
  const XPanelFuncs *panels = services.panel;
  if (!panels) return AFUNC_BADGLOBAL;

  auto *ui = static_cast<CameraInterface *>(local);
  if (!ui) return AFUNC_OK;
  void *panel = panels->create(XPANEL_VIEW, kPanelControls);
  if (!panel) return AFUNC_OK;
  panels->describe(panel, kPanelData, getControl, setControl);
  panels->hint(panel, 0, kPanelHints);
  panels->viewInst(panel, ui->inst);
  panels->setData(panel, 0, ui->inst);
  ui->panel = panel;
  ui->options = nullptr;
  ui->command = nullptr;
  return AFUNC_OK;
}

}  // namespace skyrind
