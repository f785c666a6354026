# skyrind.p as a macOS bundle (MH_BUNDLE), universal arm64 + x86_64, with
# _mod_descrip (__mod_descrip in the symbol table) its only exported symbol.
# Built and tested by the release workflow on a macOS runner. A build that
# names its own CMAKE_OSX_ARCHITECTURES gets those: the cross check build
# (cmake/zig-macos) makes one slice per build tree and joins them with lipo.
if(CMAKE_OSX_ARCHITECTURES)
  set(skyrind_macos_architectures ${CMAKE_OSX_ARCHITECTURES})
else()
  set(skyrind_macos_architectures arm64 x86_64)
endif()
function(skyrind_platform_module target)
  set_target_properties(${target} PROPERTIES
    BUNDLE OFF
    OSX_ARCHITECTURES "${skyrind_macos_architectures}")
  target_link_options(${target} PRIVATE
    -Wl,-exported_symbols_list,${PROJECT_SOURCE_DIR}/host/exports.macos
    -Wl,-dead_strip)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/host/exports.macos)
endfunction()

# The release package: skyrind-<version>-macos.zip with the bundle and the
# install text (the Windows program's paragraph left out).
install(TARGETS skyrind skyrind-vr LIBRARY DESTINATION .)
set(SKYRIND_INSTALL_PLATFORM "macOS, arm64 + x86_64")
set(SKYRIND_INSTALL_TOOL "")
include(${CMAKE_CURRENT_LIST_DIR}/install-text.cmake)
set(SKYRIND_PACKAGE_NAME skyrind-${PROJECT_VERSION}-macos)
include(${CMAKE_CURRENT_LIST_DIR}/package-zip.cmake)
