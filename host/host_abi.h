/*
 * The host's binary interface: every record, function type and service name
 * that passes between the LightWave host and the camera plug-in.
 * C-compatible; shared by the plug-in and the reference host.
 *
 * The offsets asserted below hold on 64-bit Linux and macOS (LP64) and on
 * Windows x64 (LLP64) alike. XPanel ids are 32-bit on every platform, so the
 * control and data-description records carry 4 bytes of padding after the id.
 *
 * Three host generations speak to camera plug-ins: LightWave 9.x (camera
 * handler version 2), 2018 to 2020 (version 3) and 2023 to 2025 (version 4).
 * Versions 3 and 4 share one handler record; the service names changed with
 * them, every slot used kept its place.
 *
 * Function tables are arrays of pointer-sized slots; "slot N" sits at byte
 * offset (N-1)*8. Slots the plug-in does not use are opaque placeholders that
 * neither side reads through this header.
 */
#ifndef SKYRIND_HOST_ABI_H
#define SKYRIND_HOST_ABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Module descriptor and servers ---------------------------------------- */

typedef void *(*GlobalFunc)(const char *serviceName, int useCode);
typedef int (*ActivateFunc)(int version, GlobalFunc global, void *local, void *serverData);

typedef struct ServerTagInfo {
  const char *string;
  uint32_t tag;
} ServerTagInfo;

typedef struct ServerRecord {
  const char *className;
  const char *name;
  ActivateFunc activate;
  const ServerTagInfo *tags;
} ServerRecord;

typedef struct ModuleDescriptor {
  uint32_t sync;
  uint32_t sysVersion;
  uint32_t machine;
  void *(*startup)(void);
  void (*shutdown)(void *startupValue);
  const ServerRecord *servers;
} ModuleDescriptor;

#define MODULE_SYNC 0x04121994u
#define MODULE_SYSTEM_VERSION 3u
/* The platform the module was built for: a host loads only its own. */
#define MODULE_MACHINE_WINDOWS 0x300u
#define MODULE_MACHINE_MACOS 0x400u
#define MODULE_MACHINE_LINUX 0x500u
#if defined(_WIN32)
#define MODULE_MACHINE MODULE_MACHINE_WINDOWS
#elif defined(__APPLE__)
#define MODULE_MACHINE MODULE_MACHINE_MACOS
#else
#define MODULE_MACHINE MODULE_MACHINE_LINUX
#endif
/* What start-up returns: the host takes any non-null value as "started" and
 * hands it back to shut-down. */
#define MODULE_STARTED ((void *)(uintptr_t)4)

/* A server tag word: the tag's type in the high 16 bits, a language id in
 * the low 16. The host ends a tag list at the first word 0, so the user name
 * (type 0) always carries its language. */
#define SERVER_TAG_USER_NAME 0x00000u
#define SERVER_TAG_US_ENGLISH 0x0409u

/* Activation statuses. */
#define AFUNC_OK 0
#define AFUNC_BADVERSION 1
#define AFUNC_BADGLOBAL 2

/* ---- Load and save states -------------------------------------------------- */

typedef struct LoadState {
  int ioMode;
  void *readData;
  void *opaque3;
  void *opaque4;
  int (*readI2)(void *readData, int16_t *buf, int count);
  void *opaque6;
  void *opaque7;
  void *opaque8;
  void *opaque9;
  int (*readFP)(void *readData, float *buf, int count);
} LoadState;

typedef struct SaveState {
  int ioMode;
  void *writeData;
  void *opaque3;
  void *opaque4;
  void (*writeI2)(void *writeData, const int16_t *buf, int count);
  void *opaque6;
  void *opaque7;
  void *opaque8;
  void *opaque9;
  void (*writeFP)(void *writeData, const float *buf, int count);
} SaveState;

/* ---- Camera handler records ------------------------------------------------- */

typedef struct FrameInfo {
  int32_t frame;
  double start;    /* exposure start, seconds */
  double duration; /* exposure length, seconds */
  double framesPerSecond;
  int32_t motionSteps;
} FrameInfo;

/* The host's camera-access record: only the camera item and the film size
 * (in the host's film units) are read; the rest is opaque. */
typedef struct CameraAccess {
  void *cameraItem;
  unsigned char opaque[168];
  double filmWidth;
  double filmHeight;
} CameraAccess;

/* The first 72 bytes of the host's ray record, all a camera writes. The
 * host's record is longer (CAMERA_RAY_RECORD_SIZE_*): a colour filter,
 * film derivatives and a convergence distance follow, left as the host
 * filled them. */
typedef struct CameraRay {
  double origin[3];
  double direction[3];
  double facing[3];
} CameraRay;

