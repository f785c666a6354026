# The release package: skyrind-<version>-windows-x64.zip with the DLL,
# skyrind-host.exe (installed by its own folder) and an install text whose
# controls table is the README's.
install(TARGETS skyrind skyrind-vr LIBRARY DESTINATION . RUNTIME DESTINATION .)

set(SKYRIND_INSTALL_PLATFORM "Windows x64")
file(READ ${PROJECT_SOURCE_DIR}/cmake/INSTALL-tool.txt.in SKYRIND_INSTALL_TOOL)
include(${CMAKE_CURRENT_LIST_DIR}/install-text.cmake)

set(SKYRIND_PACKAGE_NAME skyrind-${PROJECT_VERSION}-windows-x64)
include(${CMAKE_CURRENT_LIST_DIR}/package-zip.cmake)
