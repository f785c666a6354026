// Stereo photos as Cardboard-style viewers and Google Photos read them
// (NAME.vr.jpg): the JPEG is the left eye, placed by photo-sphere (GPano)
// fields; the right eye is a base64 JPEG in the XMP property GImage:Data,
// which lives in extended XMP because it never fits one segment. Every
// property is an attribute of one rdf:Description: in element form those
// viewers show one image to both eyes.
//
// Also the stereo images a renderer writes as one picture, both eyes packed
// over-under or side by side, which no metadata field can describe.
#pragma once

#include <optional>
#include <string>

#include "panorama/coverage.h"

namespace skyhost {

// What each eye covers: Stereo360 a whole sphere (a 2:1 eye), VR180 the
// 180°×180° in front (a square eye).
enum class StereoLayout { Stereo360, VR180 };

// Both eyes in one picture: the left eye on top or on the left.
enum class StereoPacking { TopBottom, SideBySide };

// The layout a width×height eye has: 2:1 is Stereo360, 1:1 VR180, exactly;
// nothing for another aspect.
std::optional<StereoLayout> stereoLayoutOfEye(int width, int height);

// Each eye of a width×height picture with both packed, and the layout its
// aspect gives. Throws InputError naming source when the side to split is
// odd or the eye is neither 2:1 nor 1:1.
struct PackedEye {
  int width = 0, height = 0;
  StereoLayout layout = StereoLayout::Stereo360;
};
PackedEye packedEye(int width, int height, StereoPacking packing, const std::string &source);

// The photo-sphere fields of one eye: Stereo360 the whole panorama at 0, 0;
// VR180 a crop of width×height in the middle half of a 2·width×height
// panorama. Google's writers start the view at heading 180°, the middle.
PanoramaCoverage stereoEyeCoverage(StereoLayout layout, int eyeWidth, int eyeHeight);

// The main XMP packet of a stereo photo: the left eye's GPano fields,
// GImage:Mime and xmpNote:HasExtendedXMP naming the extended packet by guid.
std::string stereoMainXmpPacket(const PanoramaCoverage &leftEye, const std::string &guid);
// The extended XMP packet: GImage:Data, the right eye's JPEG in base64.
std::string stereoExtendedXmpPacket(const std::string &rightJpeg);

// The .vr.jpg file of two JPEG eyes of the same size (the left eye's other
// segments kept). Throws InputError naming source when a JPEG cannot be
// parsed, the eyes differ in size, or the eye has another aspect than the
// layout's.
std::string stereoPhotoBytes(const std::string &leftJpeg, const std::string &rightJpeg,
                             StereoLayout layout, const std::string &source);

// The right eye's JPEG of a stereo photo, or nothing when the file is not
// one (no extended XMP with GImage:Data). Throws InputError naming source
// when the file or its extended XMP is corrupt, or GImage:Data is not a
// base64 JPEG.
std::optional<std::string> stereoRightEye(const std::string &bytes, const std::string &source);

// True when the path ends in ".vr.jpg", in any case.
bool isStereoPhotoPath(const std::string &path);

// The one line (no newline) said when a packed stereo picture is written as a
// plain PNG or JPEG without photo-sphere fields, and why.
std::string packedStereoNote(const std::string &path, StereoPacking packing);
// The same for a dome master (an angular fisheye).
std::string domeMasterNote(const std::string &path);

}  // namespace skyhost