typedef struct InstanceFuncs {
  void *priv;
  void *(*create)(void *priv, void *item, const char **error);
  void (*destroy)(void *instance);
  const char *(*copy)(void *to, void *from);
  const char *(*load)(void *instance, const LoadState *state);
  const char *(*save)(void *instance, const SaveState *state);
  const char *(*describe)(void *instance);
} InstanceFuncs;

typedef int (*CameraPreviewFunc)(void *instance, double lensX, double lensY, double projection[16],
                                 const CameraAccess *access);
typedef const char *(*CameraNewFrameFunc)(void *instance, const FrameInfo *frame,
                                          const CameraAccess *access);
typedef int (*CameraEvaluateFunc)(void *instance, double filmX, double filmY, double lensX,
                                  double lensY, double fracTime, CameraRay *ray);
typedef unsigned int (*CameraFlagsFunc)(void *instance);

/* Versions 3 and 4: preview and evaluate learn the eye the host renders,
 * evaluate also gets the access record, and a projection slot follows. */
typedef int (*CameraEyePreviewFunc)(void *instance, double lensX, double lensY, int eye,
                                    double projection[16], const CameraAccess *access);
typedef int (*CameraEyeEvaluateFunc)(void *instance, double filmX, double filmY, double lensX,
                                     double lensY, double fracTime, int eye, CameraRay *ray,
                                     const CameraAccess *access);
typedef int (*CameraProjectFunc)(void *instance, double lensX, double lensY,
                                 const double worldPosition[3], double fracTime, int eye,
                                 double filmPosition[3], const CameraAccess *access);

/* Flag bits: the camera uses the host's lens positions, so the host samples
 * the aperture for depth of field; (versions 3 and 4) the host must not call
 * `project`. */
#define CAMERA_SUPPORTS_DEPTH_OF_FIELD 1u
#define CAMERA_NO_PROJECTION (1u << 2)

/* The eye a version 3 or 4 host asks for. */
#define CAMERA_EYE_CENTRE 0
#define CAMERA_EYE_LEFT 1
#define CAMERA_EYE_RIGHT 2

/* Evaluate's result bits: a ray was written; (versions 3 and 4) it is
 * already the ray of the eye asked for. 0 is no ray. */
#define CAMERA_RAY_WRITTEN 1
#define CAMERA_RAY_OF_EYE 8

/* The host's whole ray record: 9.x, and versions 3 and 4. */
#define CAMERA_RAY_RECORD_SIZE_9 144
#define CAMERA_RAY_RECORD_SIZE_EYES 264

/* Filled by the "CameraHandler" activation (version 2). */
typedef struct CameraHandler {
  InstanceFuncs *inst;
  void *item; /* item operations: the host's, left alone */
  void *rend; /* render operations: the host's, left alone */
  CameraPreviewFunc preview;
  CameraNewFrameFunc newFrame;
  CameraEvaluateFunc evaluate;
  CameraFlagsFunc flags;
} CameraHandler;

/* Filled by the "CameraHandler" activation (versions 3 and 4). Never with
 * version 2's functions: the host passes `eye` where they take a pointer. */
typedef struct CameraEyeHandler {
  InstanceFuncs *inst;
  void *item;
  void *rend;
  CameraEyePreviewFunc preview;
  CameraNewFrameFunc newFrame;
  CameraEyeEvaluateFunc evaluate;
  CameraFlagsFunc flags;
  CameraProjectFunc project;
} CameraEyeHandler;

/* Filled by the "CameraInterface" activation (versions 4 and 5). */
typedef struct CameraInterface {
  void *inst;
  void *panel;
  const char *(*options)(void *instance);
  const char *(*command)(void *instance, const char *command);
} CameraInterface;

#define CAMERA_HANDLER_CLASS "CameraHandler"
#define CAMERA_INTERFACE_CLASS "CameraInterface"
#define CAMERA_HANDLER_VERSION 2
#define CAMERA_HANDLER_VERSION_2018 3
#define CAMERA_HANDLER_VERSION_2023 4
#define CAMERA_INTERFACE_VERSION 4
#define CAMERA_INTERFACE_VERSION_2023 5

/* ---- Global services -------------------------------------------------------- */

/* The 9.x names, then those of 2018 to 2020 and of 2023 to 2025 where they
 * changed. Time and Instance Update kept theirs. */
