# skyrind.p as a Windows x64 DLL that a user copies alone: it exports only
# _mod_descrip (as data), imports only KERNEL32 and msvcrt (the compiler's
# libraries are linked in, -static coming from the toolchain's link flags,
# and the stack guard is the module's own), carries a version resource for
# the file's properties, and is stripped outside Debug builds.
enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/host/version.rc.in ${PROJECT_BINARY_DIR}/skyrind_version.rc @ONLY)
target_sources(skyrind PRIVATE host/exports.def ${PROJECT_BINARY_DIR}/skyrind_version.rc)
# The stack guard goes with the camera model's code, which is built with the
# stack protector, into the DLL and into every test program that links it.
add_library(skyrind_stack_guard STATIC host/stack_guard_windows.cpp)
target_link_libraries(skyrind_camera PUBLIC skyrind_stack_guard)
target_link_options(skyrind PRIVATE
  -static-libgcc -static-libstdc++
  -Wl,--dynamicbase,--nxcompat,--high-entropy-va
  -Wl,--no-undefined
  $<$<NOT:$<CONFIG:Debug>>:-s>)

include(${CMAKE_CURRENT_LIST_DIR}/package-windows.cmake)
