// stb_image's decoder compiled with the fuzzers' coverage and sanitizers, in
// place of the prebuilt library the tool links, so that the fuzzer sees
// inside it.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