#define VPARM_FUNCS_NAME "LWVParmFuncs 2"
#define VPARM_FUNCS_NAME_2018 "LWVParmFuncs 3"
#define VPARM_FUNCS_NAME_2023 "LWVParmFuncs 4"
#define ITEM_INFO_NAME "LW Item Info 4"
#define ITEM_INFO_NAME_2018 "LW Item Info 8"
#define ITEM_INFO_NAME_2023 "LW Item Info 9"
#define CAMERA_INFO_NAME "LW Camera Info 5"
#define CAMERA_INFO_NAME_2018 "LW Camera Info 10"
#define CAMERA_INFO_NAME_2023 "LW Camera Info 10"
#define TIME_INFO_NAME "LW Time Info"
#define ENVELOPE_FUNCS_NAME "Animation Envelopes"
#define ENVELOPE_FUNCS_NAME_2018 "Animation Envelopes 2"
#define ENVELOPE_FUNCS_NAME_2023 "Animation Envelopes 4"
#define XPANEL_FUNCS_NAME "LWXPanel"
#define XPANEL_FUNCS_NAME_2018 "LWXPanel 2"
#define XPANEL_FUNCS_NAME_2023 "LWXPanel 3"
#define INSTANCE_UPDATE_NAME "Instance Update"

/* Parameter value types. The fields of view are plain floats (the host's
 * type 16) holding radians: scenes saved with them keep that type. */
#define VPARM_FLOAT 0x10
#define VPARM_PERCENT 0x20
#define VPARM_DISTANCE 0x30 /* metres */
#define VPARM_ANGLE 0x40    /* radians inside, degrees to users */

typedef struct VParmFuncs {
  void *(*create)(int valueType, int textureType);
  void (*destroy)(void *parm);
  void (*setup)(void *parm, const char *channelName, void *group, void *, void *, void *, void *);
  const char *(*copy)(void *to, void *from);
  const char *(*load)(void *parm, const LoadState *state);
  const char *(*save)(void *parm, const SaveState *state);
  double (*getVal)(void *parm, double time, void *micropolygon, double out[3]);
  int (*setVal)(void *parm, double *value);
} VParmFuncs;

/* Item parameter codes for ItemInfo.param. */
#define ITEM_RIGHT 2
#define ITEM_UP 3
#define ITEM_FORWARD 4
#define ITEM_W_POSITION 8

typedef struct ItemInfo {
  void *opaque1[9];
  void (*param)(void *item, int code, double time, double out[3]);
  void *opaque11[3];
  void *(*chanGroup)(void *item);
} ItemInfo;

typedef struct CameraInfo {
  void *opaque1[2];
  double (*focalDistance)(void *cameraItem, double time);
  double (*fStop)(void *cameraItem, double time);
} CameraInfo;

typedef struct TimeInfo {
  double time; /* current time, seconds */
} TimeInfo;

typedef void (*InstanceUpdateFunc)(const char *className, void *instance);

/* ---- XPanel ----------------------------------------------------------------- */

/* Control and value ids are 32-bit on every platform. */
typedef void *(*XPanelGet)(void *instance, uint32_t id);
typedef int (*XPanelSet)(void *instance, uint32_t id, void *value);
/* Called after a control changes (event: 1 track, 2 value, 3 hit, 4 focus,
 * 5 lose focus, 6 return, 7 escape, 8 menu, 9 closed); returns a refresh
 * code, 0 for none. */
typedef int (*XPanelChangeNotify)(void *panel, uint32_t controlId, uint32_t valueId, int event);
typedef void (*XPanelDestroyNotify)(void *panelData);
typedef intptr_t XPanelHint;

typedef struct XPanelControl {
  uint32_t id;
  const char *label;
  const char *type;
} XPanelControl;

typedef struct XPanelDataDesc {
  uint32_t id;
  const char *name;
  const char *type;
} XPanelDataDesc;

/* What set returns: 0 an id it does not know, else how much to redraw. */
#define XPANEL_REFRESH_NONE 0
#define XPANEL_REFRESH_DEFAULT 1

#define XPANEL_VIEW 1

/* Hint tags. The low 7 bits of a tag are its count of fixed arguments; bit
 * 0x80 means a 0-terminated list of words follows them. */
#define XPANEL_HINT_GROUP 0x3D01FE81          /* group id, then member ids until 0 */
#define XPANEL_HINT_LABEL 0x3D000B03          /* id, label string, 0 (id 0: the panel's title) */
#define XPANEL_HINT_CHANGE_NOTIFY 0x3D000F01  /* XPanelChangeNotify */
#define XPANEL_HINT_DESTROY_NOTIFY 0x3D001302 /* XPanelDestroyNotify, 0 */
#define XPANEL_HINT_MINIMUM 0x3D014002        /* id, minimum */
#define XPANEL_HINT_MAXIMUM 0x3D014102        /* id, maximum */
#define XPANEL_HINT_STEP 0x3D014202           /* id, step */
#define XPANEL_HINT_FOCUS 0x3D001201          /* id of the focused control, -1 none */
#define XPANEL_HINT_STRING_LIST 0x3D014503    /* id, null-ended array of strings, 0 */
#define XPANEL_HINT_ENABLE 0x3D01F984         /* value id, 0, 0, 0, control ids until 0 */

