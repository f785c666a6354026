#include "image_io/exr_writer.h"

#include <Imath/half.h>
#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfDoubleAttribute.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfIntAttribute.h>
#include <OpenEXR/ImfOutputFile.h>

#include <vector>

namespace skyhost {

void writeExr(const Image &image, const std::string &path, bool fullFloat,
              const std::vector<ImageAttribute> &attributes) {
  Imf::Header header(image.width, image.height);
  Imf::PixelType type = fullFloat ? Imf::FLOAT : Imf::HALF;
  const char *names[] = {"R", "G", "B"};
  for (const char *name : names) header.channels().insert(name, Imf::Channel(type));
  for (const ImageAttribute &a : attributes) {
    if (a.integer)
      header.insert(a.name, Imf::IntAttribute(static_cast<int>(a.value)));
    else
      header.insert(a.name, Imf::DoubleAttribute(a.value));
  }
  // Output files take samples of the channels' own type.
  std::vector<half> halves;
  if (!fullFloat) halves.assign(image.rgb.begin(), image.rgb.end());
  const std::size_t size = fullFloat ? sizeof(float) : sizeof(half);
  char *base = fullFloat ? const_cast<char *>(reinterpret_cast<const char *>(image.rgb.data()))
                         : reinterpret_cast<char *>(halves.data());
  Imf::FrameBuffer frame;
  for (int c = 0; c < 3; ++c)
    frame.insert(names[c], Imf::Slice(type, base + c * size, 3 * size, 3 * size * image.width));
  Imf::OutputFile file(path.c_str(), header);
  file.setFrameBuffer(frame);
  file.writePixels(image.height);
}

}  // namespace skyhost
