# skyrind.p as a macOS bundle (MH_BUNDLE), universal arm64 + x86_64, with
# _mod_descrip (__mod_descrip in the symbol table) its only exported symbol.
# Not built or tested on the project's Linux machines.
set_target_properties(skyrind PROPERTIES
  BUNDLE OFF
  OSX_ARCHITECTURES "arm64;x86_64")
target_link_options(skyrind PRIVATE
  -Wl,-exported_symbols_list,${PROJECT_SOURCE_DIR}/host/exports.macos
  -Wl,-dead_strip)
set_property(TARGET skyrind APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/host/exports.macos)
