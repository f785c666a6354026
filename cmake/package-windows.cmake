# The release package: skyrind-<version>-windows-x64.zip with the DLL and an
# install text whose controls table is the README's.
install(TARGETS skyrind LIBRARY DESTINATION . RUNTIME DESTINATION .)

file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
string(REGEX MATCH "\n\\| Control \\|[^\n]*(\n\\|[^\n]*)*" SKYRIND_CONTROLS "${readme}")
string(STRIP "${SKYRIND_CONTROLS}" SKYRIND_CONTROLS)
if(NOT SKYRIND_CONTROLS)
  message(FATAL_ERROR "README.md has no controls table for the install text")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
configure_file(${PROJECT_SOURCE_DIR}/cmake/INSTALL.txt.in ${PROJECT_BINARY_DIR}/INSTALL.txt @ONLY
  NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/INSTALL.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME skyrind)
set(CPACK_PACKAGE_VENDOR Skyrind)
set(SKYRIND_PACKAGE_NAME skyrind-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_FILE_NAME ${SKYRIND_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
