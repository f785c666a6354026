/* stb_image's code, for the builds that do not link Debian's libstb: the
   Windows program (the viewer page reads an image's size and kind with it)
   and the fuzzers (compiled with their coverage and sanitizers). */
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
