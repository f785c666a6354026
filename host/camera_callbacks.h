// The camera handler's callbacks, in the shapes of the host's handler record.
#pragma once

#include "host/host_abi.h"

namespace skyrind {

const char *newFrame(void *instance, const FrameInfo *frame, const CameraAccess *access);
int evaluateRay(void *instance, double filmX, double filmY, double lensX, double lensY,
                double fracTime, CameraRay *ray);
int previewMatrix(void *instance, double lensX, double lensY, double projection[16],
                  const CameraAccess *access);
unsigned int handlerFlags(void *instance);

// Versions 3 and 4. The camera is mono: every eye gets the centre ray and
// the centre projection, and the host makes its stereo pair itself.
int evaluateRayForEye(void *instance, double filmX, double filmY, double lensX, double lensY,
                      double fracTime, int eye, CameraRay *ray, const CameraAccess *access);
int previewMatrixForEye(void *instance, double lensX, double lensY, int eye, double projection[16],
                        const CameraAccess *access);
unsigned int eyeHandlerFlags(void *instance);

}  // namespace skyrind
