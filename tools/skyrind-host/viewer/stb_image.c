/* stb_image's code for builds without Debian's libstb (the Windows program):
   the viewer page reads an image's size and kind with it. */
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
