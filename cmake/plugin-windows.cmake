# skyrind.p as a Windows x64 DLL that a user copies alone: it exports only
# _mod_descrip (as data), imports only KERNEL32 and msvcrt (the compiler's
# libraries are linked in; -static comes from the toolchain's link flags),
# and carries a version resource for the file's properties.
enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/host/version.rc.in ${PROJECT_BINARY_DIR}/skyrind_version.rc @ONLY)
target_sources(skyrind PRIVATE host/exports.def ${PROJECT_BINARY_DIR}/skyrind_version.rc)
target_link_options(skyrind PRIVATE
  -static-libgcc -static-libstdc++
  -Wl,--dynamicbase,--nxcompat,--high-entropy-va
  -Wl,--no-undefined)
# MinGW's stack protector and fortified calls live in libssp.
target_link_libraries(skyrind PRIVATE ssp)
