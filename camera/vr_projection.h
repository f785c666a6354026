// The rays of the VR cameras and where a direction lies on their film: pure
// arithmetic over one VrSample, no allocation, nothing shared written (render
// threads call it at once on one sample table).
//
// Film positions are in the host's film units from the film's centre, +x
// right, +y up; X = filmX / W and Y = filmY / H run over [−1/2, 1/2]. Angles
// on the sphere: longitude λ (0 ahead along `forward`, positive towards
// `right`) and latitude φ (positive towards `up`).
#pragma once

#include "camera/ray_kernel.h"
#include "camera/vec3.h"
#include "camera/vr_sample.h"
#include "camera/vr_settings.h"

namespace skyrind {

// The eye the host asks for: its eye argument 0, 1 or 2.
enum class EyeRequest { Centre = 0, Left = 1, Right = 2 };

// One of the two eyes of a stereo frame.
enum class Eye { Left, Right };

// The ray through film position (filmX, filmY), or false (and `out` left as
// it was) where there is none: outside the dome's circle, or where anything
// about the sample or the position makes a ray that is not finite.
//
// With EyeRequest::Centre the stereo cameras lay their eyes out as the
// settings say; with Left or Right the whole frame is that eye. The dome
// answers the same ray for every request. The ray's facing is the centre
// eye's direction d.
bool traceVrRay(const VrSample &sample, VrCamera camera, double filmX, double filmY,
                EyeRequest request, Ray &out);

// Where the centre eye's direction `direction` (any length) lies on the
// film traced for `request`: in the image of `eye` when the frame holds both
// (the dome ignores `eye`). False, with filmX and filmY left as they were,
// where the film shows no such direction: a zero or non-finite direction, a
// one-eye frame of the other eye, behind a VR180 eye, outside the dome's
// field of view. On the seam of a stereo 360 eye (λ = ±π) and at the poles
// either of the film positions that show the direction may be given.
bool vrFilmPosition(const VrSample &sample, VrCamera camera, EyeRequest request, Eye eye,
                    const Vec3 &direction, double &filmX, double &filmY);

}  // namespace skyrind
