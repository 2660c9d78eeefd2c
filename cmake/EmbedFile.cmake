# Script mode: cmake -DNAME=... -DINPUT=... -DOUTPUT=... -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.\n#include <string_view>\n\nnamespace lanxi::embedded {\nnamespace {\nconst unsigned char kBytes[${size} + 1] = {\n${bytes}0};\n}\nextern const std::string_view ${NAME};\nconst std::string_view ${NAME}(reinterpret_cast<const char*>(kBytes), ${size});\n} // namespace lanxi::embedded\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
