# A module as a Windows x64 DLL that a user copies alone: it exports only
# _mod_descrip (as data), imports only KERNEL32 and msvcrt (the compiler's
# libraries are linked in, -static coming from the toolchain's link flags,
# and the stack guard is the module's own), carries a version resource for
# the file's properties, and is stripped outside Debug builds.
enable_language(RC)
# The stack guard goes with the camera model's code, which is built with the
# stack protector, into the DLLs and into every test program that links it.
add_library(skyrind_stack_guard STATIC host/stack_guard_windows.cpp)
target_link_libraries(skyrind_camera PUBLIC skyrind_stack_guard)

function(skyrind_platform_module target)
  # What Explorer shows in the file's properties.
  set(SKYRIND_MODULE_NAME ${target})
  if(target STREQUAL "skyrind-vr")
    set(SKYRIND_MODULE_DESCRIPTION "Skyrind stereo 360, VR180 and dome cameras for LightWave 3D")
  else()
    set(SKYRIND_MODULE_DESCRIPTION "Skyrind panoramic camera for LightWave 3D")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/host/version.rc.in ${PROJECT_BINARY_DIR}/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE host/exports.def ${PROJECT_BINARY_DIR}/${target}_version.rc)
  target_link_options(${target} PRIVATE
    -static-libgcc -static-libstdc++
    -Wl,--dynamicbase,--nxcompat,--high-entropy-va
    -Wl,--no-undefined
    $<$<NOT:$<CONFIG:Debug>>:-s>)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/package-windows.cmake)
