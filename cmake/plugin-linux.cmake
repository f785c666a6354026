# A module as a Linux ELF shared object: only _mod_descrip exported (version
# script), full RELRO, no undefined symbols left for the host to supply.
function(skyrind_platform_module target)
  target_link_options(${target} PRIVATE
    -Wl,-z,relro,-z,now
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/host/exports.map)
  if(NOT SKYRIND_SANITIZE)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/host/exports.map)
  target_link_libraries(${target} PRIVATE m)
endfunction()