typedef struct XPanelFuncs {
  void *opaque1[2];
  void *(*create)(int type, const XPanelControl *controls);
  void *opaque4;
  void (*describe)(void *panel, const XPanelDataDesc *data, XPanelGet get, XPanelSet set);
  void (*hint)(void *panel, uint32_t id, const XPanelHint *hints);
  void *opaque7;
  void (*setData)(void *panel, uint32_t id, void *data);
  void *opaque9[2];
  void (*viewInst)(void *panel, void *instance);
} XPanelFuncs;

#ifdef __cplusplus
} /* extern "C" */

/* The layout is the host's: pin every offset the host relies on. */
static_assert(offsetof(ModuleDescriptor, sync) == 0);
static_assert(offsetof(ModuleDescriptor, sysVersion) == 4);
static_assert(offsetof(ModuleDescriptor, machine) == 8);
static_assert(offsetof(ModuleDescriptor, startup) == 16);
static_assert(offsetof(ModuleDescriptor, shutdown) == 24);
static_assert(offsetof(ModuleDescriptor, servers) == 32);
static_assert(sizeof(ServerRecord) == 32 && offsetof(ServerRecord, tags) == 24);
static_assert(sizeof(ServerTagInfo) == 16 && offsetof(ServerTagInfo, tag) == 8);

static_assert(offsetof(LoadState, readData) == 8 && offsetof(LoadState, readI2) == 32);
static_assert(offsetof(LoadState, readFP) == 72);
static_assert(offsetof(SaveState, writeData) == 8 && offsetof(SaveState, writeI2) == 32);
static_assert(offsetof(SaveState, writeFP) == 72);

static_assert(offsetof(FrameInfo, start) == 8 && offsetof(FrameInfo, duration) == 16);
static_assert(offsetof(FrameInfo, framesPerSecond) == 24);
static_assert(offsetof(FrameInfo, motionSteps) == 32);
static_assert(offsetof(CameraAccess, filmWidth) == 176);
static_assert(offsetof(CameraAccess, filmHeight) == 184 && sizeof(CameraAccess) == 192);
static_assert(offsetof(CameraRay, direction) == 24 && offsetof(CameraRay, facing) == 48);
static_assert(sizeof(CameraRay) == 72);

static_assert(offsetof(InstanceFuncs, create) == 8 && offsetof(InstanceFuncs, destroy) == 16);
static_assert(offsetof(InstanceFuncs, copy) == 24 && offsetof(InstanceFuncs, load) == 32);
static_assert(offsetof(InstanceFuncs, save) == 40 && offsetof(InstanceFuncs, describe) == 48);
static_assert(offsetof(CameraHandler, item) == 8 && offsetof(CameraHandler, rend) == 16);
static_assert(offsetof(CameraHandler, preview) == 24 && offsetof(CameraHandler, newFrame) == 32);
static_assert(offsetof(CameraHandler, evaluate) == 40 && offsetof(CameraHandler, flags) == 48);
static_assert(offsetof(CameraEyeHandler, preview) == 24);
static_assert(offsetof(CameraEyeHandler, evaluate) == 40);
static_assert(offsetof(CameraEyeHandler, project) == 56 && sizeof(CameraEyeHandler) == 64);
static_assert(offsetof(CameraInterface, panel) == 8 && offsetof(CameraInterface, options) == 16);
static_assert(offsetof(CameraInterface, command) == 24);

static_assert(offsetof(VParmFuncs, destroy) == 8 && offsetof(VParmFuncs, setup) == 16);
static_assert(offsetof(VParmFuncs, copy) == 24 && offsetof(VParmFuncs, load) == 32);
static_assert(offsetof(VParmFuncs, save) == 40 && offsetof(VParmFuncs, getVal) == 48);
static_assert(offsetof(VParmFuncs, setVal) == 56);
static_assert(offsetof(ItemInfo, param) == 72 && offsetof(ItemInfo, chanGroup) == 104);
static_assert(offsetof(CameraInfo, focalDistance) == 16 && offsetof(CameraInfo, fStop) == 24);
static_assert(offsetof(TimeInfo, time) == 0);

static_assert(sizeof(XPanelControl) == 24 && sizeof(XPanelDataDesc) == 24);
static_assert(offsetof(XPanelControl, label) == 8 && offsetof(XPanelControl, type) == 16);
static_assert(offsetof(XPanelDataDesc, name) == 8 && offsetof(XPanelDataDesc, type) == 16);
static_assert(sizeof(XPanelHint) == 8);
static_assert(offsetof(XPanelFuncs, create) == 16 && offsetof(XPanelFuncs, describe) == 32);
static_assert(offsetof(XPanelFuncs, hint) == 40 && offsetof(XPanelFuncs, setData) == 56);
static_assert(offsetof(XPanelFuncs, viewInst) == 80);
#endif

#endif /* SKYRIND_HOST_ABI_H */
