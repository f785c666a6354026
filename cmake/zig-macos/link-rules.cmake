# Read after CMake's Darwin rules. Zig's linker makes no MH_BUNDLE and takes
# no export list, so the bundle is linked by clang's driver with ld64.lld,
# which turns the -arch and -Wl, options into ld64's own. -nostdlib: the only
# library is libSystem, given as Zig's text stub of it; the plug-in uses no
# C++ runtime function (no exceptions, no RTTI, no operator new), and one it
# came to use would stop this link as an undefined symbol.
set(CMAKE_CXX_CREATE_SHARED_MODULE
    "${SKYRIND_LLVM_BIN}/clang --target=${CMAKE_OSX_ARCHITECTURES}-apple-macos${SKYRIND_MACOS_MIN} -fuse-ld=lld -nostdlib <LANGUAGE_COMPILE_FLAGS> <CMAKE_SHARED_MODULE_CREATE_CXX_FLAGS> <LINK_FLAGS> -o <TARGET> <OBJECTS> <LINK_LIBRARIES> ${SKYRIND_ZIG_LIBSYSTEM}")
