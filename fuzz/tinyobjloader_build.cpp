// tinyobjloader's parser compiled with the fuzzers' coverage and sanitizers,
// in place of the prebuilt library the tool links, so that the fuzzer sees
// inside it.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
