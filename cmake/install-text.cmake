# INSTALL.txt for a release package, with the README's controls table;
# SKYRIND_INSTALL_PLATFORM, SKYRIND_INSTALL_PLUGINS and SKYRIND_INSTALL_TOOL
# (a paragraph ending in a blank line, or empty) say what differs per platform.
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
string(REGEX MATCH "\n\\| Control \\|[^\n]*(\n\\|[^\n]*)*" SKYRIND_CONTROLS "${readme}")
string(STRIP "${SKYRIND_CONTROLS}" SKYRIND_CONTROLS)
if(NOT SKYRIND_CONTROLS)
  message(FATAL_ERROR "README.md has no controls table for the install text")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md
  ${PROJECT_SOURCE_DIR}/cmake/INSTALL.txt.in ${PROJECT_SOURCE_DIR}/cmake/INSTALL-tool.txt.in)
configure_file(${PROJECT_SOURCE_DIR}/cmake/INSTALL.txt.in ${PROJECT_BINARY_DIR}/INSTALL.txt @ONLY
  NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/INSTALL.txt DESTINATION .)
