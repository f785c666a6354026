# Writes OUTPUT, a C++ source defining one std::string_view per input file
# with the file's exact bytes: cmake -DOUTPUT=… -DNAMES=a;b -DFILES=x;y -P embed.cmake
file(WRITE "${OUTPUT}.new" "// Made by embed.cmake from the viewer's sources.\n#include <string_view>\n\nnamespace skyhost {\n")
foreach(name file IN ZIP_LISTS NAMES FILES)
  file(READ "${file}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  file(APPEND "${OUTPUT}.new"
    "namespace {\nconst char ${name}Bytes[] = {${bytes}'\\0'};\n}  // namespace\n"
    "extern const std::string_view ${name}{${name}Bytes, sizeof ${name}Bytes - 1};\n")
endforeach()
file(APPEND "${OUTPUT}.new" "}  // namespace skyhost\n")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
